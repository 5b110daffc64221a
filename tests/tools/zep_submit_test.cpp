// zep-submit as its users run it: a real process, real files, its printed JSON and exit code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <optional>

#include "tests/client/raw_server.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"

namespace {

using testing_support::RunTool;
using testing_support::ToolRun;

const std::string kExample = std::string(ZEP_EXAMPLES_DIR) + "/living-room.analysis.json";

class ZepSubmitTest : public testing_support::TempRootTest {
protected:
    // The client has installed the data folder: the dialog opens only with its version.
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                       "[general]\r\nlowerversion=1.3.7\r\n");
    }

    ToolRun Run(const std::vector<std::string>& arguments) {
        return RunTool(ZEP_SUBMIT_PATH, arguments,
                       {"PROGRAMDATA=" + root.Path().string(), "ZEP_LANGUAGE=ids"});
    }
    std::string JsonFolder() { return (root.Path() / "out" / "json").string(); }
};

TEST_F(ZepSubmitTest, ConfigPrintsWhatThePluginReads) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                   "[general]\r\nip=10.0.0.3\r\nport=18080\r\nlowerversion=1.3\r\n");
    ToolRun run = Run({"config"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json::Value config = run.Json();
    const std::string data = root.Path().string() + "/ZEP Rendering";
    EXPECT_EQ(config["host"].asString(), "10.0.0.3");
    EXPECT_EQ(config["port"].asInt(), 18080);
    EXPECT_EQ(config["lowerVersion"].asString(), "1.3");
    EXPECT_EQ(config["archiverPath"].asString(), data + "/7-Zip/7z.exe");
    EXPECT_EQ(config["jsonFolder"].asString(), data + "/json");
    EXPECT_EQ(config["archiveFolder"].asString(), data + "/compress");
    EXPECT_EQ(config["crpScriptPath"].asString(), data + "/script/ZepAntivirusCrp_UTF8.ms");
    EXPECT_EQ(config["logFolder"].asString(), data + "/log1.3");
    EXPECT_THAT(root.ReadFile("ZEP Rendering/log1.3/pmx_data.log"),
                testing::HasSubstr("[INFO] Get client infomation successfully."));
}

TEST_F(ZepSubmitTest, InspectPrintsTheSceneModel) {
    ToolRun run = Run({"inspect", kExample});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json::Value model = run.Json();
    EXPECT_EQ(model["result"].asInt(), 0);
    const Json::Value& cameras = model["cameras"];
    ASSERT_EQ(cameras.size(), 4u);
    EXPECT_EQ(cameras[0]["name"].asString(), "Detail_Sofa");
    EXPECT_EQ(cameras[0]["width"].asInt(), 1920);
    EXPECT_EQ(cameras[2]["name"].asString(), "VRayCam_Living");
    EXPECT_EQ(cameras[2]["width"].asInt(), 2400);
    EXPECT_EQ(cameras[3]["name"].asString(), "相机_卧室");
    EXPECT_EQ(cameras[3]["width"].asInt(), 1920);
    EXPECT_EQ(cameras[3]["imageFormat"].asString(), "JPG");
    EXPECT_FALSE(cameras[3]["selected"].asBool());
    EXPECT_EQ(model["problems"][0].asString(), "{62}");
    EXPECT_EQ(model["currentSceneName"].asString(), "living room.max");
    EXPECT_EQ(model["irradmapMinRate"].asInt(), -3);
    EXPECT_EQ(model["notices"].size(), model["warnings"].size() + model["problems"].size());
}

TEST_F(ZepSubmitTest, InspectOfAMissingFileIsExitCodeTwo) {
    ToolRun run = Run({"inspect", (root.Path() / "none.json").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.err, testing::HasSubstr("cannot read"));
}

TEST_F(ZepSubmitTest, JobWritesTheJobDescriptionAndPrintsTheNotice) {
    root.WriteFile("out/json/.keep", "");
    ToolRun run = Run({"job", kExample, "--json-folder", JsonFolder(), "--scene",
                       "D:\\projects\\living room\\living room.max", "--select", "VRayCam_Living",
                       "--camera", "Detail_Sofa:width=640,height=480", "--select", "Detail_Sofa",
                       "--gi", "1", "--request-id", "6F9619FF-8B86-D011-B42D-00C04FC964FF"});
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
    Json::Value output = run.Json();
    EXPECT_TRUE(output["result"].asBool());
    std::string jobFile = output["jobFile"].asString();
    EXPECT_THAT(jobFile, testing::EndsWith("/6F9619FF-8B86-D011-B42D-00C04FC964FF.json"));
    EXPECT_TRUE(root.Exists("out/json/6F9619FF-8B86-D011-B42D-00C04FC964FF.json"));
    EXPECT_TRUE(output["notice"].isObject());
    EXPECT_EQ(output["messages"].size(), 0u);
}

TEST_F(ZepSubmitTest, JobRefusesFlagsThatDoNotFitTheScene) {
    EXPECT_EQ(Run({"job", kExample, "--json-folder", JsonFolder(), "--scene", "s.max", "--select",
                   "NoSuchCamera"})
                  .exitCode,
              2);
    EXPECT_EQ(Run({"job", kExample, "--json-folder", JsonFolder(), "--scene", "s.max",
                   "--block-mode", "7"})
                  .exitCode,
              2);
    ToolRun malformed = Run({"job", kExample, "--json-folder", JsonFolder(), "--scene", "s.max",
                             "--camera", "VRayCam_Living:depth=3"});
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_THAT(malformed.err, testing::HasSubstr("--camera"));
    EXPECT_EQ(Run({"job", kExample, "--scene", "s.max"}).exitCode, 2);
}

TEST_F(ZepSubmitTest, JobWhoseFolderCannotBeWrittenReportsTheBox) {
    ToolRun run = Run({"job", kExample, "--json-folder",
                       (root.Path() / "missing" / "deeper" / "json").string(), "--scene", "s.max",
                       "--select-all"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    Json::Value output = run.Json();
    EXPECT_FALSE(output["result"].asBool());
    ASSERT_GE(output["messages"].size(), 1u);
    EXPECT_EQ(output["messages"][0]["text"].asString(), "{42}");
    EXPECT_EQ(output["messages"][0]["buttons"].asString(), "OK");
}

// Whatever the farm client answers, `submit --json` prints one JSON document: the plug-in's own
// line for an unreadable reply goes into its "stdout" member. (A failed socket or send cannot be
// brought about from outside; the client link's own tests cover them.)
TEST_F(ZepSubmitTest, SubmitJsonIsOneDocumentForEveryAnswer) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n";
    const std::string readError = "Error [0-9]+ in WinHttpReadData\\.\n";
    struct Row {
        std::optional<std::string> answer;  // none: nothing listens
        int result;
        std::string box;
        std::string printed;  // a pattern for the lines printed
    };
    const std::vector<Row> rows = {
        {std::nullopt, -1, "{43}", ""},
        {"", -1, "{43}", ""},
        {"HTTP/1.1 500 Internal Server Error\r\n\r\n", -1, "{44}", ""},
        {head + R"({"ret":100)", -1, "{53}", readError},
        {head + R"({"ret":"10001"})", -1, "{53}", readError},
        {head + R"({"ret":10010})", -1, "{53}", readError},
        {head + R"({"ret":10010,"err":"磁盘已满"})", 10010, "磁盘已满", ""},
        {head + R"({"ret":10003})", 10003, "{46}", ""},
        {head + "{}", 0, "", ""},
    };
    const std::string scene = (root.Path() / "living room.max").string();
    root.WriteFile("living room.max", "scene");
    // Each row has a data folder of its own that names its port; the rows run side by side.
    std::vector<std::future<ToolRun>> runs;
    for (size_t i = 0; i < rows.size(); ++i) {
        runs.push_back(std::async(std::launch::async, [&, i] {
            std::optional<client_test::RawServer> server;
            uint16_t port = client_test::UnusedPort();
            if (rows[i].answer) {
                port = server.emplace(*rows[i].answer).Port();
            }
            const std::string data = "row" + std::to_string(i);
            root.WriteFile(
                data + "/ZEP Rendering/script/pmx_plugin.ini",
                "[general]\r\nport=" + std::to_string(port) + "\r\nlowerversion=1.3\r\n");
            return RunTool(
                ZEP_SUBMIT_PATH,
                {"submit", kExample, "--scene", scene, "--select", "VRayCam_Living", "--json"},
                {"PROGRAMDATA=" + (root.Path() / data).string(), "ZEP_LANGUAGE=ids"});
        }));
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const ToolRun run = runs[i].get();
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << run.out << run.err);
        const Json::Value summary = run.Json();
        EXPECT_TRUE(summary.isObject());
        EXPECT_EQ(summary["result"], Json::Value(rows[i].result));
        EXPECT_EQ(summary["messages"][0]["text"].asString(), rows[i].box);
        EXPECT_TRUE(summary["stdout"].isArray());
        std::string printed;
        for (const Json::Value& line : summary["stdout"]) {
            printed += line.asString() + "\n";
        }
        EXPECT_THAT(printed, testing::MatchesRegex(rows[i].printed));
    }
}

}  // namespace
