#include "scene/submission_choices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "config/plugin_settings.h"
#include "scene/plugin_state.h"
#include "tests/support/temp_root.h"

namespace {

class SubmissionChoicesTest : public testing_support::TempRootTest {
protected:
    PluginState state;
    SubmissionChoices choices;
};

// The analysis limits here are 7 passes, 900 s (0.25 h) and a noise level of 0.5. A count is
// cut toward zero; far beyond 32 bits it stops at the nearest end.
TEST_F(SubmissionChoicesTest, CoronaFieldsApplyOnlyInACoronaSceneAndWhenOneIsSet) {
    struct Row {
        int32_t coronaState;
        const char16_t *passes, *hours, *noise;
        int32_t passLimit, seconds;
        double hoursLimit, noiseLimit;
        bool used;
    };
    for (const Row& r : {
             Row{0, u"25.9", u"1.5", u"2.5", 7, 900, 0.25, 0.5, false},  // not a Corona scene
             Row{3, u"25.9", u"1.5", u"2.5", 25, 5400, 1.5, 2.5, true},
             // All three zero: the analysis values stay, Corona is still used.
             Row{3, u"0.4", u"abc", u"0", 7, 900, 0.25, 0.5, true},
             Row{1, u"1e10", u"-1e10", u"0", INT32_MAX, INT32_MIN, -1e10, 0.0, true},
             Row{3, u"-1e10", u"1e10", u"0", INT32_MIN, INT32_MAX, 1e10, 0.0, true},
         }) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(r.passes)));
        std::tie(state.coronaState, state.coronaPassLimit, state.coronaTimeSeconds,
                 state.coronaTimeHours, state.coronaNoiseLimit, state.useCorona) =
            std::make_tuple(r.coronaState, 7, 900, 0.25, 0.5, false);
        choices.coronaPassesText = r.passes;
        choices.coronaHoursText = r.hours;
        choices.coronaNoiseText = r.noise;
        ApplySubmissionChoices(state, choices);
        EXPECT_EQ(std::tie(state.coronaPassLimit, state.coronaTimeSeconds, state.useCorona),
                  std::make_tuple(r.passLimit, r.seconds, r.used));
        EXPECT_DOUBLE_EQ(state.coronaTimeHours, r.hoursLimit);
        EXPECT_DOUBLE_EQ(state.coronaNoiseLimit, r.noiseLimit);
    }
}

// Material 2 is the indeterminate state, which is not a tick.
TEST_F(SubmissionChoicesTest, ChannelsCountOnlyAnExactTickAndAoValuesNeedTheAoChannel) {
    choices = {.colorChannel = 1,
               .aoRadiusText = u"250.5",
               .aoSubdivsText = u"8.9",
               .materialChannel = 2,
               .giChannel = 1,
               .psdChannel = 1,
               .gammaText = u"1.0 linear"};
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
