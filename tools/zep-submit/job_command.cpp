// zep-submit job FILE --json-folder DIR --scene PATH ...: the job description the plug-in would
// write for an analysis file and the choices given as flags. The main dialog opens headless on
// the analysis and takes the flags as a user's actions; the job description is then written
// from its controls as a submission reads them, without packing or sending anything.
#include <iostream>
#include <memory>

#include "client/request_id.h"
#include "config/plugin_settings.h"
#include "scene/job_description.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "text/json_text.h"
#include "tools/zep-submit/absolute_path.h"
#include "tools/zep-submit/analysis_session.h"
#include "tools/zep-submit/choice_flags.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/dialog_session.h"
#include "tools/zep-submit/json_output.h"
#include "workflow/dialog_submission_host.h"

namespace {

struct JobOptions {
    std::string file;
    std::string jsonFolder;
    std::string scene;
    std::string archive;
    std::string requestId;
    ChoiceFlags choices;
};

struct WrittenJob {
    bool written = false;
    PluginSettings settings;
    std::string notice;
};

Json::Value ParsedNotice(const std::string& notice) {
    Json::Value value;
    if (notice.empty() || !ParseJsonText(notice, value)) {
        return Json::Value(Json::nullValue);
    }
    return value;
}

// The submission's reads of the dialog (Corona limits, ticks, render channels, GI size), then
// the job description.
void WriteJobFromDialog(HWND dialog, const JobOptions& options, WrittenJob& job) {
    PluginState& state = GetPluginState();
    DialogSubmissionHost host(dialog);
    SubmissionChoices choices = host.ReadChoices();
    ApplyCoronaLimits(state, choices);
    std::vector<std::u16string> invalidNames;
    ValidateCameraSelection(host.UiLog(), invalidNames, host.CameraRows(), state.cameras, true);
    ApplyRenderChannels(state, choices);
    job.settings.jsonFolder = FromUtf8(options.jsonFolder);
    job.settings.scenePath = options.scene;
    job.settings.archivePath = options.archive;
    ApplyGiScale(job.settings, choices);
    std::u16string requestId =
        options.requestId.empty() ? NewRequestId() : FromUtf8(options.requestId);
    job.written = WriteJobDescription(state, dialog, choices.saveSceneFile, job.settings, requestId,
                                      job.notice);
}

int WriteJob(const JobOptions& options) {
    LoadResources();
    int32_t analysisResult = 0;
    if (!LoadAnalysis(options.file, GetPluginState(), analysisResult)) {
        std::cerr << "zep-submit: cannot read the analysis file " << options.file << "\n";
        return 2;
    }
    std::string error;
    if (!CheckChoiceFlags(options.choices, GetPluginState().cameras, error)) {
        std::cerr << "zep-submit: " << error << "\n";
        return 2;
    }
    win::TakeMessageBoxes();

    WrittenJob job;
    DialogSession session;
    session.analysisPath = options.file;
    session.scenePath = options.scene;
    session.choices = options.choices;
    session.finish = [&options, &job](HWND dialog) { WriteJobFromDialog(dialog, options, job); };
    DialogSessionOutcome outcome = RunDialogSession(session);
    if (!outcome.errors.empty()) {
        for (const std::string& sentence : outcome.errors) {
            std::cerr << "zep-submit: " << sentence << "\n";
        }
        return 2;
    }
    Json::Value output(Json::objectValue);
    output["result"] = job.written;
    output["jobFile"] =
        job.written ? JsonText(job.settings.jsonFolder) : Json::Value(Json::nullValue);
    output["notice"] = ParsedNotice(job.notice);
    if (!outcome.opened) {
        AddStopJson(outcome, output);
    }
    output["messages"] = MessagesJson();
    PrintJson(std::cout, output);
    return job.written ? 0 : 1;
}

}  // namespace

void AddJobCommand(CLI::App& app, int& exitCode) {
    CLI::App* command = app.add_subcommand(
        "job", "Write the job description for an analysis file and the choices given as flags");
    auto options = std::make_shared<JobOptions>();
    command->add_option("FILE", options->file, "the analysis result file (UTF-8 JSON)")->required();
    command->add_option("--json-folder", options->jsonFolder, "where to write the job file")
        ->required()
        ->transform(AbsolutePath());
    command->add_option("--scene", options->scene, "the scene file being submitted")
        ->required()
        ->transform(AbsolutePath());
    command->add_option("--archive", options->archive, "the scene archive named in the notice")
        ->transform(AbsolutePath());
    command->add_option("--request-id", options->requestId,
                        "the request id naming the job file (a fresh one when absent)");
    AddChoiceFlags(*command, options->choices);
    command->callback([&exitCode, options, command] {
        options->choices.gammaGiven = command->count("--gamma") > 0;
        exitCode = WriteJob(*options);
    });
}
