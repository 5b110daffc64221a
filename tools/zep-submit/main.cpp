// zep-submit: the submission core of the plug-in without its dialog, for support engineers,
// batch use and black-box tests.
#include <CLI/CLI.hpp>

#include "platform/win/message_box.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/plugin_output.h"

int main(int argc, char** argv) {
    CLI::App app{"ZEP Rendering submission tool"};
    app.require_subcommand(1);
    SendPluginOutputToStandardError();
    // Nobody sits before a tool's boxes: each is answered as OK or Yes and reported (submit
    // takes its answer from --answer). The Windows side would otherwise wait for a person.
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    int exitCode = 0;
    AddConfigCommand(app, exitCode);
    AddInspectCommand(app, exitCode);
    AddJobCommand(app, exitCode);
    AddSubmitCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? 0 : 2;
    }
    return exitCode;
}
