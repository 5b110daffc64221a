// The submission's stops before anything is packed or sent, and how the scene file is decided.
#include "workflow/submit_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "tests/support/environment.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"

namespace {

using testing_support::U16;

// A dialog and host whose answers the test sets.
class FakeHost : public SubmissionHost {
public:
    explicit FakeHost(pmx_Logger& uiLog) : uiLog_(uiLog) {}

    HWND Dialog() override { return static_cast<HWND>(testing_support::TestOwnerWindow()); }
    pmx_Logger& UiLog() override { return uiLog_; }
    SubmissionChoices ReadChoices() override { return choices; }
    std::vector<CameraRow> CameraRows() override { return rows; }
    std::u16string SceneNameFieldText() override { return field; }
    void ShowSceneName(const std::u16string& name) override { field = name; }
    unsigned CleanSceneBox() override { return 0; }
    void EndDialog() override { ended = true; }
    std::u16string CurrentSceneFileName() override { return fileName; }
    std::u16string CurrentSceneFilePath() override { return filePath; }
    bool SaveSceneAs(const std::u16string& path) override {
        savedAs = path;
        return saveSucceeds;
    }
    void RunVirusCheckScripts(const PluginSettings&) override {}
    void PauseAfterArchive() override {}

    SubmissionChoices choices;
    std::vector<CameraRow> rows;
    std::u16string field;
    std::u16string fileName = u"house.max";
    std::u16string filePath = u"D:\\scenes\\house.max";
    std::u16string savedAs;
    bool saveSucceeds = true;
    bool ended = false;

private:
    pmx_Logger& uiLog_;
};

class SubmitSceneTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/pmx_plugin.ini", "");
        testing_support::UsePluginLanguage("ids");
        win::TakeMessageBoxes();
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        PluginState& state = GetPluginState();
        state.cameras.clear();
        state.cameras[u"Cam"] = CameraInfo{};
        state.coronaState = 0;
        state.analysedScenePath.clear();
        state.currentSceneName.clear();
        host.rows = {CameraRow{u"Cam", 2}};
    }

    // Submits; returns the result, the step it stopped at and the boxes it showed, each as
    // "text/caption/type/language" (type 0: OK, 1: OK and Cancel).
    std::string Submit() {
        std::string shown = std::to_string(SubmitScene(host, u"caption", u"0", report));
        shown += " " + report.stoppedAt;
        for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
            shown += " " + ToUtf8(box.text) + "/" + ToUtf8(box.caption) + "/" +
                     std::to_string(box.type) + "/" + std::to_string(box.language);
        }
        return shown;
    }

    pmx_Logger uiLog{"pmx_ui", 5, 2, 0};
    FakeHost host{uiLog};
    SubmissionReport report;
};

// An invalid camera name stops; with nothing ticked the user is asked, and Cancel stops; a
// refused scene name stops and closes the dialog.
TEST_F(SubmitSceneTest, TheChecksBeforeTheSceneFileStopWithTheirBoxes) {
    GetPluginState().cameras[u"Bad%"] = CameraInfo{};
    host.rows.push_back(CameraRow{u"Bad%", 1});
    EXPECT_EQ(Submit(), "0 camera names {38}/caption/0/1033");
    host.rows = {CameraRow{u"Cam", 1}};
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerNoCancel);
    EXPECT_EQ(Submit(), "0 camera selection {72}/caption/1/1033");
    EXPECT_FALSE(host.ended);
    host.rows = {CameraRow{u"Cam", 2}};
    host.field = u"house`2";
    EXPECT_EQ(Submit(), "0 scene name {79}/caption/0/1033");
    EXPECT_TRUE(host.ended);
}

// A Corona scene in state 1 or 2 without any limit stops after the camera check with its own
// box; a limit from the analysis or typed into the dialog, or another state, lets the
// submission go on, to the scene file, which an unsaved scene lacks.
TEST_F(SubmitSceneTest, AnUnlimitedCoronaSceneStopsAfterTheCameraCheck) {
    struct Case {
        int32_t state, passes, seconds;
        double noise;
        const char16_t* typedPasses;
        bool refused;
    };
    host.fileName.clear();
    host.filePath.clear();
    for (const Case& c : {Case{1, 0, 0, 0.0, u"", true}, Case{2, 0, 0, 0.0, u"", true},
                          Case{1, 0, 0, 0.0, u"100", false}, Case{1, 5, 0, 0.0, u"", false},
                          Case{2, 0, 60, 0.0, u"", false}, Case{1, 0, 0, 0.5, u"", false},
                          Case{1, 0, 0, std::nan(""), u"", false}, Case{0, 0, 0, 0.0, u"", false},
                          Case{3, 0, 0, 0.0, u"", false}}) {
        PluginState& state = GetPluginState();
        std::tie(state.coronaState, state.coronaPassLimit, state.coronaTimeSeconds,
                 state.coronaNoiseLimit) = std::make_tuple(c.state, c.passes, c.seconds, c.noise);
        host.choices.coronaPassesText = c.typedPasses;
        EXPECT_EQ(Submit(), c.refused ? "0 corona limits {74}/{68}/0/1033"
                                      : "0 scene file {64}/caption/0/1033")
            << c.state << " " << c.passes << " " << c.seconds << " " << c.noise;
    }
}

TEST_F(SubmitSceneTest, ResolveKeepsTheOpenFileOrSavesACopyUnderTheNewName) {
    PluginState& state = GetPluginState();
    EXPECT_EQ(ResolveSceneFile(state, host, ""), "D:\\scenes\\house.max");
    EXPECT_EQ(host.field, u"house");
    EXPECT_EQ(state.analysedScenePath, "D:\\scenes\\house.max");
    EXPECT_EQ(ResolveSceneFile(state, host, "house.max"), "D:\\scenes\\house.max");
    EXPECT_TRUE(host.savedAs.empty());

    EXPECT_EQ(ResolveSceneFile(state, host, "场景 2.max"), "D:\\scenes\\场景 2.max");
    EXPECT_EQ(host.savedAs, U16("D:\\scenes\\场景 2.max"));
    EXPECT_EQ(state.currentSceneName, "场景 2.max");

    host.saveSucceeds = false;
    EXPECT_EQ(ResolveSceneFile(state, host, "other.max"), "");
    host.filePath = u"house.max";  // no folder to save beside
    EXPECT_EQ(ResolveSceneFile(state, host, "other.max"), "");
}

}  // namespace
