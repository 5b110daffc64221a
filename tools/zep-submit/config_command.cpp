// zep-submit config: the settings the plug-in reads, and where it reads and logs them.
#include <iostream>

#include "config/plugin_settings.h"
#include "log/pmx_logger.h"
#include "platform/files.h"
#include "text/conversions.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/json_output.h"

namespace {

int PrintConfig() {
    pmx_Logger dataLog;
    dataLog.SetModule("pmx_data");
    dataLog.SetMaxSizeMB(5);
    dataLog.SetFileCount(2);

    PluginSettings settings;
    ReadPluginSettings(dataLog, settings);

    Json::Value config(Json::objectValue);
    config["host"] = JsonText(settings.host);
    config["port"] = settings.port;
    config["lowerVersion"] = JsonText(settings.lowerVersion);
    config["jsonFolder"] = JsonText(settings.jsonFolder);
    config["archiverPath"] = JsonText(settings.archiverPath);
    config["archiveFolder"] = JsonText(settings.archiveFolder);
    config["analysisScriptPath"] = JsonText(settings.analysisScriptPath);
    config["adslScriptPath"] = JsonText(settings.adslScriptPath);
    config["alcScriptPath"] = JsonText(settings.alcScriptPath);
    config["crpScriptPath"] = JsonText(settings.crpScriptPath);
    config["logFolder"] = JsonText(FromLocalMultibyte(dataLog.Folder()));
    // The scripts the plug-in has 3ds Max run, in the order it runs them, and whether each is
    // there: a missing one stops the analysis or leaves the scene uncleaned.
    Json::Value& scripts = config["scripts"] = Json::Value(Json::arrayValue);
    for (const auto& [role, path] : {std::pair("analysis", &settings.analysisScriptPath),
                                     std::pair("clean ADSL", &settings.adslScriptPath),
                                     std::pair("clean ALC", &settings.alcScriptPath),
                                     std::pair("clean CRP", &settings.crpScriptPath)}) {
        Json::Value script(Json::objectValue);
        script["role"] = role;
        script["path"] = JsonText(*path);
        script["present"] = os::PathExists(*path);
        scripts.append(script);
    }
    PrintJson(std::cout, config);
    return 0;
}

}  // namespace

void AddConfigCommand(CLI::App& app, int& exitCode) {
    CLI::App* command =
        app.add_subcommand("config", "Print the settings the plug-in reads, as one JSON object");
    command->callback([&exitCode] { exitCode = PrintConfig(); });
}
