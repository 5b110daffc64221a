#pragma once
// The main dialog and the host as zep-submit stands them in: the choices come from flags, the
// open scene is a file on disk, "save as" copies it, and the cleaning scripts (which need the
// host's interpreter) are skipped.

#include <iosfwd>
#include <string>

#include "workflow/submit_scene.h"

class HeadlessHost : public SubmissionHost {
public:
    HeadlessHost(pmx_Logger& uiLog, SubmissionChoices choices, const std::string& scenePathUtf8,
                 std::u16string sceneNameField, bool cleanScene, std::ostream* progress);

    HWND Dialog() override { return nullptr; }
    pmx_Logger& UiLog() override { return uiLog_; }
    SubmissionChoices ReadChoices() override { return choices_; }
    std::vector<CameraRow> CameraRows() override;
    std::u16string SceneNameFieldText() override { return sceneNameField_; }
    void ShowSceneName(const std::u16string& name) override { sceneNameField_ = name; }
    unsigned CleanSceneBox() override { return cleanScene_ ? 1 : 0; }
    void EndDialog() override { dialogEnded_ = true; }
    std::u16string CurrentSceneFileName() override;
    std::u16string CurrentSceneFilePath() override { return scenePath_; }
    bool SaveSceneAs(const std::u16string& path) override;
    void RunVirusCheckScripts(const PluginSettings& settings) override;
    void PauseAfterArchive() override;
    void StepBegins(const char* step) override;

    bool DialogEnded() const { return dialogEnded_; }
    // Prints the message boxes shown since the last call (without --json).
    void PrintMessages();

private:
    pmx_Logger& uiLog_;
    SubmissionChoices choices_;
    std::u16string scenePath_;
    std::u16string sceneNameField_;
    bool cleanScene_;
    std::ostream* progress_;
    bool dialogEnded_ = false;
};
