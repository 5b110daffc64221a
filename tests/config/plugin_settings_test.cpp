#include "config/plugin_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "config/config_mgr.h"
#include "log/pmx_logger.h"
#include "tests/support/temp_root.h"

namespace {

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

TEST_F(PluginSettingsTest, WithoutConfigurationFileTheTextsAreEmpty) {
    PluginSettings settings = Read();
    EXPECT_EQ(settings.host, u"");
    EXPECT_EQ(settings.port, 0);
    EXPECT_EQ(settings.lowerVersion, u"");
    EXPECT_EQ(settings.jsonFolder, root.Wide() + u"/ZEP Rendering/json");
    EXPECT_THAT(DataLog(), HasSubstr(" [INFO] CreateFile error no:2\r\n"));
    EXPECT_THAT(DataLog(), EndsWith(" [INFO] Get client infomation successfully.\r\n"));
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

TEST_F(PluginSettingsTest, UnopenableOverrideIsLoggedWithItsCode) {
    root.WriteFile("ZEP Rendering/script/custom.bin/inside", "");  // a folder, not a file
    Read();
    EXPECT_THAT(DataLog(), HasSubstr(" [INFO] CreateFile error no:5\r\n"));
}

TEST(ConfigMgr, OneInstanceForTheProcess) {
    EXPECT_EQ(&GetZEPRenderingConfigMgr(), &GetZEPRenderingConfigMgr());
}

}  // namespace
