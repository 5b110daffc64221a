#include "packaging/scene_backup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/crt_random.h"
#include "platform/local_time.h"
#include "scene/plugin_state.h"
#include "tests/support/temp_root.h"

namespace {

namespace fs = std::filesystem;
using testing::EndsWith;
using testing_support::U16;
using testing_support::U8;

int NumberOfSecond(int64_t seconds) {
    os::CrtSrand(static_cast<uint32_t>(seconds));
    return os::CrtRand();
}

class SceneBackupTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        state = std::make_unique<PluginState>();
    }

    std::string Log() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }

    // Backs up `relative` below the root; gives the copy's path when the backup took place
    // within one second (so the drawn number is known), checking the result on the way.
    bool Backup(const std::string& relative, std::u16string& destination, bool& copied,
                std::u16string& expected) {
        state->analysedScenePath = (root.Path() / relative).string();
        const int64_t before = os::CurrentTimeSeconds();
        copied = BackupSceneFile(*state, destination);
        const int64_t after = os::CurrentTimeSeconds();
        if (before != after) {
            return false;
        }
        EXPECT_TRUE(BackupPath(U16(state->analysedScenePath), NumberOfSecond(before), expected));
        return true;
    }

    std::unique_ptr<PluginState> state;
};

TEST(BackupNameTest, NumberHasSixDigits) {
    EXPECT_EQ(BackupName(u"house", 42), u"house_000042");
    EXPECT_EQ(BackupName(u"house", 0), u"house_000000");
    EXPECT_EQ(BackupName(u"house", 32767), u"house_032767");
    EXPECT_EQ(BackupName(u"", 7), u"_000007");
    EXPECT_EQ(BackupName(u"客厅", 123456), u"客厅_123456");
}

TEST(BackupPathTest, CopyLiesBesideTheSourceWithItsExtension) {
    std::u16string destination;
    EXPECT_TRUE(BackupPath(u"C:\\scenes\\house.max", 42, destination));
    EXPECT_EQ(destination, u"C:\\scenes\\house_000042.max");
    EXPECT_TRUE(BackupPath(u"C:/scenes/a.b.max", 42, destination));
    EXPECT_EQ(destination, u"C:/scenes/a.b_000042.max");
    EXPECT_TRUE(BackupPath(u"\\\\server\\share\\house.max", 7, destination));
    EXPECT_EQ(destination, u"\\\\server\\share\\house_000007.max");
    EXPECT_TRUE(BackupPath(u"house.max", 7, destination));
    EXPECT_EQ(destination, u"house_000007.max");
}

TEST(BackupPathTest, NoExtensionGivesNoExtension) {
    std::u16string destination;
    EXPECT_TRUE(BackupPath(u"C:\\scenes\\house", 42, destination));
    EXPECT_EQ(destination, u"C:\\scenes\\house_000042");
    EXPECT_TRUE(BackupPath(u"C:\\my.scenes\\house", 42, destination));
    EXPECT_EQ(destination, u"C:\\my.scenes\\house_000042");
}

TEST(BackupPathTest, NewNameMustFitItsBuffer) {
    std::u16string destination;
    // 248 + 7 = 255 characters and the terminator: fits.
    EXPECT_TRUE(BackupPath(std::u16string(248, u'n') + u".m", 1, destination));
    EXPECT_EQ(destination, std::u16string(248, u'n') + u"_000001.m");
    EXPECT_FALSE(BackupPath(std::u16string(249, u'n') + u".m", 1, destination));
    EXPECT_EQ(destination, std::u16string(249, u'n') + u"_000001.m");
}

TEST(BackupPathTest, PathMustFit260Characters) {
    // "C:\" + name + "_000001" + ".max": 3 + 245 + 7 + 4 = 259.
    std::u16string destination;
    EXPECT_TRUE(BackupPath(u"C:\\" + std::u16string(245, u'n') + u".max", 1, destination));
    EXPECT_EQ(destination.size(), 259u);
    EXPECT_FALSE(BackupPath(u"C:\\" + std::u16string(246, u'n') + u".max", 1, destination));
    EXPECT_EQ(destination, u"C:\\" + std::u16string(246, u'n') + u"_000001.max");
}

TEST(BackupPathTest, PartsMustFitTheirBuffers) {
    std::u16string destination;
    const std::u16string folder = u"C:\\" + std::u16string(254, u'f') + u"\\";
    EXPECT_FALSE(BackupPath(folder + u"h.max", 1, destination));
    EXPECT_EQ(destination, folder + u"h_000001.max");
    EXPECT_FALSE(BackupPath(u"h." + std::u16string(256, u'e'), 1, destination));
}

