// farm-client: a stand-in for the farm's desktop client. It installs the plug-in data folder,
// publishes the login sections and answers the plug-in's submission notices, so the plug-in's
// hand-written request is read by an independent HTTP server.
#include <CLI/CLI.hpp>

#include "tools/farm-client/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"ZEP Rendering reference farm client"};
    app.require_subcommand(1);
    int exitCode = 0;
    AddInstallCommand(app, exitCode);
    AddServeCommand(app, exitCode);
    AddJobsCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? 0 : 2;
    }
    return exitCode;
}
