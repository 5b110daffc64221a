#include "packaging/windows_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace windows_paths;

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
        EXPECT_EQ(parts.drive, c.drive);
        EXPECT_EQ(parts.folder, c.folder);
        EXPECT_EQ(parts.name, c.name);
        EXPECT_EQ(parts.extension, c.extension);
    }
}

TEST(SplitPathTest, PartsMustFitTheirBuffers) {
    PathParts parts;
    const std::u16string folder255 = u"\\" + std::u16string(253, u'f') + u"\\";
    EXPECT_EQ(SplitPath(u"C:" + folder255 + u"n.e", parts), 0);
    EXPECT_EQ(parts.folder, folder255);
    EXPECT_EQ(SplitPath(u"C:" + folder255 + u"x\\n.e", parts), kRangeError);
    EXPECT_TRUE(parts.drive.empty() && parts.folder.empty() && parts.name.empty());

    EXPECT_EQ(SplitPath(std::u16string(255, u'n') + u".e", parts), 0);
    EXPECT_EQ(SplitPath(std::u16string(256, u'n') + u".e", parts), kRangeError);
    EXPECT_EQ(SplitPath(u"n." + std::u16string(254, u'e'), parts), 0);
    EXPECT_EQ(SplitPath(u"n." + std::u16string(255, u'e'), parts), kRangeError);
    EXPECT_TRUE(parts.extension.empty());

    EXPECT_EQ(SplitPath(u"C:\\x", parts, PartSizes{.drive = 2}), kRangeError);
    EXPECT_EQ(SplitPath(u"C:" + std::u16string(300, u'\\'), parts, kUnlimited), 0);
    EXPECT_EQ(parts.folder.size(), 300u);
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

TEST(WindowsPathsTest, SplitThenMakeGivesThePathBack) {
    for (const std::u16string path :
         {u"C:\\scenes\\house.max", u"C:house.max", u"C:", u"c:/scenes/house.max",
          u"\\\\server\\share\\house.max", u"\\\\?\\C:\\long\\house.max", u"scenes\\house.max",
          u"..\\..\\house", u".max", u"a.b.c", u"house.", u"C:/mixed\\sep/f.x", u"",
          u"D:\\场景\\客厅.max"}) {
        PathParts parts;
        ASSERT_EQ(SplitPath(path, parts), 0) << testing::PrintToString(path);
        std::u16string joined;
        ASSERT_EQ(MakePath(joined, kMaxPath, parts), 0);
        EXPECT_EQ(joined, path);
    }
}

}  // namespace