TEST_F(SceneBackupTest, CopiesAndLogsSuccess) {
    root.WriteFile("scenes/house.max", "scene bytes");
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::u16string destination;
        std::u16string expected;
        bool copied = false;
        if (!Backup("scenes/house.max", destination, copied, expected)) {
            continue;
        }
        ASSERT_TRUE(copied);
        EXPECT_EQ(destination, expected);
        EXPECT_THAT(U8(destination), testing::MatchesRegex(".*/scenes/house_[0-9]{6}\\.max"));
        EXPECT_EQ(root.ReadFile(fs::path(U8(destination)).lexically_relative(root.Path())),
                  "scene bytes");
        EXPECT_THAT(Log(), EndsWith(" [WARN] Backup file from " + state->analysedScenePath +
                                    " to " + U8(destination) + " Success!\r\n"));
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, BackSlashPathKeepsItsSeparators) {
    root.WriteFile("scenes/house.max", "scene bytes");
    const std::string source = root.Path().string() + "\\scenes\\house.max";
    for (int attempt = 0; attempt < 5; ++attempt) {
        state->analysedScenePath = source;
        std::u16string destination;
        const int64_t before = os::CurrentTimeSeconds();
        ASSERT_TRUE(BackupSceneFile(*state, destination));
        if (os::CurrentTimeSeconds() != before) {
            continue;
        }
        char number[8];
        std::snprintf(number, sizeof number, "%06d", NumberOfSecond(before));
        const std::string expected = root.Path().string() + "\\scenes\\house_" + number + ".max";
        EXPECT_EQ(U8(destination), expected);
        EXPECT_THAT(Log(), EndsWith(" [WARN] Backup file from " + source + " to " + expected +
                                    " Success!\r\n"));
        EXPECT_EQ(root.ReadFile("scenes/house_" + std::string(number) + ".max"), "scene bytes");
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, SceneWithoutExtensionGetsACopyWithoutExtension) {
    root.WriteFile("scenes/house", "scene bytes");
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::u16string destination;
        std::u16string expected;
        bool copied = false;
        if (!Backup("scenes/house", destination, copied, expected)) {
            continue;
        }
        ASSERT_TRUE(copied);
        EXPECT_EQ(destination, expected);
        EXPECT_THAT(U8(destination), testing::MatchesRegex(".*/scenes/house_[0-9]{6}"));
        EXPECT_EQ(root.ReadFile(fs::path(U8(destination)).lexically_relative(root.Path())),
                  "scene bytes");
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, ExistingCopyIsReplaced) {
    root.WriteFile("scenes/house.max", "new bytes");
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int64_t now = os::CurrentTimeSeconds();
        for (int64_t second = now; second <= now + 1; ++second) {
            std::u16string path;
            ASSERT_TRUE(BackupPath(root.Wide("scenes/house.max"), NumberOfSecond(second), path));
            root.WriteFile(fs::path(U8(path)).lexically_relative(root.Path()), "old bytes");
        }
        std::u16string destination;
        std::u16string expected;
        bool copied = false;
        if (!Backup("scenes/house.max", destination, copied, expected)) {
            continue;
        }
        ASSERT_TRUE(copied);
        EXPECT_EQ(root.ReadFile(fs::path(U8(destination)).lexically_relative(root.Path())),
                  "new bytes");
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, ChineseNamesAreLoggedAsUtf8) {
    root.WriteFile("场景/客厅.max", "scene bytes");
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::u16string destination;
        std::u16string expected;
        bool copied = false;
        if (!Backup("场景/客厅.max", destination, copied, expected)) {
            continue;
        }
        ASSERT_TRUE(copied);
        EXPECT_EQ(destination, expected);
        EXPECT_THAT(Log(), EndsWith("客厅.max to " + U8(destination) + " Success!\r\n"));
        EXPECT_EQ(root.ReadFile(fs::path(U8(destination)).lexically_relative(root.Path())),
                  "scene bytes");
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, MissingSourceLogsCode2AndLeavesTheDestination) {
    root.WriteFile("scenes/other.max", "");
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::u16string destination = u"unchanged";
        std::u16string expected;
        bool copied = true;
        if (!Backup("scenes/house.max", destination, copied, expected)) {
            continue;
        }
        EXPECT_FALSE(copied);
        EXPECT_EQ(destination, u"unchanged");
        EXPECT_THAT(Log(), EndsWith(" [WARN] Backup file from " + state->analysedScenePath +
                                    " to " + U8(expected) + " Error! Code is 2\r\n"));
        EXPECT_FALSE(fs::exists(U8(expected)));
        return;
    }
    FAIL() << "no backup within one second";
}

TEST_F(SceneBackupTest, MissingFolderLogsItsCode) {
    std::u16string destination = u"unchanged";
    state->analysedScenePath = (root.Path() / "none" / "house.max").string();
    EXPECT_FALSE(BackupSceneFile(*state, destination));
    EXPECT_EQ(destination, u"unchanged");
    EXPECT_THAT(Log(), EndsWith(" Error! Code is 3\r\n"));
}

TEST_F(SceneBackupTest, NameTooLongForTheBuffersIsNotCopied) {
    const std::string name = std::string(250, 'n') + ".max";
    root.WriteFile("scenes/" + name, "scene bytes");
    std::u16string destination = u"unchanged";
    state->analysedScenePath = (root.Path() / "scenes" / name).string();
    EXPECT_FALSE(BackupSceneFile(*state, destination));
    EXPECT_EQ(destination, u"unchanged");
    EXPECT_THAT(Log(), testing::MatchesRegex(".*\\[WARN\\] Backup file from " +
                                             state->analysedScenePath + " to .*/scenes/n{250}_" +
                                             "[0-9]{6}\\.max Error! Code is 206\r\n"));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(root.Path() / "scenes"), fs::directory_iterator()), 1);
}

}  // namespace
