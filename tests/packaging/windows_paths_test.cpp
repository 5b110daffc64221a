#include "packaging/windows_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using windows_paths::kRangeError;
using windows_paths::MakePath;
using windows_paths::PathParts;
using windows_paths::SplitPath;

PathParts Split(std::u16string_view path) {
    PathParts parts;
    EXPECT_EQ(SplitPath(path, parts), 0);
    return parts;
}

void ExpectParts(const PathParts& parts, const std::u16string& drive, const std::u16string& folder,
                 const std::u16string& name, const std::u16string& extension) {
    EXPECT_EQ(parts.drive, drive);
    EXPECT_EQ(parts.folder, folder);
    EXPECT_EQ(parts.name, name);
    EXPECT_EQ(parts.extension, extension);
}

std::u16string Make(std::u16string_view drive, std::u16string_view folder, std::u16string_view name,
                    std::u16string_view extension) {
    std::u16string path = u"old";
    EXPECT_EQ(MakePath(path, windows_paths::kMaxPath, drive, folder, name, extension), 0);
    return path;
}

TEST(SplitPathTest, FullPathWithDrive) {
    ExpectParts(Split(u"C:\\scenes\\house.max"), u"C:", u"\\scenes\\", u"house", u".max");
}

TEST(SplitPathTest, DriveWithoutFolder) {
    ExpectParts(Split(u"C:house.max"), u"C:", u"", u"house", u".max");
    ExpectParts(Split(u"C:"), u"C:", u"", u"", u"");
}

TEST(SplitPathTest, AnyCharacterBeforeAColonIsADrive) {
    ExpectParts(Split(u"1:x.y"), u"1:", u"", u"x", u".y");
    ExpectParts(Split(u"C"), u"", u"", u"C", u"");
    ExpectParts(Split(u":x"), u"", u"", u":x", u"");
    ExpectParts(Split(u"ab:c"), u"", u"", u"ab:c", u"");
}

TEST(SplitPathTest, UncAndRelativePaths) {
    ExpectParts(Split(u"\\\\server\\share\\scenes\\house.max"), u"", u"\\\\server\\share\\scenes\\",
                u"house", u".max");
    ExpectParts(Split(u"scenes/house.max"), u"", u"scenes/", u"house", u".max");
    ExpectParts(Split(u"..\\house.max"), u"", u"..\\", u"house", u".max");
    ExpectParts(Split(u"house.max"), u"", u"", u"house", u".max");
}

TEST(SplitPathTest, FolderEndsAtTheLastSeparatorOfEitherKind) {
    ExpectParts(Split(u"C:/dir\\sub/file.txt"), u"C:", u"/dir\\sub/", u"file", u".txt");
    ExpectParts(Split(u"C:\\scenes\\"), u"C:", u"\\scenes\\", u"", u"");
}

TEST(SplitPathTest, ExtensionStartsAtTheLastDotOfTheName) {
    ExpectParts(Split(u"C:\\a.b.max"), u"C:", u"\\", u"a.b", u".max");
    ExpectParts(Split(u"C:\\my.dir\\house"), u"C:", u"\\my.dir\\", u"house", u"");
    ExpectParts(Split(u"C:\\w\\.max"), u"C:", u"\\w\\", u"", u".max");
    ExpectParts(Split(u"house."), u"", u"", u"house", u".");
    ExpectParts(Split(u"house"), u"", u"", u"house", u"");
}

TEST(SplitPathTest, EmptyPathAndZeroCharacter) {
    ExpectParts(Split(u""), u"", u"", u"", u"");
    const std::u16string withZero(u"C:\\a\0b\\c.max", 12);
    ExpectParts(Split(withZero), u"C:", u"\\", u"a", u"");
}

