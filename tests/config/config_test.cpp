// The plug-in's settings, the dialog settings it remembers and the client's login sections.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/client_login.h"
#include "config/plugin_settings.h"
#include "config/remembered_settings.h"
#include "log/pmx_logger.h"
#include "platform/profile.h"
#include "platform/shared_memory.h"
#include "tests/support/environment.h"
#include "tests/support/temp_root.h"

namespace {

using namespace std::string_literals;
using testing::EndsWith;
using testing::HasSubstr;

// What zep-submit's config command prints covers the keys and the paths; these are the host
// override file and the log lines.
class PluginSettingsTest : public testing_support::TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/placeholder", ""); }

    PluginSettings Read() {
        pmx_Logger dataLog("pmx_data", 5, 2, 0);
        PluginSettings settings;
        EXPECT_TRUE(ReadPluginSettings(dataLog, settings));
        return settings;
    }
    std::string DataLog() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }
};

// A host override that cannot be opened is logged with its code: 2 when it is missing, 5 when it
// is a folder.
TEST_F(PluginSettingsTest, WithoutConfigurationFileTheTextsAreEmpty) {
    PluginSettings settings = Read();
    EXPECT_EQ(std::tie(settings.host, settings.port, settings.lowerVersion),
              std::make_tuple(u"", 0, u""));
    EXPECT_EQ(settings.jsonFolder, root.Wide() + u"/ZEP Rendering/json");
    EXPECT_THAT(DataLog(), HasSubstr(" [INFO] CreateFile error no:2\r\n"));
    EXPECT_THAT(DataLog(), EndsWith(" [INFO] Get client infomation successfully.\r\n"));

    root.WriteFile("ZEP Rendering/script/custom.bin/inside", "");
    Read();
    EXPECT_THAT(DataLog(), HasSubstr(" [INFO] CreateFile error no:5\r\n"));
}

TEST_F(PluginSettingsTest, PortIsReadLikeAtoi) {
    for (const auto& [text, port] :
         {std::pair("abc", 0), std::pair("8080tcp", 8080), std::pair("-1", -1)}) {
        root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                       std::string("[general]\r\nport=") + text + "\r\n");
        EXPECT_EQ(Read().port, port) << text;
    }
}

// custom.bin holds UTF-16LE text: everything after its first "=" (up to a zero character) is
// the host; without "=" the configured host stays. An odd last byte is no character.
TEST_F(PluginSettingsTest, HostOverrideTakesEverythingAfterTheFirstEquals) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini", "[general]\r\nip=192.168.1.2\r\n");
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"x=10.0.0.5", u"10.0.0.5"},
        {u"a=b=c", u"b=c"},
        {u"\uFEFFhost= 10.0.0.6\r\n", u" 10.0.0.6\r\n"},
        {u"x=", u""},
        {u"10.0.0.5", u"192.168.1.2"},
        {std::u16string(u"host\0=10.0.0.5", 14), u"192.168.1.2"},
    };
    for (const auto& [text, host] : cases) {
        std::string bytes;
        for (char16_t c : text) {
            bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        }
        root.WriteFile("ZEP Rendering/script/custom.bin", bytes);
        EXPECT_EQ(Read().host, host) << testing_support::U8(text);
    }
    root.WriteFile("ZEP Rendering/script/custom.bin", std::string("h\0=\0001\0.\0002\0", 10) + "5");
    EXPECT_EQ(Read().host, u"1.2");
    EXPECT_THAT(DataLog(), testing::Not(HasSubstr("error no")));
}

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
    for (const auto& [selection, stored] : {std::pair(-1, u"0"), {0, u"0"}, {4, u"0"}, {1, u"1"}}) {
        comboSelection = selection;
        EXPECT_EQ(CurrentRememberedValues(Dialog())[7], stored) << selection;
    }
}

TEST_F(RememberedSettingsTest, RewritingKeepsOtherKeysAndTheClientsLines) {
    root.WriteFile("ZEP Rendering/script/pmx_plugin.ini",
                   "[general]\r\nip=127.0.0.1\r\nport=18080\r\nGI_SIZE=2\r\n");
    WriteRememberedValues(ResetRememberedValues());
    std::string text = ConfigText();
    EXPECT_EQ(text.find("[general]\r\nip=127.0.0.1\r\nport=18080\r\nGI_SIZE=0\r\n"), 0u);
    EXPECT_EQ(text.find("GI_SIZE", text.find("GI_SIZE") + 1), std::string::npos);
}

// Each test publishes the sections it needs and removes them when it ends.
class ClientLoginTest : public testing::Test {
protected:
    os::SharedMemorySection userName;
    os::SharedMemorySection savePath;
};

// Each section's text up to its first zero, cut at the buffer without one; the record is
// complete only with both sections, even ones with empty texts. Each read sees the sections as
// they are then.
TEST_F(ClientLoginTest, SectionsGiveTheirTextsUpToAZeroOrTheBuffer) {
    using Text = std::optional<std::string>;  // none: the section is not published
    struct Case {
        Text user, save;
        std::u16string userName;
        std::string savePath;
        bool complete;
    };
    const std::string cut(kLoginSectionBufferSize, 's');
    for (const Case& c : {
             Case{"10000001\0"s, {}, u"10000001", "", false},
             Case{"渲染用户\0garbage"s, "D:\\农场\\输出\0"s, u"渲染用户", "D:\\农场\\输出", true},
             Case{"\0"s, "\0"s, u"", "", true},
             Case{std::string(6000, 'u'), cut + "tail",
                  std::u16string(kLoginSectionBufferSize, u'u'), cut, true},
             Case{{}, {}, u"", "", false},
         }) {
        SCOPED_TRACE(c.user.value_or("(none)").substr(0, 20));
        userName.Remove();
        savePath.Remove();
        ASSERT_TRUE(!c.user || userName.Publish(kUserNameSection, *c.user));
        ASSERT_TRUE(!c.save || savePath.Publish(kSavePathSection, *c.save));
        ClientLogin login;
        ReadClientLogin(login);
        EXPECT_EQ(login.userName, c.userName);
        EXPECT_EQ(login.savePathUtf8, c.savePath);
        EXPECT_EQ(login.savePath, testing_support::U16(c.savePath));
        EXPECT_EQ(login.complete, c.complete);
    }
}

}  // namespace
