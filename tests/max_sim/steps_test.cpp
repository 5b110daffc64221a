// The steps of a max-sim session as people write them, on the command line and in files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/max-sim/steps.h"

namespace {

using maxsim::Step;
using maxsim::StepKind;

struct GoodLine {
    const char* line;
    StepKind kind;
    int number;
    int value;
    const char* text;
};

TEST(StepsTest, LinesThatAreSteps) {
    const GoodLine lines[] = {
        {"open /tmp/my scenes/shot 1.max", StepKind::Open, 0, 0, "/tmp/my scenes/shot 1.max"},
        {"  action 1497 ", StepKind::Action, 1497, 0, ""},
        {"text 1036 living room v2", StepKind::Text, 1036, 0, "living room v2"},
        {"text 1036", StepKind::Text, 1036, 0, ""},
        {"combo 1057 2", StepKind::Combo, 1057, 2, ""},
        {"spin 1048 -3", StepKind::Spin, 1048, -3, ""},
        {"spin 1048 +2", StepKind::Spin, 1048, 2, ""},
        {"tick 相机 卧室", StepKind::Tick, 0, 0, "相机 卧室"},
        {"dblclick-empty", StepKind::DoubleClickEmpty, 0, 0, ""},
        {"answer No", StepKind::Answer, 0, 7, "No"},
        {"notify-startup", StepKind::NotifyStartup, 0, 0, ""},
        {"picture build/gallery/main en.png", StepKind::Picture, 0, 0, "build/gallery/main en.png"},
    };
    for (const GoodLine& good : lines) {
        SCOPED_TRACE(good.line);
        Step step;
        std::string error;
        ASSERT_TRUE(maxsim::ParseStepLine(good.line, step, error)) << error;
        EXPECT_EQ(step.kind, good.kind);
        EXPECT_EQ(step.number, good.number);
        EXPECT_EQ(step.value, good.value);
        EXPECT_EQ(step.text, good.text);
    }
}

TEST(StepsTest, LinesThatAreNot) {
    const std::pair<const char*, const char*> lines[] = {
        {"fly away", "unknown step \"fly\""},
        {"click", "step click takes NUMBER"},
        {"click first", "\"first\" is not a number"},
        {"click 1005 twice", "step click takes NUMBER"},
        {"show 102", "step show takes nothing"},
        {"combo 1057 -1", "a list entry is numbered from 0"},
        {"answer maybe", "the answer is ok, cancel, yes or no"},
        {"tick", "step tick needs a camera name"},
        {"open", "step open needs a path"},
    };
    for (const auto& [line, message] : lines) {
        SCOPED_TRACE(line);
        Step step;
        std::string error;
        EXPECT_FALSE(maxsim::ParseStepLine(line, step, error));
        EXPECT_THAT(error, testing::HasSubstr(message));
    }
}

TEST(StepsTest, WordsAndFiles) {
    std::vector<Step> steps;
    std::string failed;
    std::string error;
    ASSERT_TRUE(maxsim::ParseStepWords(
        {"action 1497", "text", "1036", "my scene", "select", "Cam A,Cam B", "spin", "1048", "-1"},
        steps, failed, error))
        << error;
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].kind, StepKind::Action);
    EXPECT_EQ(steps[1].text, "my scene");
    EXPECT_EQ(steps[1].source, "text 1036 my scene");
    EXPECT_THAT(steps[2].names, testing::ElementsAre("Cam A", "Cam B"));
    EXPECT_EQ(steps[3].value, -1);

    EXPECT_FALSE(maxsim::ParseStepWords({"show", "combo", "1057"}, steps, failed, error));
    EXPECT_EQ(failed, "combo 1057");

    steps.clear();
    ASSERT_TRUE(maxsim::ParseStepText("# a session\n\nmenu\r\nselect Cam A, Cam B\n", steps, failed,
                                      error));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_THAT(steps[1].names, testing::ElementsAre("Cam A", "Cam B"));
    EXPECT_FALSE(maxsim::ParseStepText("menu\nclick it\n", steps, failed, error));
    EXPECT_EQ(failed, "click it");
}

}  // namespace
