// The simulated host's scene and interpreter, reached as the plug-in reaches them (through the
// SDK's MAXScript entry and core interface), with the scripts farm-client install lays out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "host/simulated_host.h"
#include "maxapi.h"
#include "maxscript/maxscript.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"
#include "tools/max-sim/host/simulated_max.h"

namespace {

using testing_support::ParseJson;
using testing_support::U16;

constexpr char kBom[] = "\xEF\xBB\xBF";

class SimulatedMaxTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        testing_support::ToolRun run =
            testing_support::RunTool(FARM_CLIENT_PATH, {"install", "--root", root.Path().string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        maxsim::ResetHost();
    }
    void TearDown() override { maxsim::ResetHost(); }

    // A scene file with the scripts of all three families and a member of its own.
    std::string WriteScene(const std::string& analysis = R"({"cameras": []})",
                           const std::string& flags = "") {
        root.WriteFile("scenes/shot 1.max", R"({"analysis": )" + analysis + flags +
                                                R"(, "scripts": [{"family": "ADSL", "name": "a"},
                                            {"family": "ALC", "name": "b"},
                                            {"family": "CRP", "name": "c"}],
                              "units": "cm"})");
        return (root.Path() / "scenes/shot 1.max").string();
    }
    void Start(maxsim::SimulatedMax& host, const std::string& scene) {
        host.Install();
        std::string error;
        ASSERT_TRUE(host.Open(U16(scene), error)) << error;
    }
    std::string Script(const std::string& name) {
        return (root.Path() / "ZEP Rendering/script" / name).string();
    }
    static BOOL Run(const std::string& script) {
        FPValue value;
        return ExecuteMAXScriptScript(U16(script).c_str(), MAXScript::ScriptSource::NonEmbedded,
                                      FALSE, &value, TRUE);
    }
};

TEST_F(SimulatedMaxTest, InstalledScriptsRunByTheirRole) {
    const std::pair<const char*, std::vector<std::string>> scripts[] = {
        {"MaxRenderGlobalsParser.mse", {"ADSL", "ALC", "CRP"}},
        {"ZepAntivirusAdsl_UTF8.ms", {"ALC", "CRP"}},
        {"ZepAntivirusAlc_UTF8.ms", {"ADSL", "CRP"}},
        {"ZepAntivirusCrp_UTF8.ms", {"ADSL", "ALC"}},
    };
    for (const auto& [name, familiesLeft] : scripts) {
        SCOPED_TRACE(name);
        maxsim::SimulatedMax host;
        Start(host, WriteScene());
        EXPECT_EQ(Run("fileIn \"" + Script(name) + "\""), 1);
        EXPECT_THAT(host.ListenerLines(), testing::IsEmpty());
        // A cleaning script has saved the scene without its family's scripts.
        Json::Value scene = ParseJson(root.ReadFile("scenes/shot 1.max"));
        std::vector<std::string> families;
        for (const Json::Value& script : scene["scripts"]) {
            families.push_back(script["family"].asString());
        }
        EXPECT_EQ(families, familiesLeft);
        EXPECT_EQ(scene["units"].asString(), "cm");
    }
}

TEST_F(SimulatedMaxTest, CallsThatCannotRunReturnZeroWithAListenerLine) {
    root.WriteFile("ZEP Rendering/script/other.ms", "print \"hello\"\n");
    const std::pair<std::string, const char*> calls[] = {
        {"fileIn \"" + Script("missing.ms") + "\"", "cannot open"},
        {"fileIn \"" + Script("other.ms") + "\"", "cannot run"},
        {"print \"hello\"", "Syntax error"},
        {"gMax.analysis \"" + Script("r.ret") + "\" \"\"", "gMax is undefined"},
    };
    for (const auto& [script, line] : calls) {
        SCOPED_TRACE(script);
        maxsim::SimulatedMax host;
        Start(host, WriteScene());
        EXPECT_EQ(Run(script), 0);
        EXPECT_THAT(host.ListenerLines(), testing::ElementsAre(testing::HasSubstr(line)));
    }
    maxsim::SimulatedMax failing(maxsim::HostFailures{true, false});
    Start(failing, WriteScene());
    EXPECT_EQ(Run("fileIn \"" + Script("MaxRenderGlobalsParser.mse") + "\""), 0);
    EXPECT_THAT(failing.ListenerLines(), testing::SizeIs(1));
}

// As the scene gives it, and with a byte-order mark, the side file and a name of its own.
TEST_F(SimulatedMaxTest, AnalysisWritesTheScenesAnalysis) {
    for (bool marked : {false, true}) {
        SCOPED_TRACE(marked);
        maxsim::SimulatedMax host;
        const std::string scenePath =
            marked ? WriteScene(R"({"cameras": [{"name": "相机"}], "name": "D:\\old\\shot.max"})",
                                R"(, "analysisBom": true, "analysisSideFile": true)")
                   : WriteScene(R"({"cameras": [{"name": "相机"}]})");
        Start(host, scenePath);
        std::string result = (root.Path() / "ZEP Rendering/json/A.ret").string();
        EXPECT_EQ(Run("fileIn \"" + Script("MaxRenderGlobalsParser.mse") + "\"\ngMax.analysis \"" +
                      result + "\" \"\""),
                  1);
        std::string bytes = root.ReadFile("ZEP Rendering/json/A.ret");
        EXPECT_EQ(bytes.rfind(kBom, 0) == 0, marked);
        Json::Value analysis = ParseJson(marked ? bytes.substr(3) : bytes);
        EXPECT_EQ(analysis["cameras"][0]["name"].asString(), "相机");
        EXPECT_EQ(analysis["name"].asString(), marked ? "D:\\old\\shot.max" : scenePath);
        EXPECT_EQ(root.Exists("ZEP Rendering/json/A.ret.log"), marked);
    }
}

TEST_F(SimulatedMaxTest, SavingWritesTheSceneUnderItsNewPath) {
    maxsim::SimulatedMax host;
    Start(host, WriteScene());
    std::string copy = (root.Path() / "scenes/shot 2.max").string();
    EXPECT_EQ(GetCOREInterface()->SaveToFile(U16(copy).c_str(), TRUE, TRUE), TRUE);
    EXPECT_EQ(maxsim::CurrentScenePath(), U16(copy));
    EXPECT_EQ(ParseJson(root.ReadFile("scenes/shot 2.max"))["units"].asString(), "cm");

    maxsim::SimulatedMax failing(maxsim::HostFailures{false, true});
    Start(failing, WriteScene());
    EXPECT_EQ(GetCOREInterface()->SaveToFile(U16(copy + "3").c_str(), TRUE, TRUE), FALSE);
    EXPECT_FALSE(root.Exists("scenes/shot 2.max3"));
}

}  // namespace
