#include "scene/plugin_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/temp_root.h"

namespace {

using testing::ElementsAre;
using testing_support::TempRootTest;

class PluginStateTest : public TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/x", ""); }
};

TEST_F(PluginStateTest, StartsWithTheDocumentedValues) {
    PluginState state;
    EXPECT_EQ(state.blockMode, 1);
    EXPECT_EQ(state.distributedCount, 0);
    EXPECT_FLOAT_EQ(state.gammaOut, 2.2f);
    EXPECT_EQ(state.coronaState, 0);
    EXPECT_DOUBLE_EQ(state.aoRadius, 1000.0);
    EXPECT_EQ(state.aoSubdivs, 16);
    EXPECT_DOUBLE_EQ(state.dialogScale, 1.0);
    EXPECT_THAT(state.checkBoxIds, ElementsAre(1043, 1044, 1051, 1053, 1056, 1002, 1001));
    EXPECT_THAT(state.comboBoxIds, ElementsAre(1057));
    EXPECT_THAT(state.editIds, ElementsAre(1047, 1040, 1037, 1039, 1054, 1045));
    EXPECT_THAT(state.radioIds, ElementsAre(1030, 1031, 1032, 1033));
    EXPECT_EQ(state.submitThread, nullptr);
    EXPECT_EQ(state.progressThread, nullptr);
    EXPECT_EQ(state.submitRunState.load(), -1);
    EXPECT_EQ(state.progressRunState.load(), -1);
    EXPECT_FALSE(state.closeProgress.load());
    EXPECT_FALSE(state.hideProgress.load());
    EXPECT_FALSE(state.referenceFileIllegal);
    CameraInfo camera;
    EXPECT_EQ(camera.frameToRender, 1);
    EXPECT_FALSE(camera.selected);
    EXPECT_FALSE(camera.isSpherical);
}

TEST_F(PluginStateTest, LogsToPmxData) {
    PluginState state;
    state.log.Write("hello", "INFO");
    EXPECT_THAT(root.ReadFile("ZEP Rendering/log/pmx_data.log"),
                testing::EndsWith("[INFO] hello\r\n"));
}

TEST_F(PluginStateTest, NoticesAreWarningsThenProblemsRebuiltEachTime) {
    PluginState state;
    state.warnings = {u"w1", u"w2"};
    state.problems = {u"p1"};
    state.notices = {u"old"};
    EXPECT_THAT(CollectNotices(state), ElementsAre(u"w1", u"w2", u"p1"));
    state.warnings.clear();
    EXPECT_THAT(CollectNotices(state), ElementsAre(u"p1"));
    EXPECT_EQ(&CollectNotices(state), &state.notices);
}

TEST_F(PluginStateTest, TheOneStateTakesBlockModeAndDistributedCount) {
    PluginState& state = GetPluginState();
    EXPECT_EQ(&state, &GetPluginState());
    SetBlockMode(1010);
    SetDistributedCount(4);
    EXPECT_EQ(state.blockMode, 1010);
    EXPECT_EQ(state.distributedCount, 4);
    EXPECT_EQ(&GetCameras(state), &state.cameras);
}

}  // namespace
