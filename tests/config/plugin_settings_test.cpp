#include "config/plugin_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/config_mgr.h"
#include "log/pmx_logger.h"
#include "tests/support/temp_root.h"

namespace {

using testing::EndsWith;
using testing::HasSubstr;
using testing_support::U16;

class PluginSettingsTest : public testing_support::TempRootTest {
protected:
    void SetUp() override { root.WriteFile("ZEP Rendering/script/placeholder", ""); }

    void WriteConfig(const std::string& lines) {
        root.WriteFile("ZEP Rendering/script/pmx_plugin.ini", "[general]\r\n" + lines);
    }
    // custom.bin holds UTF-16LE text.
    void WriteOverride(const std::u16string& text) {
        std::string bytes;
        for (char16_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>(c >> 8));
        }
        root.WriteFile("ZEP Rendering/script/custom.bin", bytes);
    }
    PluginSettings Read() {
        pmx_Logger dataLog("pmx_data", 5, 2, 0);
        PluginSettings settings;
        EXPECT_TRUE(ReadPluginSettings(dataLog, settings));
        return settings;
    }
    std::string DataLog() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }
};

TEST_F(PluginSettingsTest, WithoutConfigurationFileTextsAreEmptyAndPathsSet) {
    PluginSettings settings = Read();
    EXPECT_EQ(settings.host, u"");
    EXPECT_EQ(settings.port, 0);
    EXPECT_EQ(settings.lowerVersion, u"");
    const std::u16string data = root.Wide() + u"/ZEP Rendering";
    EXPECT_EQ(settings.jsonFolder, data + u"/json");
    EXPECT_EQ(settings.archiverPath, data + u"/7-Zip/7z.exe");
    EXPECT_EQ(settings.archiveFolder, data + u"/compress");
    EXPECT_EQ(settings.analysisScriptPath, data + u"/script/MaxRenderGlobalsParser.mse");
    EXPECT_EQ(settings.adslScriptPath, data + u"/script/ZepAntivirusAdsl_UTF8.ms");
    EXPECT_EQ(settings.alcScriptPath, data + u"/script/ZepAntivirusAlc_UTF8.ms");
    EXPECT_EQ(settings.crpScriptPath, data + u"/script/ZepAntivirusCrp_UTF8.ms");
    std::string log = DataLog();
    EXPECT_THAT(log, HasSubstr(" [INFO] CreateFile error no:2\r\n"));
    EXPECT_THAT(log, EndsWith(" [INFO] Get client infomation successfully.\r\n"));
}

TEST_F(PluginSettingsTest, ReadsTheClientKeys) {
    WriteConfig("IP = 10.0.0.7 \r\nport=18080\r\nLowerVersion=\"1.3.5\"\r\n");
    PluginSettings settings = Read();
    EXPECT_EQ(settings.host, u"10.0.0.7");
    EXPECT_EQ(settings.port, 18080);
    EXPECT_EQ(settings.lowerVersion, u"1.3.5");
}

TEST_F(PluginSettingsTest, PortIsReadLikeAtoi) {
    WriteConfig("port=abc\r\n");
    EXPECT_EQ(Read().port, 0);
    WriteConfig("port=8080tcp\r\n");
    EXPECT_EQ(Read().port, 8080);
    WriteConfig("port=-1\r\n");
    EXPECT_EQ(Read().port, -1);
}

TEST_F(PluginSettingsTest, HostOverrideTakesEverythingAfterTheFirstEquals) {
    WriteConfig("ip=192.168.1.2\r\n");
    WriteOverride(u"x=10.0.0.5");
    EXPECT_EQ(Read().host, u"10.0.0.5");
    WriteOverride(u"a=b=c");
    EXPECT_EQ(Read().host, u"b=c");
    WriteOverride(u"\uFEFFhost= 10.0.0.6\r\n");
    EXPECT_EQ(Read().host, u" 10.0.0.6\r\n");
    WriteOverride(u"x=");
    EXPECT_EQ(Read().host, u"");
}

TEST_F(PluginSettingsTest, HostOverrideWithoutEqualsKeepsTheConfiguredHost) {
    WriteConfig("ip=192.168.1.2\r\n");
    WriteOverride(u"10.0.0.5");
    EXPECT_EQ(Read().host, u"192.168.1.2");
    // Text after a zero character does not count.
    WriteOverride(std::u16string(u"host\0=10.0.0.5", 14));
    EXPECT_EQ(Read().host, u"192.168.1.2");
    EXPECT_THAT(DataLog(), testing::Not(HasSubstr("error no")));
}

TEST_F(PluginSettingsTest, HostOverrideIgnoresAnOddLastByte) {
    WriteOverride(u"h=1.2.3.4");
    root.WriteFile("ZEP Rendering/script/custom.bin",
                   root.ReadFile("ZEP Rendering/script/custom.bin") + "\x35");
    EXPECT_EQ(Read().host, u"1.2.3.4");
}

TEST_F(PluginSettingsTest, UnreadableOverrideIsLoggedWithItsCode) {
    root.WriteFile("ZEP Rendering/script/custom.bin/inside", "");  // a folder, not a file
    Read();
    EXPECT_THAT(DataLog(), HasSubstr(" [INFO] ReadFile error no:5\r\n"));
}

TEST(ConfigMgr, OneInstanceForTheProcess) {
    EXPECT_EQ(&GetZEPRenderingConfigMgr(), &GetZEPRenderingConfigMgr());
}

}  // namespace
