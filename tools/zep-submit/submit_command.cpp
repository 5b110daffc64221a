// zep-submit submit ANALYSIS --scene PATH ...: a whole submission without the dialog: the checks
// the dialog makes when it opens, then the submission's steps up to the farm client's answer.
#include <iostream>
#include <memory>

#include "config/plugin_settings.h"
#include "platform/tcp_socket.h"
#include "platform/win/message_box.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "tools/zep-submit/analysis_session.h"
#include "tools/zep-submit/choice_flags.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/headless_host.h"
#include "tools/zep-submit/json_output.h"
#include "tools/zep-submit/plugin_output.h"

namespace {

constexpr char16_t kPluginVersion[] = u"1.3.7";

struct SubmitOptions {
    std::string analysis;
    std::string scene;
    std::string name;
    bool nameGiven = false;
    bool backup = false;
    std::string answer = "no";
    bool json = false;
    ChoiceFlags choices;
};

// The checks the dialog makes when it opens; false when it would close again.
bool DialogWouldOpen(PluginState& state, const std::string& analysis, const std::string& scene,
                     std::string& stoppedAt) {
    std::u16string caption = ResourceText(IDS_MAIN_CAPTION);
    std::u16string marker = ResourceText(IDS_LANGUAGE_MARKER);
    auto close = [&](int stringId, const char* step) {
        PluginMessageBox(nullptr, ResourceText(stringId), caption, win::kMbOk, marker);
        stoppedAt = step;
        return false;
    };
    PluginSettings settings;
    ReadPluginSettings(state.log, settings);
    if (settings.lowerVersion.empty()) {
        return close(IDS_VERSION_UNKNOWN, "plug-in version");
    }
    if (settings.lowerVersion > kPluginVersion) {
        return close(IDS_VERSION_TOO_OLD, "plug-in version");
    }
    std::u16string path = FromUtf8(scene);
    size_t separator = path.find_last_of(u"/\\");
    if (!IsAcceptableSceneFileName(
            separator == std::u16string::npos ? path : path.substr(separator + 1))) {
        return close(IDS_SCENE_NAME_REFUSED, "scene file name");
    }
    int32_t result = 0;
    if (!LoadAnalysis(analysis, state, result)) {
        stoppedAt = "analysis";
        return false;
    }
    if (result == 1 && PluginMessageBox(nullptr, ResourceText(IDS_NO_CAMERAS), caption,
                                        win::kMbYesNo, marker) != win::kIdYes) {
        stoppedAt = "no cameras";
        return false;
    }
    if (result == 4) {
        std::u16string text = ResourceText(IDS_DUPLICATE_CAMERAS_BEFORE) +
                              state.duplicateCameraNames +
                              ResourceText(IDS_DUPLICATE_CAMERAS_AFTER);
        PluginMessageBox(nullptr, text, caption, win::kMbOk, marker);
        stoppedAt = "duplicate cameras";
        return false;
    }
    return true;
}

Json::Value Utf16OrNull(const std::u16string& text) {
    return text.empty() ? Json::Value(Json::nullValue) : JsonText(text);
}

int Submit(const SubmitOptions& options) {
    LoadResources();
    os::StartNetworking();
    win::SetMessageBoxPolicy(options.answer == "yes" ? win::MessageBoxPolicy::AnswerYesOk
                                                     : win::MessageBoxPolicy::AnswerNoCancel);
    PluginState& state = GetPluginState();
    std::ostream* progress = options.json ? nullptr : &std::cout;
    if (options.json) {
        KeepPluginOutput();
    }

    SubmissionReport report;
    int32_t result = 0;
    bool opened = DialogWouldOpen(state, options.analysis, options.scene, report.stoppedAt);
    if (!opened && report.stoppedAt == "analysis") {
        std::cerr << "zep-submit: cannot read the analysis file " << options.analysis << "\n";
        return 2;
    }
    std::unique_ptr<pmx_Logger> uiLog;
    std::unique_ptr<HeadlessHost> host;
    if (opened) {
        SubmissionChoices choices;
        std::string error;
        if (!BuildChoices(options.choices, state.cameras, choices, error)) {
            std::cerr << "zep-submit: " << error << "\n";
            return 2;
        }
        ApplyDialogChoices(state, choices);
        uiLog = std::make_unique<pmx_Logger>();
        uiLog->SetModule("pmx_ui");
        uiLog->SetMaxSizeMB(5);
        uiLog->SetFileCount(2);
        std::u16string field = options.nameGiven ? FromUtf8(options.name) : u"";
        if (!options.nameGiven && state.currentSceneName.size() >= 4) {
            field = FromUtf8(state.currentSceneName.substr(0, state.currentSceneName.size() - 4));
        }
        host = std::make_unique<HeadlessHost>(*uiLog, choices, options.scene, field, options.backup,
                                              progress);
        result = SubmitScene(*host, ResourceText(IDS_MAIN_CAPTION),
                             ResourceText(IDS_LANGUAGE_MARKER), report);
        host->PrintMessages();
    }
    bool accepted = report.sent && result == 10001;
    if (options.json) {
        Json::Value output(Json::objectValue);
        output["result"] = report.sent ? Json::Value(result) : Json::Value(Json::nullValue);
        output["stoppedAt"] =
            report.stoppedAt.empty() ? Json::Value(Json::nullValue) : Json::Value(report.stoppedAt);
        output["requestId"] = Utf16OrNull(report.requestId);
        output["jobFile"] = Utf16OrNull(report.jobFile);
        output["archive"] = report.archivePath.empty() ? Json::Value(Json::nullValue)
                                                       : Json::Value(report.archivePath);
        output["outputFolder"] = Utf16OrNull(report.outputFolder);
        output["messages"] = MessagesJson();
        output["stdout"] = PluginOutputJson();
        PrintJson(std::cout, output);
    } else {
        if (!opened) {
            PrintMessages(std::cout);
        }
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
        "submit", "Submit a saved scene to the farm client as the dialog would, without 3ds Max");
    auto options = std::make_shared<SubmitOptions>();
    command->add_option("ANALYSIS", options->analysis, "the analysis result file of the scene")
        ->required();
    command->add_option("--scene", options->scene, "the saved scene file (the host's open file)")
        ->required();
    command->add_option("--name", options->name,
                        "a new scene name: the file is copied to it beside the scene");
    command->add_flag("--backup", options->backup,
                      "back the scene up before cleaning (the cleaning scripts are skipped)");
    command->add_option("--answer", options->answer, "how question boxes are answered: yes|no")
        ->check(CLI::IsMember({"yes", "no"}));
    command->add_flag("--json", options->json, "print one JSON summary");
    AddChoiceFlags(*command, options->choices);
    command->callback([&exitCode, options, command] {
        options->nameGiven = command->count("--name") > 0;
        exitCode = Submit(*options);
    });
}
