#pragma once
// The submission pipeline: from the dialog's choices to the notice the farm client answers.
// The dialog and the host are reached through SubmissionHost, so the same steps run behind the
// main dialog and in zep-submit.

#include <cstdint>
#include <string>
#include <vector>

#include "config/plugin_settings.h"
#include "log/pmx_logger.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"
#include "scene/selection_checks.h"
#include "scene/submission_choices.h"

// What the pipeline asks of the main dialog and of the host.
class SubmissionHost {
public:
    virtual ~SubmissionHost() = default;

    // The main dialog: owner of every message box.
    virtual HWND Dialog() = 0;
    // The pmx_ui logger of the dialog layer.
    virtual pmx_Logger& UiLog() = 0;
    // The dialog's controls.
    virtual SubmissionChoices ReadChoices() = 0;
    virtual std::vector<CameraRow> CameraRows() = 0;
    virtual std::u16string SceneNameFieldText() = 0;
    virtual void ShowSceneName(const std::u16string& name) = 0;
    virtual unsigned CleanSceneBox() = 0;  // check box 1000
    virtual void EndDialog() = 0;
    // The host: the open scene's file name and full path (empty for an unsaved scene), saving
    // it under another path, and the cleaning scripts.
    virtual std::u16string CurrentSceneFileName() = 0;
    virtual std::u16string CurrentSceneFilePath() = 0;
    virtual bool SaveSceneAs(const std::u16string& path) = 0;
    virtual void RunVirusCheckScripts(const PluginSettings& settings) = 0;
    // The pause between packing and writing the job (one second).
    virtual void PauseAfterArchive() = 0;
    // Told as each step begins, for a host that shows the progress.
    virtual void StepBegins(const char* step) { (void)step; }
};

// Where a submission stopped and what it made, for whoever reports on it.
struct SubmissionReport {
    std::string stoppedAt;  // empty when the notice was sent
    bool sent = false;
    std::u16string requestId;
    std::u16string outputFolder;
    std::u16string jobFile;
    std::string archivePath;  // UTF-8
    std::u16string backupPath;
};

// Runs the steps of a submission in order; each stop shows at most one message box (caption
// `caption`, language chosen by `languageMarker`). Returns the client link's result (the reply
// code, or -1), or 0 when the submission stopped before sending.
int32_t SubmitScene(SubmissionHost& host, const std::u16string& caption,
                    const std::u16string& languageMarker, SubmissionReport& report);

// The scene file to submit, in UTF-8: the open scene's file, or a copy the host saves beside it
// under `name` when the user typed another name. Empty when the scene was never saved or the
// copy could not be made.
std::string ResolveSceneFile(PluginState& state, SubmissionHost& host, std::string name);
