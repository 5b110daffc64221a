#include "packaging/scene_backup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "packaging/windows_paths.h"
#include "platform/crt_random.h"
#include "platform/local_time.h"
#include "scene/plugin_state.h"
#include "tests/support/temp_root.h"

namespace {

namespace fs = std::filesystem;
using testing::EndsWith;
using testing_support::U16;
using testing_support::U8;
using namespace windows_paths;

// The runtime's path rules, which the backup path is made with.
TEST(SplitPathTest, SplitsAsTheRuntimeDoes) {
    struct Case {
        std::u16string path, drive, folder, name, extension;
    };
    for (const Case& c : std::initializer_list<Case>{
             {u"C:\\scenes\\house.max", u"C:", u"\\scenes\\", u"house", u".max"},
             {u"C:house.max", u"C:", u"", u"house", u".max"},
             {u"1:x.y", u"1:", u"", u"x", u".y"},  // any character before a colon is a drive
             {u":x", u"", u"", u":x", u""},
             {u"ab:c", u"", u"", u"ab:c", u""},
             {u"\\\\server\\share\\house.max", u"", u"\\\\server\\share\\", u"house", u".max"},
             {u"..\\house.max", u"", u"..\\", u"house", u".max"},
             {u"C:/dir\\sub/file.txt", u"C:", u"/dir\\sub/", u"file", u".txt"},
             {u"C:\\my.dir\\house", u"C:", u"\\my.dir\\", u"house", u""},
             {u"C:\\a.b.max", u"C:", u"\\", u"a.b", u".max"},
             {u"C:\\w\\.max", u"C:", u"\\w\\", u"", u".max"},
             {u"house.", u"", u"", u"house", u"."},
             {std::u16string(u"C:\\a\0b\\c.max", 12), u"C:", u"\\", u"a", u""},
         }) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        PathParts parts;
        ASSERT_EQ(SplitPath(c.path, parts), 0);
        EXPECT_EQ(std::tie(parts.drive, parts.folder, parts.name, parts.extension),
                  std::tie(c.drive, c.folder, c.name, c.extension));
    }
}

// A part must fit its buffer with its terminator; when one does not, every part is empty.
TEST(SplitPathTest, PartsMustFitTheirBuffers) {
    const std::u16string folder255 = u"\\" + std::u16string(253, u'f') + u"\\";
    for (const auto& [path, sizes, fits] :
         std::initializer_list<std::tuple<std::u16string, PartSizes, bool>>{
             {u"C:" + folder255 + u"n.e", {}, true},
             {u"C:" + folder255 + u"x\\n.e", {}, false},
             {std::u16string(255, u'n') + u".e", {}, true},
             {std::u16string(256, u'n') + u".e", {}, false},
             {u"n." + std::u16string(254, u'e'), {}, true},
             {u"n." + std::u16string(255, u'e'), {}, false},
             {u"C:\\x", {.drive = 2}, false},
             {u"C:" + std::u16string(300, u'\\'), kUnlimited, true},
         }) {
        PathParts parts{u"d", u"f", u"n", u"e"};
        EXPECT_EQ(SplitPath(path, parts, sizes), fits ? 0 : kRangeError) << path.size();
        EXPECT_EQ(parts.drive + parts.folder + parts.name + parts.extension, fits ? path : u"");
    }
}

TEST(MakePathTest, AddsTheColonSeparatorAndDotWithinTheSize) {
    std::u16string path = u"old";
    for (const auto& [parts, joined] : std::initializer_list<std::pair<PathParts, std::u16string>>{
             {{u"CD", u"\\", u"x", u""}, u"C:\\x"},
             {{u"C:", u"\\scenes", u"house", u"max"}, u"C:\\scenes\\house.max"},
             {{u"", u"a/b", u"house", u"."}, u"a/b\\house."},
             {{u"", u"scenes/", u"", u"max"}, u"scenes/.max"},
             {{u"", u"", u"", u""}, u""},
         }) {
        EXPECT_EQ(MakePath(path, kMaxPath, parts), 0);
        EXPECT_EQ(path, joined);
    }
    EXPECT_EQ(MakePath(path, 260, u"C:", u"\\", std::u16string(253, u'n'), u".ex"), 0);
    EXPECT_EQ(path.size(), 259u);
    EXPECT_EQ(MakePath(path, 260, u"C:", u"\\", std::u16string(254, u'n'), u".ex"), kRangeError);
    EXPECT_EQ(path, u"");
    // The added separator and dot count too.
    EXPECT_EQ(MakePath(path, 5, u"", u"a", u"b", u"c"), kRangeError);
    EXPECT_EQ(MakePath(path, 6, u"", u"a", u"b", u"c"), 0);
}

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

    // A path below the root, either separator, relative to it with slashes.
    std::string Relative(const std::u16string& path) const {
        std::string text = U8(path).substr(root.Path().string().size() + 1);
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }

    struct Outcome {
        bool copied = false;
        std::u16string destination = u"unchanged";
        std::u16string expected;  // the path of the number drawn in that second
    };

    // Backs up `source` until one try falls within one second, so the drawn number is known.
    std::optional<Outcome> Backup(const std::string& source) {
        state->analysedScenePath = source;
        for (int attempt = 0; attempt < 5; ++attempt) {
            Outcome outcome;
            const int64_t before = os::CurrentTimeSeconds();
            outcome.copied = BackupSceneFile(*state, outcome.destination);
            if (os::CurrentTimeSeconds() == before) {
                BackupPath(U16(source), NumberOfSecond(before), outcome.expected);
                return outcome;
            }
        }
        ADD_FAILURE() << "no backup within one second";
        return std::nullopt;
    }

    std::unique_ptr<PluginState> state;
};