TEST(SplitPathTest, PartsMustFitTheirBuffers) {
    PathParts parts;
    const std::u16string folder255 = u"\\" + std::u16string(253, u'f') + u"\\";
    ASSERT_EQ(folder255.size(), 255u);
    EXPECT_EQ(SplitPath(u"C:" + folder255 + u"n.e", parts), 0);
    EXPECT_EQ(parts.folder, folder255);

    parts.name = u"old";
    EXPECT_EQ(SplitPath(u"C:" + folder255 + u"x\\n.e", parts), kRangeError);
    ExpectParts(parts, u"", u"", u"", u"");

    EXPECT_EQ(SplitPath(std::u16string(255, u'n') + u".e", parts), 0);
    EXPECT_EQ(SplitPath(std::u16string(256, u'n') + u".e", parts), kRangeError);
    ExpectParts(parts, u"", u"", u"", u"");

    EXPECT_EQ(SplitPath(u"n." + std::u16string(254, u'e'), parts), 0);
    EXPECT_EQ(parts.extension.size(), 255u);
    EXPECT_EQ(SplitPath(u"n." + std::u16string(255, u'e'), parts), kRangeError);

    windows_paths::PartSizes small;
    small.drive = 2;
    EXPECT_EQ(SplitPath(u"C:\\x", parts, small), kRangeError);
    EXPECT_EQ(SplitPath(u"\\x", parts, small), 0);

    EXPECT_EQ(SplitPath(u"C:" + std::u16string(300, u'\\'), parts, windows_paths::kUnlimited), 0);
    EXPECT_EQ(parts.folder.size(), 300u);
}

TEST(MakePathTest, JoinsTheParts) {
    EXPECT_EQ(Make(u"C:", u"\\scenes\\", u"house", u".max"), u"C:\\scenes\\house.max");
    EXPECT_EQ(Make(u"", u"", u"house", u""), u"house");
    EXPECT_EQ(Make(u"", u"", u"", u""), u"");
}

TEST(MakePathTest, DriveIsItsFirstCharacterAndAColon) {
    EXPECT_EQ(Make(u"C", u"", u"x", u""), u"C:x");
    EXPECT_EQ(Make(u"CD", u"\\", u"x", u""), u"C:\\x");
}

TEST(MakePathTest, AddsABackSlashAfterAFolderWithoutSeparator) {
    EXPECT_EQ(Make(u"C:", u"\\scenes", u"house", u".max"), u"C:\\scenes\\house.max");
    EXPECT_EQ(Make(u"", u"scenes/", u"house", u""), u"scenes/house");
    EXPECT_EQ(Make(u"", u"a/b", u"house", u""), u"a/b\\house");
}

TEST(MakePathTest, AddsADotBeforeAnExtensionWithoutOne) {
    EXPECT_EQ(Make(u"", u"", u"house", u"max"), u"house.max");
    EXPECT_EQ(Make(u"", u"", u"house", u"."), u"house.");
    EXPECT_EQ(Make(u"", u"", u"", u"max"), u".max");
}

TEST(MakePathTest, PathMustFitWithItsTerminator) {
    std::u16string path = u"old";
    EXPECT_EQ(MakePath(path, 260, u"C:", u"\\", std::u16string(253, u'n'), u".ex"), 0);
    EXPECT_EQ(path.size(), 259u);
    EXPECT_EQ(MakePath(path, 260, u"C:", u"\\", std::u16string(254, u'n'), u".ex"), kRangeError);
    EXPECT_EQ(path, u"");
    // The added separator and dot count too.
    EXPECT_EQ(MakePath(path, 5, u"", u"a", u"b", u"c"), kRangeError);
    EXPECT_EQ(MakePath(path, 6, u"", u"a", u"b", u"c"), 0);
    EXPECT_EQ(path, u"a\\b.c");
}

TEST(WindowsPathsTest, SplitThenMakeGivesThePathBack) {
    for (const std::u16string path :
         {u"C:\\scenes\\house.max", u"C:house.max", u"C:", u"C:\\", u"c:/scenes/house.max",
          u"\\\\server\\share\\house.max", u"\\\\?\\C:\\long\\house.max", u"scenes\\house.max",
          u"..\\..\\house", u"house", u".max", u"a.b.c", u"house.", u"C:/mixed\\sep/f.x",
          u"/usr/share/scene.max", u"", u"D:\\场景\\客厅.max"}) {
        PathParts parts;
        ASSERT_EQ(SplitPath(path, parts), 0) << testing::PrintToString(path);
        std::u16string joined;
        ASSERT_EQ(MakePath(joined, windows_paths::kMaxPath, parts), 0);
        EXPECT_EQ(joined, path);
    }
}

}  // namespace
