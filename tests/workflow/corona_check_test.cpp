#include "workflow/corona_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "resources/string_loader.h"
#include "scene/plugin_state.h"
#include "tests/support/temp_root.h"

namespace {

class CoronaCheckTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        ::setenv("ZEP_LANGUAGE", "ids", 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        win::TakeMessageBoxes();
        Limits(1, 0, 0, 0.0);
    }
    void Limits(int32_t stateCode, int32_t passes, int32_t seconds, double noise) {
        PluginState& state = GetPluginState();
        state.coronaState = stateCode;
        state.coronaPassLimit = passes;
        state.coronaTimeSeconds = seconds;
        state.coronaNoiseLimit = noise;
    }
};

TEST_F(CoronaCheckTest, AnUnlimitedCoronaSceneIsRefusedWithOneBox) {
    for (int32_t stateCode : {1, 2}) {
        Limits(stateCode, 0, 0, 0.0);
        EXPECT_FALSE(ConfirmCoronaLimits(nullptr));
        std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"{74}");
        EXPECT_EQ(boxes[0].caption, u"{68}");
        EXPECT_EQ(boxes[0].type, win::kMbOk);
        EXPECT_EQ(boxes[0].language, 1033);
    }
}

TEST_F(CoronaCheckTest, AnyLimitOrAnotherStateLetsTheSubmissionGoOn) {
    Limits(1, 5, 0, 0.0);
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    Limits(2, 0, 60, 0.0);
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    Limits(1, 0, 0, 0.5);
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    Limits(1, 0, 0, std::nan(""));
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    Limits(0, 0, 0, 0.0);
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    Limits(3, 0, 0, 0.0);
    EXPECT_TRUE(ConfirmCoronaLimits(nullptr));
    EXPECT_TRUE(win::TakeMessageBoxes().empty());
}

}  // namespace
