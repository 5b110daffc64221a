// zep-submit as its users run it: a real process, real files, its printed JSON and exit code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <optional>
#include <tuple>

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

// Keys match in any case, values lose their blanks and quotes, the port reads as atoi does.
TEST_F(ZepSubmitTest, ConfigPrintsWhatThePluginReads) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                   "[general]\r\nIP = 10.0.0.3 \r\nport=18080tcp\r\nLowerVersion=\"1.3\"\r\n");
    root.WriteFile("ZEP Rendering/script/ZepAntivirusAlc_UTF8.ms", "-- clean");
    // @ stands for the data folder.
    std::string expected = R"({"host": "10.0.0.3", "port": 18080, "lowerVersion": "1.3",
        "archiverPath": "@/7-Zip/7z.exe", "jsonFolder": "@/json", "archiveFolder": "@/compress",
        "logFolder": "@/log1.3", "analysisScriptPath": "@/script/MaxRenderGlobalsParser.mse",
        "adslScriptPath": "@/script/ZepAntivirusAdsl_UTF8.ms",
        "alcScriptPath": "@/script/ZepAntivirusAlc_UTF8.ms",
        "crpScriptPath": "@/script/ZepAntivirusCrp_UTF8.ms", "scripts": [
        {"role": "analysis", "path": "@/script/MaxRenderGlobalsParser.mse", "present": false},
        {"role": "clean ADSL", "path": "@/script/ZepAntivirusAdsl_UTF8.ms", "present": false},
        {"role": "clean ALC", "path": "@/script/ZepAntivirusAlc_UTF8.ms", "present": true},
        {"role": "clean CRP", "path": "@/script/ZepAntivirusCrp_UTF8.ms", "present": false}]})";
    for (size_t at; (at = expected.find('@')) != std::string::npos;) {
        expected.replace(at, 1, root.Path().string() + "/ZEP Rendering");
    }
    ToolRun run = Run({"config"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.Json().isObject()) << run.out;
    EXPECT_EQ(run.Json(), testing_support::ParseJson(expected));
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
    for (const auto& [index, name, width] :
         {std::tuple(0, "Detail_Sofa", 1920), std::tuple(2, "VRayCam_Living", 2400),
          std::tuple(3, "相机_卧室", 1920)}) {
        EXPECT_EQ(cameras[index]["name"].asString(), name);
        EXPECT_EQ(cameras[index]["width"].asInt(), width) << name;
    }
    EXPECT_EQ(cameras[3]["imageFormat"].asString(), "JPG");
    EXPECT_FALSE(cameras[3]["selected"].asBool());
    EXPECT_EQ(model["problems"][0].asString(), "{62}");
    EXPECT_EQ(model["currentSceneName"].asString(), "living room.max");
    EXPECT_EQ(model["irradmapMinRate"].asInt(), -3);
    EXPECT_EQ(model["notices"].size(), model["warnings"].size() + model["problems"].size());

    // A file the dialog would read as an empty scene says why.
    for (const auto& [text, message] : {std::pair("{\"cameras\": [", "Syntax error"),
                                        std::pair("[1, 2]", "holds no JSON object")}) {
        root.WriteFile("bad.json", text);
        run = Run({"inspect", (root.Path() / "bad.json").string()});
        EXPECT_EQ(run.exitCode, 1) << text;
        EXPECT_THAT(run.err, testing::HasSubstr(message)) << run.err;
        EXPECT_EQ(run.out, "") << text;
    }
}

