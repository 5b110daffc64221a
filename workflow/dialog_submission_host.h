#pragma once
// The submission's view of the main dialog and of the host: the dialog's controls read through
// the window system (from the worker's thread, served on the dialog's), the open scene and the
// cleaning scripts through the host's core interface.

#include "workflow/submit_scene.h"

// The camera table's rows as the selection check reads them: each row's name and check box.
std::vector<CameraRow> CameraTableRows(HWND dialog);

class DialogSubmissionHost : public SubmissionHost {
public:
    explicit DialogSubmissionHost(HWND dialog) : dialog_(dialog) {}

    HWND Dialog() override { return dialog_; }
    pmx_Logger& UiLog() override;
    SubmissionChoices ReadChoices() override;
    std::vector<CameraRow> CameraRows() override;
    std::u16string SceneNameFieldText() override;
    void ShowSceneName(const std::u16string& name) override;
    unsigned CleanSceneBox() override;
    void EndDialog() override;
    std::u16string CurrentSceneFileName() override;
    std::u16string CurrentSceneFilePath() override;
    bool SaveSceneAs(const std::u16string& path) override;
    void RunVirusCheckScripts(const PluginSettings& settings) override;
    void PauseAfterArchive() override;
    void StepBegins(const char* step) override;

private:
    HWND dialog_;
};
