#include "scene/submission_choices.h"

#include <gtest/gtest.h>

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

TEST_F(SubmissionChoicesTest, TicksReplaceTheSelectionAndEditsReachTheirCamera) {
    choices.tickedCameras = {u"Cam B"};
    CameraEdit edit;
    edit.name = u"Cam B";
    edit.width = 4000;
    edit.outputName = u"hero";
    edit.isSpherical = true;
    choices.cameraEdits = {edit};
    ApplySubmissionChoices(state, choices);
    EXPECT_FALSE(state.cameras[u"Cam A"].selected);
    const CameraInfo& b = state.cameras[u"Cam B"];
    EXPECT_TRUE(b.selected);
    EXPECT_EQ(b.width, 4000);
    EXPECT_EQ(b.height, 600);
    EXPECT_EQ(b.outputName, u"hero");
    EXPECT_EQ(b.imageFormat, u"PNG");
    EXPECT_TRUE(b.isSpherical);
}

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
    EXPECT_EQ(state.coronaPassLimit, 25);
    EXPECT_DOUBLE_EQ(state.coronaTimeHours, 1.5);
    EXPECT_EQ(state.coronaTimeSeconds, 5400);
    EXPECT_DOUBLE_EQ(state.coronaNoiseLimit, 2.5);
    EXPECT_TRUE(state.useCorona);

    // All three fields zero: the analysis values stay, Corona is still used.
    state.useCorona = false;
    choices.coronaPassesText = u"0.4";
    choices.coronaHoursText = u"abc";
    choices.coronaNoiseText = u"0";
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(state.coronaPassLimit, 25);
    EXPECT_TRUE(state.useCorona);
}

TEST_F(SubmissionChoicesTest, ChannelsCountOnlyAnExactTick) {
    choices.colorChannel = 1;
    choices.materialChannel = 2;  // indeterminate is not ticked
    choices.giChannel = 1;
    choices.psdChannel = 1;
    choices.gammaText = u"1.0 linear";
    ApplySubmissionChoices(state, choices);
    EXPECT_TRUE(state.colorChannel);
    EXPECT_FALSE(state.materialChannel);
    EXPECT_TRUE(state.giChannel);
    EXPECT_TRUE(state.psdChannel);
    EXPECT_FLOAT_EQ(state.gammaOut, 1.0f);
}

TEST_F(SubmissionChoicesTest, AoRadiusAndSubdivisionsOnlyWithTheAoChannel) {
    choices.aoRadiusText = u"250.5";
    choices.aoSubdivsText = u"8.9";
    ApplySubmissionChoices(state, choices);
    EXPECT_DOUBLE_EQ(state.aoRadius, 1000.0);
    EXPECT_EQ(state.aoSubdivs, 16);
    choices.aoChannel = 1;
    ApplySubmissionChoices(state, choices);
    EXPECT_TRUE(state.aoChannel);
    EXPECT_DOUBLE_EQ(state.aoRadius, 250.5);
    EXPECT_EQ(state.aoSubdivs, 8);
}

TEST_F(SubmissionChoicesTest, BlocksAndGiScale) {
    choices.blockMode = 1010;
    choices.distributedCount = 4;
    choices.giScaleIndex = 2;
    ApplySubmissionChoices(state, choices);
    EXPECT_EQ(state.blockMode, 1010);
    EXPECT_EQ(state.distributedCount, 4);
    PluginSettings settings;
    ApplyGiScale(settings, choices);
    EXPECT_EQ(settings.giScaleIndex, 2);
    EXPECT_EQ(settings.giScaleText, "33%");
    EXPECT_EQ(GiScaleText(3), "25%");
    EXPECT_EQ(GiScaleText(-1), "100%");
}

}  // namespace
