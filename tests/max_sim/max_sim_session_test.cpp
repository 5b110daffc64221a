// max-sim as people and scripts run it: a real process loading the built plug-in module, its
// events as JSON and its exit code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/temp_root.h"
#include "tests/tools/tool_run.h"

namespace {

using testing_support::RunTool;
using testing_support::ToolRun;

class MaxSimTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        ToolRun install = RunTool(FARM_CLIENT_PATH, {"install", "--root", root.Path().string()});
        ASSERT_EQ(install.exitCode, 0) << install.err;
        root.WriteFile("scenes/shot1.max", R"({"analysis": {"cameras": [{"name": "Cam01"}],
                                                 "renderer_full_name": "V_Ray 6"}})");
    }
    ToolRun Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--json");
        return RunTool(MAX_SIM_PATH, arguments,
                       {"PROGRAMDATA=" + root.Path().string(), "ZEP_LANGUAGE=en"});
    }
    std::string Scene() { return (root.Path() / "scenes/shot1.max").string(); }

    // The events of a run that printed one JSON record, but for the plug-in's calls into the
    // host, each of which must have come on the host's thread.
    static Json::Value Events(const ToolRun& run) {
        Json::Value all = run.Json()["events"];
        EXPECT_TRUE(all.isArray()) << run.out << run.err;
        Json::Value events(Json::arrayValue);
        for (const Json::Value& event : all) {
            if (event["event"] != "host") {
                events.append(event);
            } else {
                EXPECT_TRUE(event["uiThread"].asBool()) << event["call"];
            }
        }
        return events;
    }
    // The first event of a kind (null when there is none) and the count of a kind.
    static Json::Value First(const Json::Value& events, const std::string& kind) {
        for (const Json::Value& event : events) {
            if (event["event"] == kind) {
                return event;
            }
        }
        return Json::Value();
    }
    static long Count(const Json::Value& events, const std::string& kind) {
        return std::count_if(events.begin(), events.end(),
                             [&kind](const Json::Value& event) { return event["event"] == kind; });
    }
};

TEST_F(MaxSimTest, TheMenuCommandOpensTheMainDialog) {
    ToolRun run = Run({"open", Scene(), "menu", "action 1497", "show", "close"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    Json::Value events = Events(run);
    EXPECT_TRUE(First(events, "error").isNull()) << run.out;

    const Json::Value bar = First(events, "menu")["bar"];
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar[0]["title"].asString(), "File");
    EXPECT_EQ(bar[4], testing_support::ParseJson(R"({"title": "ZEP Rendering", "items": [
        {"command": 1497, "text": "Submit Scene to Farm..."}, {"separator": true},
        {"command": 1498, "text": "About ZEP Rendering"}]})"));

    EXPECT_EQ(First(events, "opened")["dialog"].asInt(), 102);
    EXPECT_EQ(First(events, "dialog")["dialog"].asInt(), 102);
    EXPECT_FALSE(First(events, "dialog")["controls"].empty());
    const Json::Value& last = events[events.size() - 1];
    EXPECT_EQ(last["event"].asString(), "ended");
    EXPECT_EQ(last["dialog"].asInt(), 102);
    EXPECT_TRUE(First(events, "close").isNull());
}

// The worker's steps show as they begin, and every press of Submit ends in a submission event:
// here one the client does not answer, and one in a scene that was never saved.
TEST_F(MaxSimTest, EveryPressOfSubmitEndsInASubmissionEvent) {
    ToolRun run = Run({"open", Scene(), "action 1497", "tick Cam01", "click 1005", "wait", "new",
                       "action 1497", "click 1005", "wait"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    std::vector<std::string> steps;
    std::vector<std::string> stops;
    for (const Json::Value& event : Events(run)) {
        if (event["event"] == "step") {
            steps.push_back(event["step"].asString());
        } else if (event["event"] == "submission") {
            stops.push_back(std::to_string(event["result"].asInt()) + " " +
                            event["stoppedAt"].asString());
        }
    }
    EXPECT_EQ(steps.front(), "corona limits");
    EXPECT_EQ(steps.back(), "send");
    EXPECT_THAT(stops, testing::ElementsAre("-1 ", "0 scene save"));
}

TEST_F(MaxSimTest, StepsThatRunOutCloseTheDialog) {
    root.WriteFile("session.txt", "# from a file\nopen " + Scene() + "\naction 1497\n");
    ToolRun run = Run({"--fail", "winsock", "--steps", (root.Path() / "session.txt").string()});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    Json::Value events = Events(run);
    EXPECT_EQ(First(events, "stdout")["text"].asString(), "Load WinSock Failed!");
    EXPECT_EQ(First(events, "close")["dialog"].asInt(), 102);
    EXPECT_EQ(events[events.size() - 1]["event"].asString(), "ended");
}

TEST_F(MaxSimTest, StepsThatCannotBeAppliedEndTheSession) {
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"menu", "fly"}, "unknown step \"fly\""},
        {{"click 1005"}, "no dialog is open"},
        {{"open /nonexistent/shot.max"}, "cannot read the scene file"},
        {{"action 4242"}, "no action table has command 4242"},
        {{"action 1497", "click 4242", "show"}, "dialog 102: the dialog has no control 4242"},
        {{"action 1497", "tick Nobody"}, "dialog 102: the camera list has no row \"Nobody\""},
        {{"--plugin", "/nonexistent/plugin.so", "menu"}, "cannot load"},
    };
    for (const auto& [arguments, text] : runs) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
        Json::Value events = Events(run);
        EXPECT_THAT(First(events, "error")["text"].asString(), testing::HasSubstr(text)) << run.out;
        EXPECT_TRUE(First(events, "dialog").isNull());
        // A dialog open when a step failed is closed all the same.
        EXPECT_EQ(Count(events, "opened"), Count(events, "ended"));
    }
}

}  // namespace
