// A whole submission as a user makes one: the reference farm client installs the data folder
// and serves, and the plug-in submits, through zep-submit's flags or its own dialog in max-sim.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

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
        ASSERT_TRUE(server.Start({"--root", Root(), "--port", "0"}));
        ASSERT_EQ(RunTool(FARM_CLIENT_PATH,
                          {"install", "--root", Root(), "--port", std::to_string(server.Port())})
                      .exitCode,
                  0);
    }
    void TearDown() override { EXPECT_EQ(server.Stop(), 0); }

    std::string Root() const { return root.Path().string(); }
    // A copy of an example scene in its own folder below the root.
    std::string CopyScene(const std::string& example, const std::string& folder) {
        fs::create_directories(root.Path() / folder);
        fs::copy_file(fs::path(ZEP_EXAMPLES_DIR) / "scenes" / example,
                      root.Path() / folder / example);
        return (root.Path() / folder / example).string();
    }
    ToolRun Run(const char* program, const std::vector<std::string>& arguments,
                const char* language = "ids") {
        return RunTool(program, arguments,
                       {"PROGRAMDATA=" + Root(), std::string("ZEP_LANGUAGE=") + language});
    }
    // The finished submission and the texts of the boxes of a max-sim run.
    static Json::Value Submission(const ToolRun& run, std::vector<std::string>* boxes = nullptr) {
        Json::Value submission;
        const Json::Value record = run.Json();
        for (const Json::Value& event : record["events"]) {
            if (event["event"] == "submission") {
                submission = event;
            } else if (event["event"] == "box" && boxes != nullptr) {
                boxes->push_back(event["text"].asString());
            }
        }
        return submission;
    }

    testing_support::ServeProcess server;
};

// The same as a user makes it in 3ds Max: the plug-in's menu command, a ticked camera, an
// edited one, remembered settings, a new scene name, the cleaning box and the submit button, in
// max-sim. The accepted job ends the dialog, which keeps its tool tips until a dialog is next
// closed; the user opens it once more and closes it. Every call into the host, the worker's
// saving and cleaning among them, came on the host's thread.
TEST_F(SubmissionEndToEndTest, ASubmissionThroughThePluginsDialog) {
    const std::string scene = CopyScene("studio.max", "scenes");
    ToolRun run = Run(MAX_SIM_PATH, {"--json", "open", scene, "action 1497", "tick Studio_Front",
                                     "dblclick Studio_Top", "click 1042", "text 1015 1280",
                                     "click 1014", "click 1001", "text 1036 studio_v2",
                                     "click 1000", "click 1005", "wait", "action 1497", "close"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    std::vector<std::string> boxes;
    Json::Value submission = Submission(run, &boxes);
    EXPECT_EQ(submission["result"].asInt(), 10001) << run.out;
    EXPECT_THAT(boxes, testing::ElementsAre("{98}"));
    std::set<std::string> calls;
    const Json::Value record = run.Json();
    for (const Json::Value& event : record["events"]) {
        if (event["event"] == "host") {
            calls.insert(event["call"].asString());
            EXPECT_TRUE(event["uiThread"].asBool()) << event["call"];
        }
    }
    EXPECT_THAT(calls, testing::IsSupersetOf({"Interface::GetCurFilePath", "Interface::SaveToFile",
                                              "ExecuteMAXScriptScript", "SetupFloatSpinner",
                                              "RegisterNotification", "IMenuManager::RegisterMenu",
                                              "IActionManager::RegisterActionTable"}));
    // The cleaning scripts have saved the scene under its new name without its malicious
    // scripts, and that scene is the one packed; the scene as it was is kept.
    EXPECT_THAT(root.ReadFile("scenes/studio_v2.max"), testing::HasSubstr(R"("scripts" : [])"));
    EXPECT_THAT(root.ReadFile("scenes/studio.max"), testing::HasSubstr("alc_startup"));
    ToolRun packed =
        RunTool("/usr/bin/7zz", {"e", "-so", submission["archive"].asString(), "studio_v2.max"});
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_THAT(packed.out, testing::HasSubstr(R"("scripts" : [])"));
    EXPECT_THAT(packed.out, testing::Not(testing::HasSubstr("alc_startup")));
}

// The job file of a finished submission, with the request ids and the scene's folder made
// alike, so that two submissions of the same choices compare equal.
std::string ComparableJob(const std::string& path, const std::string& folder) {
    const std::string job =
        std::regex_replace(testing_support::ReadBytes(path), std::regex(folder), "SCENES");
    return std::regex_replace(job, std::regex("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}"), "ID");
}

// zep-submit's flags are the user's actions on the dialog: the same choices made in max-sim
// and given as flags give the same job description. English: the format list then holds the
// names the --camera flag gives. The client accepts each scene once, lists it, and refuses the
// same submission again.
TEST_F(SubmissionEndToEndTest, FlagsGiveWhatTheSameActionsInTheDialogGive) {
    const std::string sceneA = CopyScene("studio.max", "scenes/a");
    const std::string sceneB = CopyScene("studio.max", "scenes/b");
    ToolRun dialog = Run(
        MAX_SIM_PATH,
        {"--json", "open", sceneA, "action 1497", "tick Studio_Front", "dblclick Studio_Top",
         "click 1042", "text 1015 640", "text 1016 480", "combo 1018 3", "click 1014", "click 1043",
         "click 1056", "combo 1057 2", "click 1031", "text 1039 1.8", "click 1005", "wait"},
        "en");
    ASSERT_EQ(dialog.exitCode, 0) << dialog.out << dialog.err;
    const std::string jobA = Submission(dialog)["jobFile"].asString();

    Json::Value scene = testing_support::ParseJson(testing_support::ReadBytes(sceneB));
    scene["analysis"]["name"] = sceneB;
    root.WriteFile("scenes/b/studio.analysis.json", scene["analysis"].toStyledString());
    std::vector<std::string> submit{
        "submit", (root.Path() / "scenes/b/studio.analysis.json").string(), "--scene", sceneB};
    submit.insert(submit.end(), {"--select", "Studio_Front", "--camera",
                                 "Studio_Top:width=640,height=480,format=EXR", "--color", "--gi",
                                 "2", "--block-mode", "10", "--gamma", "1.8", "--json"});
    ToolRun flags = Run(ZEP_SUBMIT_PATH, submit, "en");
    ASSERT_EQ(flags.exitCode, 0) << flags.out << flags.err;
    const Json::Value summary = flags.Json();
    EXPECT_EQ(summary["result"].asInt(), 10001);
    EXPECT_EQ(fs::path(summary["archive"].asString()).parent_path(),
              root.Path() / "scenes/b/studio.max_plugin_output/compress");

    ASSERT_FALSE(jobA.empty()) << dialog.out;
    EXPECT_EQ(ComparableJob(jobA, (root.Path() / "scenes/a").string()),
              ComparableJob(summary["jobFile"].asString(), (root.Path() / "scenes/b").string()));
    const Json::Value recorded =
        RunTool(FARM_CLIENT_PATH, {"jobs", "--root", Root(), "--json"}).Json();
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[1]["filePath"], summary["jobFile"]);
    EXPECT_EQ(recorded[1]["compressPath"], summary["archive"]);

    ToolRun again = Run(ZEP_SUBMIT_PATH, submit, "en");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.Json()["result"].asInt(), 10009);
}

}  // namespace
