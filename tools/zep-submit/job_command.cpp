// zep-submit job FILE --json-folder DIR --scene PATH ...: the job description the plug-in would
// write for an analysis file and the choices given as flags.
#include <iostream>
#include <memory>

#include "client/request_id.h"
#include "config/plugin_settings.h"
#include "scene/job_description.h"
#include "text/conversions.h"
#include "text/json_text.h"
#include "tools/zep-submit/analysis_session.h"
#include "tools/zep-submit/choice_flags.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/json_output.h"

namespace {

struct JobOptions {
    std::string file;
    std::string jsonFolder;
    std::string scene;
    std::string archive;
    std::string requestId;
    ChoiceFlags choices;
};

Json::Value ParsedNotice(const std::string& notice) {
    Json::Value value;
    if (notice.empty() || !ParseJsonText(notice, value)) {
        return Json::Value(Json::nullValue);
    }
    return value;
}

int WriteJob(const JobOptions& options) {
    LoadResources();
    PluginState& state = GetPluginState();
    int32_t analysisResult = 0;
    if (!LoadAnalysis(options.file, state, analysisResult)) {
        std::cerr << "zep-submit: cannot read the analysis file " << options.file << "\n";
        return 2;
    }
    SubmissionChoices choices;
    std::string error;
    if (!BuildChoices(options.choices, state.cameras, choices, error)) {
        std::cerr << "zep-submit: " << error << "\n";
        return 2;
    }
    ApplySubmissionChoices(state, choices);

    PluginSettings settings;
    settings.jsonFolder = FromUtf8(options.jsonFolder);
    settings.scenePath = options.scene;
    settings.archivePath = options.archive;
    ApplyGiScale(settings, choices);
    std::u16string requestId =
        options.requestId.empty() ? NewRequestId() : FromUtf8(options.requestId);

    std::string notice;
    bool written =
        WriteJobDescription(state, nullptr, choices.saveSceneFile, settings, requestId, notice);
    Json::Value output(Json::objectValue);
    output["result"] = written;
    output["jobFile"] = written ? JsonText(settings.jsonFolder) : Json::Value(Json::nullValue);
    output["notice"] = ParsedNotice(notice);
    output["messages"] = MessagesJson();
    PrintJson(std::cout, output);
    return written ? 0 : 1;
}

}  // namespace

void AddJobCommand(CLI::App& app, int& exitCode) {
    CLI::App* command = app.add_subcommand(
        "job", "Write the job description for an analysis file and the choices given as flags");
    auto options = std::make_shared<JobOptions>();
    command->add_option("FILE", options->file, "the analysis result file (UTF-8 JSON)")->required();
    command->add_option("--json-folder", options->jsonFolder, "where to write the job file")
        ->required();
    command->add_option("--scene", options->scene, "the scene file being submitted")->required();
    command->add_option("--archive", options->archive, "the scene archive named in the notice");
    command->add_option("--request-id", options->requestId,
                        "the request id naming the job file (a fresh one when absent)");
    AddChoiceFlags(*command, options->choices);
    command->callback([&exitCode, options] { exitCode = WriteJob(*options); });
}
