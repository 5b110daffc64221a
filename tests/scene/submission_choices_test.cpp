#include "scene/submission_choices.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/plugin_settings.h"
#include "scene/plugin_state.h"
#include "tests/support/temp_root.h"

namespace {

class SubmissionChoicesTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        state.cameras[u"Cam A"] = CameraInfo{1920, 1080, 0, u"JPG", true, u"Cam A", false};
        state.cameras[u"Cam B"] = CameraInfo{800, 600, 5, u"PNG", false, u"Cam B", false};
    }
    PluginState state;
    SubmissionChoices choices;
};

TEST_F(SubmissionChoicesTest, CoronaFieldsApplyOnlyInACoronaSceneAndWhenOneIsSet) {
    state.coronaPassLimit = 7;
    choices.coronaPassesText = u"25.9";
    choices.coronaHoursText = u"1.5";
    choices.coronaNoiseText = u"2.5";
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(state.coronaPassLimit, 7);  // not a Corona scene
    EXPECT_FALSE(state.useCorona);

    state.coronaState = 3;
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(std::tie(state.coronaPassLimit, state.coronaTimeSeconds, state.useCorona),
              std::make_tuple(25, 5400, true));
    EXPECT_DOUBLE_EQ(state.coronaTimeHours, 1.5);
    EXPECT_DOUBLE_EQ(state.coronaNoiseLimit, 2.5);

    // All three fields zero: the analysis values stay, Corona is still used.
    state.useCorona = false;
    choices.coronaPassesText = u"0.4";
    choices.coronaHoursText = u"abc";
    choices.coronaNoiseText = u"0";
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(state.coronaPassLimit, 25);
    EXPECT_TRUE(state.useCorona);
}

TEST_F(SubmissionChoicesTest, ChannelsCountOnlyAnExactTickAndAoValuesNeedTheAoChannel) {
    choices.colorChannel = 1;
    choices.materialChannel = 2;  // indeterminate is not ticked
    choices.giChannel = 1;
    choices.psdChannel = 1;
    choices.gammaText = u"1.0 linear";
    choices.aoRadiusText = u"250.5";
    choices.aoSubdivsText = u"8.9";
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(std::tie(state.colorChannel, state.materialChannel, state.giChannel, state.psdChannel,
                       state.aoChannel, state.aoSubdivs),
              std::make_tuple(true, false, true, true, false, 16));
    EXPECT_FLOAT_EQ(state.gammaOut, 1.0f);
    EXPECT_DOUBLE_EQ(state.aoRadius, 1000.0);

    choices.aoChannel = 1;
    ApplySubmissionChoices(state, choices);
    EXPECT_DOUBLE_EQ(state.aoRadius, 250.5);
    EXPECT_EQ(state.aoSubdivs, 8);
}

TEST_F(SubmissionChoicesTest, GiScale) {
    choices.giScaleIndex = 2;
    PluginSettings settings;
    ApplyGiScale(settings, choices);
    EXPECT_EQ(std::tie(settings.giScaleIndex, settings.giScaleText), std::make_tuple(2, "33%"));
    EXPECT_EQ(GiScaleText(3), "25%");
    EXPECT_EQ(GiScaleText(-1), "100%");
}

}  // namespace
