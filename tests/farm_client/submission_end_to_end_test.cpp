// A whole submission as a user makes one without 3ds Max: the reference farm client installs the
// data folder and serves, zep-submit submits the sample scene, the client accepts it once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "tests/farm_client/serve_process.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::RunTool;
using testing_support::ToolRun;

class SubmissionEndToEndTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start({"--root", root.Path().string(), "--port", "0"}));
        ASSERT_EQ(RunTool(FARM_CLIENT_PATH, {"install", "--root", root.Path().string(), "--port",
                                             std::to_string(server.Port())})
                      .exitCode,
                  0);
        fs::create_directories(root.Path() / "scenes");
        fs::copy_file(fs::path(ZEP_EXAMPLES_DIR) / "scenes" / "living room.max", Scene());
        // The analysis names the scene where it lies now.
        std::string analysis;
        std::ifstream in(fs::path(ZEP_EXAMPLES_DIR) / "living-room.analysis.json");
        analysis.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        analysis = std::regex_replace(
            analysis, std::regex(R"(D:\\\\projects\\\\living room\\\\living room\.max)"),
            Scene().string());
        root.WriteFile("scenes/living room.analysis.json", analysis);
    }

    fs::path Scene() const { return root.Path() / "scenes" / "living room.max"; }

    ToolRun Submit() {
        return RunTool(ZEP_SUBMIT_PATH,
                       {"submit", (root.Path() / "scenes" / "living room.analysis.json").string(),
                        "--scene", Scene().string(), "--select", "VRayCam_Living", "--json"},
                       {"PROGRAMDATA=" + root.Path().string(), "ZEP_LANGUAGE=ids"});
    }

    testing_support::ServeProcess server;
};

TEST_F(SubmissionEndToEndTest, TheClientAcceptsTheSampleSceneOnceAndRefusesTheRepeat) {
    ToolRun first = Submit();
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    Json::Value summary = first.Json();
    EXPECT_EQ(summary["result"].asInt(), 10001);
    EXPECT_TRUE(summary["stoppedAt"].isNull());
    std::string jobFile = summary["jobFile"].asString();
    std::string archive = summary["archive"].asString();
    EXPECT_TRUE(fs::exists(jobFile));
    EXPECT_TRUE(fs::exists(archive));
    EXPECT_EQ(fs::path(archive).parent_path(),
              root.Path() / "scenes" / "living room.max_plugin_output" / "compress");
    EXPECT_EQ(summary["messages"][0]["text"].asString(), "{98}");

    ToolRun jobs = RunTool(FARM_CLIENT_PATH, {"jobs", "--root", root.Path().string(), "--json"});
    Json::Value recorded;
    std::istringstream(jobs.out) >> recorded;
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0]["filePath"].asString(), jobFile);
    EXPECT_EQ(recorded[0]["compressPath"].asString(), archive);

    ToolRun again = Submit();
    EXPECT_EQ(again.exitCode, 1);
    Json::Value repeat = again.Json();
    EXPECT_EQ(repeat["result"].asInt(), 10009);
    EXPECT_EQ(repeat["messages"][0]["text"].asString(), "{51}");
    EXPECT_EQ(server.Stop(), 0);
}