// The job file named by the request id, the notice, and no box; a folder that cannot be made
// gives the plug-in's box and exit code 1.
TEST_F(ZepSubmitTest, JobWritesTheJobDescriptionAndPrintsTheNotice) {
    root.WriteFile("out/json/.keep", "");
    ToolRun run = Run({"job", kExample, "--json-folder", JsonFolder(), "--scene",
                       "D:\\projects\\living room\\living room.max", "--select", "VRayCam_Living",
                       "--camera", "Detail_Sofa:width=640,height=480", "--select", "Detail_Sofa",
                       "--gi", "1", "--request-id", "6F9619FF-8B86-D011-B42D-00C04FC964FF"});
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
    Json::Value output = run.Json();
    EXPECT_TRUE(output["result"].asBool());
    EXPECT_EQ(output["jobFile"].asString(),
              JsonFolder() + "/6F9619FF-8B86-D011-B42D-00C04FC964FF.json");
    EXPECT_TRUE(root.Exists("out/json/6F9619FF-8B86-D011-B42D-00C04FC964FF.json"));
    EXPECT_TRUE(output["notice"].isObject());
    EXPECT_EQ(output["messages"].size(), 0u);

    run = Run({"job", kExample, "--json-folder", (root.Path() / "missing/deeper/json").string(),
               "--scene", "s.max", "--select-all"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    output = run.Json();
    EXPECT_FALSE(output["result"].asBool());
    EXPECT_EQ(output["messages"][0]["text"].asString(), "{42}");
    EXPECT_EQ(output["messages"][0]["buttons"].asString(), "OK");
}

// A flag the dialog does not take, a malformed one, a missing argument or an unreadable file.
TEST_F(ZepSubmitTest, FlagsThatDoNotFitTheSceneAreExitCodeTwo) {
    const std::vector<std::string> job{"job",        kExample,  "--json-folder",
                                       JsonFolder(), "--scene", "s.max"};
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"--select", "NoSuchCamera"}, ""},
        {{"--block-mode", "7"}, ""},
        {{"--camera", "VRayCam_Living:depth=3"}, "--camera"},
    };
    for (const auto& [flags, message] : runs) {
        std::vector<std::string> arguments = job;
        arguments.insert(arguments.end(), flags.begin(), flags.end());
        ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << flags[0];
        EXPECT_THAT(run.err, testing::HasSubstr(message));
    }
    EXPECT_EQ(Run({"job", kExample, "--scene", "s.max"}).exitCode, 2);

    // Names no output file can take stop the dialog; the summary lists them.
    Json::Value analysis = testing_support::ParseJson(testing_support::ReadBytes(kExample));
    analysis["cameras"][0]["name"] = "Cam:1";
    analysis["cameras"][1]["name"] = "Cam?2";
    root.WriteFile("names.json", analysis.toStyledString());
    ToolRun names = Run({"job", (root.Path() / "names.json").string(), "--json-folder",
                         JsonFolder(), "--scene", "s.max"});
    EXPECT_EQ(names.exitCode, 1) << names.err;
    Json::Value summary = names.Json();
    EXPECT_EQ(summary["stoppedAt"], "camera names");
    EXPECT_EQ(summary["refusedNames"], testing_support::ParseJson(R"(["Cam:1", "Cam?2"])"))
        << names.out;
    ToolRun missing = Run({"inspect", (root.Path() / "none.json").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_THAT(missing.err, testing::HasSubstr("cannot read"));
}

// Whatever the farm client answers, `submit --json` prints one JSON document: the plug-in's own
// line for an unreadable reply goes into its "stdout" member. (A failed socket or send cannot be
// brought about from outside; the client link's own tests cover them, and every answer.)
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
        {head + R"({"ret":100)", -1, "{53}", readError},
        {head + R"({"ret":10010,"err":"磁盘已满"})", 10010, "磁盘已满", ""},
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

// Paths are taken from the current folder and made absolute, as the host gives them: the archive
// holds the scene by its name and the job names the scene's full path.
TEST_F(ZepSubmitTest, RelativePathsAreTakenFromTheCurrentFolder) {
    root.WriteFile("scenes/living room.max", "scene");
    client_test::RawServer server("HTTP/1.1 200 OK\r\n\r\n{}");
    root.WriteFile(
        "ZEP Rendering/script/pmx_plugin.ini",
        "[general]\r\nport=" + std::to_string(server.Port()) + "\r\nlowerversion=1.3.7\r\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(root.Path());
    ToolRun run = Run({"submit", kExample, "--scene", "scenes/../scenes/living room.max",
                       "--select", "VRayCam_Living", "--json"});
    std::filesystem::current_path(before);
    const Json::Value summary = run.Json();
    ASSERT_EQ(summary["result"], Json::Value(0)) << run.out << run.err;
    const std::string scenes = (root.Path() / "scenes").string();
    EXPECT_EQ(summary["outputFolder"].asString().rfind(scenes + "/", 0), 0u) << run.out;
    EXPECT_THAT(testing_support::ReadBytes(summary["jobFile"].asString()),
                testing::HasSubstr(scenes + "/living room.max"));
}

}  // namespace
