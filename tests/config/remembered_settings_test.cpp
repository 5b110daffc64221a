#include "config/remembered_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/profile.h"
#include "tests/support/environment.h"
#include "tests/support/temp_root.h"

namespace {

class RememberedSettingsTest : public testing_support::TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/pmx_plugin.ini", ""); }

    std::string ConfigText() const { return root.ReadFile("ZEP Rendering/script/pmx_plugin.ini"); }

    // A dialog whose controls hold the given states; anything not given is clear or empty.
    ControlReader Dialog() {
        return ControlReader{
            [this](int id) { return checks.count(id) ? checks[id] : 0u; },
            [this](int) { return comboSelection; },
            [this](int id) { return edits.count(id) ? edits[id] : std::u16string(); }};
    }

    std::map<int, unsigned> checks;
    int comboSelection = -1;
    std::map<int, std::u16string> edits;
};

TEST_F(RememberedSettingsTest, ClearRememberBoxWritesTheResetColumnInTableOrder) {
    checks = {{1043, 1}, {1001, 0}, {1031, 1}};
    edits = {{1040, u"55"}};
    RememberDialogSettings(Dialog());
    EXPECT_EQ(ConfigText(),
              "[general]\r\n"
              "RENDER_CHANNEL_COLOR=0\r\nRENDER_CHANNEL_AO=0\r\nCHECK_RENDER_MTL=0\r\n"
              "CHECK_PSD=0\r\nCHECK_GI=0\r\nIDC_SAVE_SCENE_FILE=1\r\nREMBER_SETTING=0\r\n"
              "GI_SIZE=0\r\n"
              "EDIT_DURATION2=0\r\nEDIT_AO_RADIUS=1000.0\r\nEDIT_AO_SUBDIVS=16\r\n"
              "EDIT_OUTPUT_GAMMA=2.2\r\nEDIT_ITERATIONS_A=0\r\nEDIT_NOISE_LEVEL2=0\r\n"
              "NOBLOCK=1\r\nTHREEBLOCK=0\r\nSIXBLOCK=0\r\nDCSBLOCK=0\r\n");
    EXPECT_EQ(KeyForControl(1057), u"GI_SIZE");
    EXPECT_EQ(KeyForControl(1000), u"");  // a control without a setting
}

TEST_F(RememberedSettingsTest, TickedRememberBoxWritesTheControlsInTheirStoredForms) {
    checks = {{1001, 1}, {1044, 1}, {1002, 0}, {1053, 2}, {1032, 1}};
    comboSelection = 3;
    edits = {{1040, u" 12 "}, {1039, u"abc"}, {1047, u"场景"}};
    RememberDialogSettings(Dialog());
    const std::u16string file = root.Wide("ZEP Rendering/script/pmx_plugin.ini");
    std::vector<std::u16string> values;
    for (const char16_t* key :
         {u"REMBER_SETTING", u"RENDER_CHANNEL_AO", u"IDC_SAVE_SCENE_FILE", u"CHECK_PSD", u"GI_SIZE",
          u"SIXBLOCK", u"NOBLOCK", u"EDIT_OUTPUT_GAMMA", u"EDIT_DURATION2", u"EDIT_AO_SUBDIVS"}) {
        values.push_back(os::GetPrivateProfileString(u"general", key, u"<none>", 2048, file));
    }
    EXPECT_EQ(values, (std::vector<std::u16string>{u"1", u"1", u"0", u"2", u"3", u"1", u"0", u"abc",
                                                   u"场景", u""}));
    // The edit's blanks are stored; only reading trims them.
    if (testing_support::RunningUnderWine()) {
        GTEST_SKIP() << "Wine trims values on writing";
    }
    EXPECT_NE(ConfigText().find("\r\nEDIT_AO_RADIUS= 12 \r\n"), std::string::npos);
}

TEST_F(RememberedSettingsTest, ComboSelectionOutsideOneToThreeIsStoredAsZero) {
    checks = {{1001, 1}};
    for (int selection : {-1, 0, 4}) {
        comboSelection = selection;
        EXPECT_EQ(CurrentRememberedValues(Dialog())[7], u"0") << selection;
    }
    comboSelection = 1;
    EXPECT_EQ(CurrentRememberedValues(Dialog())[7], u"1");
}

TEST_F(RememberedSettingsTest, RewritingKeepsOtherKeysAndTheClientsLines) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                   "[general]\r\nip=127.0.0.1\r\nport=18080\r\nGI_SIZE=2\r\n");
    WriteRememberedValues(ResetRememberedValues());
    std::string text = ConfigText();
    EXPECT_EQ(text.find("[general]\r\nip=127.0.0.1\r\nport=18080\r\nGI_SIZE=0\r\n"), 0u);
    EXPECT_EQ(text.find("GI_SIZE", text.find("GI_SIZE") + 1), std::string::npos);
}

}  // namespace