// The same as a user makes it in 3ds Max: the plug-in's menu command, a ticked camera, the
// cleaning box and the submit button, in max-sim. The accepted job ends the dialog, which keeps
// its tool tips until a dialog is next closed; the user opens it once more and closes it.
TEST_F(SubmissionEndToEndTest, ASubmissionThroughThePluginsDialog) {
    fs::copy_file(fs::path(ZEP_EXAMPLES_DIR) / "scenes" / "studio.max",
                  root.Path() / "scenes" / "studio.max");
    ToolRun run =
        RunTool(MAX_SIM_PATH,
                {"--json", "open", (root.Path() / "scenes" / "studio.max").string(), "action 1497",
                 "tick Studio_Front", "click 1000", "click 1005", "wait", "action 1497", "close"},
                {"PROGRAMDATA=" + root.Path().string(), "ZEP_LANGUAGE=ids"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    Json::Value submission;
    std::vector<std::string> boxes;
    Json::Value record = run.Json();
    for (const Json::Value& event : record["events"]) {
        if (event["event"] == "submission") {
            submission = event;
        } else if (event["event"] == "box") {
            boxes.push_back(event["text"].asString());
        }
    }
    EXPECT_EQ(submission["result"].asInt(), 10001) << run.out;
    EXPECT_TRUE(fs::exists(submission["jobFile"].asString()));
    EXPECT_THAT(boxes, testing::ElementsAre("{98}"));
    // The cleaning scripts have saved the scene without its malicious scripts, and that scene
    // is the one packed.
    EXPECT_THAT(root.ReadFile("scenes/studio.max"), testing::HasSubstr(R"("scripts" : [])"));
    ToolRun packed = RunTool("/usr/bin/7zz", {"e", "-so", submission["archive"].asString(),
                                               "studio.max"});
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_THAT(packed.out, testing::HasSubstr(R"("scripts" : [])"));
    EXPECT_THAT(packed.out, testing::Not(testing::HasSubstr("alc_startup")));
    EXPECT_EQ(server.Stop(), 0);
}

}  // namespace

namespace {

// The job file of a finished submission, with the request ids and the scene's folder made
// alike, so that two submissions of the same choices compare equal.
std::string ComparableJob(const std::string& path, const std::string& folder) {
    std::ifstream in(path, std::ios::binary);
    std::string job((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    job = std::regex_replace(job, std::regex(folder), "SCENES");
    return std::regex_replace(job, std::regex("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}"), "ID");
}

}  // namespace

// zep-submit's flags are the user's actions on the dialog: the same choices made in max-sim
// and given as flags give the same job description.
TEST_F(SubmissionEndToEndTest, FlagsGiveWhatTheSameActionsInTheDialogGive) {
    for (const char* copy : {"a", "b"}) {
        fs::create_directories(root.Path() / "scenes" / copy);
        fs::copy_file(fs::path(ZEP_EXAMPLES_DIR) / "scenes" / "studio.max",
                      root.Path() / "scenes" / copy / "studio.max");
    }
    std::string sceneA = (root.Path() / "scenes" / "a" / "studio.max").string();
    std::string sceneB = (root.Path() / "scenes" / "b" / "studio.max").string();
    // English: the format list then holds the names the --camera flag gives.
    std::vector<std::string> environment = {"PROGRAMDATA=" + root.Path().string(),
                                            "ZEP_LANGUAGE=en"};
    ToolRun dialog = RunTool(
        MAX_SIM_PATH,
        {"--json", "open", sceneA, "action 1497", "tick Studio_Front", "dblclick Studio_Top",
         "click 1042", "text 1015 640", "text 1016 480", "combo 1018 3", "click 1014", "click 1043",
         "click 1056", "combo 1057 2", "click 1031", "text 1039 1.8", "click 1005", "wait"},
        environment);
    ASSERT_EQ(dialog.exitCode, 0) << dialog.out << dialog.err;
    std::string jobA;
    Json::Value record = dialog.Json();
    for (const Json::Value& event : record["events"]) {
        if (event["event"] == "submission") {
            jobA = event["jobFile"].asString();
        }
    }

    Json::Value scene;
    std::ifstream(sceneB) >> scene;
    scene["analysis"]["name"] = sceneB;
    root.WriteFile("scenes/b/studio.analysis.json", scene["analysis"].toStyledString());
    ToolRun flags =
        RunTool(ZEP_SUBMIT_PATH,
                {"submit", (root.Path() / "scenes" / "b" / "studio.analysis.json").string(),
                 "--scene", sceneB, "--select", "Studio_Front", "--camera",
                 "Studio_Top:width=640,height=480,format=EXR", "--color", "--gi", "2",
                 "--block-mode", "10", "--gamma", "1.8", "--json"},
                environment);
    ASSERT_EQ(flags.exitCode, 0) << flags.out << flags.err;
    std::string jobB = flags.Json()["jobFile"].asString();

    ASSERT_FALSE(jobA.empty()) << dialog.out;
    EXPECT_EQ(ComparableJob(jobA, (root.Path() / "scenes" / "a").string()),
              ComparableJob(jobB, (root.Path() / "scenes" / "b").string()));
    EXPECT_EQ(server.Stop(), 0);
}