TEST(BackupPathTest, NumberedNameBesideTheSourceWithinTheRuntimeBuffers) {
    EXPECT_EQ(BackupName(u"客厅", 123456), u"客厅_123456");
    EXPECT_EQ(BackupName(u"", 0), u"_000000");
    const std::u16string n245(245, u'n');
    const std::u16string folder254 = u"C:\\" + std::u16string(254, u'f') + u"\\";
    // The source, whether the new path fits, and the path made of number 42.
    for (const auto& [source, fits, destination] :
         std::initializer_list<std::tuple<std::u16string, bool, std::u16string>>{
             {u"C:\\scenes\\house.max", true, u"C:\\scenes\\house_000042.max"},
             {u"C:/scenes/a.b.max", true, u"C:/scenes/a.b_000042.max"},
             {u"\\\\server\\share\\house.max", true, u"\\\\server\\share\\house_000042.max"},
             {u"house.max", true, u"house_000042.max"},
             {u"C:\\my.scenes\\house", true, u"C:\\my.scenes\\house_000042"},
             // The new name fits 256 characters with the terminator, the path 260.
             {std::u16string(248, u'n') + u".m", true, std::u16string(248, u'n') + u"_000042.m"},
             {std::u16string(249, u'n') + u".m", false, std::u16string(249, u'n') + u"_000042.m"},
             {u"C:\\" + n245 + u".max", true, u"C:\\" + n245 + u"_000042.max"},
             {u"C:\\" + n245 + u"n.max", false, u"C:\\" + n245 + u"n_000042.max"},
             {folder254 + u"h.max", false, folder254 + u"h_000042.max"},
             {u"h." + std::u16string(256, u'e'), false, u"h_000042." + std::u16string(256, u'e')},
         }) {
        SCOPED_TRACE(U8(source));
        std::u16string made;
        EXPECT_EQ(BackupPath(source, 42, made), fits);
        EXPECT_EQ(made, destination);
    }
}

TEST_F(SceneBackupTest, CopiesOverAnOlderCopyAndLogsSuccess) {
    // Back-slashes, a Chinese name and no extension all reach the file system.
    for (const std::string relative : {"\\scenes\\house.max", "/场景/客厅.max", "/scenes/house"}) {
        const std::string source = root.Path().string() + relative;
        root.WriteFile(Relative(U16(source)), "new bytes");
        const int64_t now = os::CurrentTimeSeconds();
        for (int64_t second = now; second <= now + 5; ++second) {
            std::u16string older;
            BackupPath(U16(source), NumberOfSecond(second), older);
            root.WriteFile(Relative(older), "old bytes");
        }
        const std::optional<Outcome> outcome = Backup(source);
        ASSERT_TRUE(outcome);
        ASSERT_TRUE(outcome->copied) << relative;
        EXPECT_EQ(outcome->destination, outcome->expected);
        EXPECT_EQ(root.ReadFile(Relative(outcome->expected)), "new bytes");
        EXPECT_THAT(Log(), EndsWith(" [WARN] Backup file from " + source + " to " +
                                    U8(outcome->expected) + " Success!\r\n"));
    }
}

TEST_F(SceneBackupTest, FailedCopyLogsItsCodeAndLeavesTheDestination) {
    // A missing source fails with code 2; a name too long for the buffers is not even tried.
    const std::string longName = std::string(250, 'n') + ".max";
    root.WriteFile("scenes/" + longName, "scene bytes");
    for (const auto& [name, code] :
         std::initializer_list<std::pair<std::string, int>>{{"house.max", 2}, {longName, 206}}) {
        const std::optional<Outcome> outcome = Backup((root.Path() / "scenes" / name).string());
        ASSERT_TRUE(outcome);
        EXPECT_FALSE(outcome->copied);
        EXPECT_EQ(outcome->destination, u"unchanged");
        EXPECT_THAT(Log(), EndsWith(" [WARN] Backup file from " + state->analysedScenePath +
                                    " to " + U8(outcome->expected) + " Error! Code is " +
                                    std::to_string(code) + "\r\n"));
    }
    EXPECT_EQ(
        std::distance(fs::directory_iterator(root.Path() / "scenes"), fs::directory_iterator()), 1);
}

}  // namespace
