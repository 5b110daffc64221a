// zep-submit submit ANALYSIS --scene PATH ...: a whole submission without 3ds Max. The plug-in's
// main dialog opens headless on the analysis, takes the flags as a user's actions, and the
// submit button runs the submission up to the farm client's answer.
#include <iostream>
#include <memory>

#include "platform/win/message_box.h"
#include "text/conversions.h"
#include "tools/zep-submit/absolute_path.h"
#include "tools/zep-submit/analysis_session.h"
#include "tools/zep-submit/choice_flags.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/dialog_session.h"
#include "tools/zep-submit/json_output.h"
#include "tools/zep-submit/plugin_output.h"

namespace {

struct SubmitOptions {
    std::string analysis;
    std::string scene;
    std::string name;
    bool nameGiven = false;
    bool clean = false;
    std::string answer = "no";
    bool json = false;
    ChoiceFlags choices;
};

Json::Value Utf16OrNull(const std::u16string& text) {
    return text.empty() ? Json::Value(Json::nullValue) : JsonText(text);
}

int Submit(const SubmitOptions& options) {
    LoadResources();
    win::SetMessageBoxPolicy(options.answer == "yes" ? win::MessageBoxPolicy::AnswerYesOk
                                                     : win::MessageBoxPolicy::AnswerNoCancel);
    if (options.json) {
        KeepPluginOutput();
    }
    int32_t analysisResult = 0;
    if (!LoadAnalysis(options.analysis, GetPluginState(), analysisResult)) {
        std::cerr << "zep-submit: cannot read the analysis file " << options.analysis << "\n";
        return 2;
    }
    std::string error;
    if (!CheckChoiceFlags(options.choices, GetPluginState().cameras, error)) {
        std::cerr << "zep-submit: " << error << "\n";
        return 2;
    }
    win::TakeMessageBoxes();

    DialogSession session;
    session.analysisPath = options.analysis;
    session.scenePath = options.scene;
    session.choices = options.choices;
    if (options.nameGiven) {
        session.sceneName = options.name;
    }
    session.cleanScene = options.clean;
    session.finish = SubmitAndWait;
    if (!options.json) {
        session.stepBegins = [](const char* step) {
            PrintMessages(std::cout);
            std::cout << "- " << step << "\n";
        };
    }
    DialogSessionOutcome outcome = RunDialogSession(session);
    if (!outcome.errors.empty()) {
        for (const std::string& sentence : outcome.errors) {
            std::cerr << "zep-submit: " << sentence << "\n";
        }
        return 2;
    }
    SubmissionReport report;
    int32_t result = 0;
    if (outcome.submission) {
        report = outcome.submission->report;
        result = outcome.submission->result;
    }
    report.stoppedAt = outcome.stoppedAt;
    bool accepted = report.sent && result == 10001;
    if (options.json) {
        Json::Value output(Json::objectValue);
        output["result"] = report.sent ? Json::Value(result) : Json::Value(Json::nullValue);
        AddStopJson(outcome, output);
        output["requestId"] = Utf16OrNull(report.requestId);
        output["jobFile"] = Utf16OrNull(report.jobFile);
        output["archive"] = report.archivePath.empty() ? Json::Value(Json::nullValue)
                                                       : Json::Value(report.archivePath);
        output["outputFolder"] = Utf16OrNull(report.outputFolder);
        output["messages"] = MessagesJson();
        output["stdout"] = PluginOutputJson();
        PrintJson(std::cout, output);
    } else {
        PrintMessages(std::cout);
        if (report.sent) {
            std::cout << "The farm client answered " << result
                      << (accepted ? ": the job is accepted.\n" : ".\n");
            std::cout << "  job file: " << ToUtf8(report.jobFile) << "\n"
                      << "  archive:  " << report.archivePath << "\n";
        } else {
            std::cout << "The submission stopped at: " << report.stoppedAt << "\n";
        }
    }
    return accepted ? 0 : 1;
}

}  // namespace

void AddSubmitCommand(CLI::App& app, int& exitCode) {
    CLI::App* command = app.add_subcommand(
        "submit",
        "Submit a saved scene to the farm client through the plug-in's dialog, without "
        "3ds Max");
    auto options = std::make_shared<SubmitOptions>();
    command->add_option("ANALYSIS", options->analysis, "the analysis result file of the scene")
        ->required();
    command->add_option("--scene", options->scene, "the saved scene file (the host's open file)")
        ->required()
        ->transform(AbsolutePath());
    command->add_option("--name", options->name,
                        "a new scene name: the file is copied to it beside the scene");
    command->add_flag("--clean", options->clean,
                      "tick \"Clean the scene of virus scripts\": the scene is backed up and the "
                      "cleaning scripts run (they change nothing outside 3ds Max)");
    command->add_option("--answer", options->answer, "how question boxes are answered: yes|no")
        ->check(CLI::IsMember({"yes", "no"}));
    command->add_flag("--json", options->json, "print one JSON summary");
    AddChoiceFlags(*command, options->choices);
    command->callback([&exitCode, options, command] {
        options->nameGiven = command->count("--name") > 0;
        options->choices.gammaGiven = command->count("--gamma") > 0;
        exitCode = Submit(*options);
    });
}
