// The analysis run against the simulated host's interpreter: the result file's text with its
// byte-order mark removed, the files gone afterwards, a fresh file per run, and a failing
// interpreter; the cleaning scripts in their order.
#include "workflow/scene_analysis.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "config/plugin_settings.h"
#include "host/simulated_host.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"
#include "workflow/virus_check.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SceneAnalysisTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/json/.keep", "");
        testing_support::UsePluginLanguage("ids");
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
        maxsim::ResetHost();
        maxsim::SetScriptRunner([this](const std::u16string& script, FPValue*) -> BOOL {
            scripts.push_back(ToUtf8(script));
            std::u16string widePath;
            if (!maxsim::AnalysisResultPath(script, widePath)) {
                return 0;
            }
            std::string path = ToUtf8(widePath);
            std::ofstream(path, std::ios::binary) << written;
            if (sideFile) {
                std::ofstream(path + ".log") << "log";
            }
            return answer;
        });
    }

    std::vector<std::string> JsonFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root.Path() / "ZEP Rendering" / "json")) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::string written = "{\"name\":\"场景\"}";
    bool sideFile = false;
    BOOL answer = 1;
    std::vector<std::string> scripts;
};

TEST_F(SceneAnalysisTest, TheResultTextComesWithoutItsByteOrderMarkAndItsFilesGo) {
    for (const std::string& prefix : {std::string(), std::string("\xEF\xBB\xBF")}) {
        written = prefix + "{\"name\":\"场景\"}";
        sideFile = !prefix.empty();
        std::u16string text;
        ASSERT_TRUE(RunSceneAnalysis(nullptr, nullptr, u"C:/scripts/parser.mse", text));
        EXPECT_EQ(text, u"{\"name\":\"场景\"}");
        EXPECT_THAT(JsonFolder(), ElementsAre(".keep"));
    }
    // Two runs, two result files, each named by a fresh request id.
    ASSERT_EQ(scripts.size(), 2u);
    EXPECT_NE(scripts[0], scripts[1]);
    std::string command = scripts[1];
    std::string jsonFolder = root.Path().string() + "/ZEP Rendering/json/";
    EXPECT_EQ(command.substr(0, command.find(jsonFolder)),
              "fileIn \"C:/scripts/parser.mse\"\ngMax.analysis \"");
    EXPECT_THAT(command, ::testing::EndsWith(".ret\" \"\""));
    EXPECT_EQ(
        ToUtf8(GetPluginState().resultFilePath),
        command.substr(command.find(jsonFolder), command.size() - 4 - command.find(jsonFolder)));
    EXPECT_THAT(win::TakeMessageBoxes(), IsEmpty());
}

TEST_F(SceneAnalysisTest, AFailingInterpreterShowsOneBoxAndLeavesTheFiles) {
    answer = 0;
    sideFile = true;
    std::u16string text = u"before";
    EXPECT_FALSE(RunSceneAnalysis(nullptr, nullptr, u"parser.mse", text));
    EXPECT_EQ(text, u"before");
    EXPECT_EQ(JsonFolder().size(), 3u);  // .keep, the result and its side file stay
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"{37}");
    EXPECT_EQ(boxes[0].caption, u"{49}");
}

TEST_F(SceneAnalysisTest, AMissingJsonFolderIsMadeAndAMissingResultIsAnEmptyText) {
    fs::remove_all(root.Path() / "ZEP Rendering" / "json");
    written = "x";
    std::u16string text;
    ASSERT_TRUE(RunSceneAnalysis(nullptr, nullptr, u"parser.mse", text));
    EXPECT_EQ(text, u"x");
    EXPECT_TRUE(fs::is_directory(root.Path() / "ZEP Rendering" / "json"));

    fs::remove_all(root.Path() / "ZEP Rendering");
    EXPECT_TRUE(RunSceneAnalysis(nullptr, nullptr, u"parser.mse", text));
    EXPECT_EQ(text, u"");
}

TEST_F(SceneAnalysisTest, CleaningScriptsRunInOrderWhateverEachDid) {
    PluginSettings settings;
    ReadPluginSettings(GetPluginState().log, settings);
    RunVirusCheckScripts(settings);
    ASSERT_EQ(scripts.size(), 3u);
    EXPECT_EQ(scripts[0], "fileIn \"" + ToUtf8(settings.adslScriptPath) + "\"");
    EXPECT_THAT(scripts[2], ::testing::HasSubstr("ZepAntivirusCrp_UTF8.ms\""));
}

}  // namespace
