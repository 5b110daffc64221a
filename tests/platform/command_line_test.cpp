#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::u16string>;

TEST(CommandLine, DocumentedExamples) {
    EXPECT_EQ(os::SplitCommandLine(uR"(p "a b c" d e)"), (Args{u"p", u"a b c", u"d", u"e"}));
    EXPECT_EQ(os::SplitCommandLine(uR"(p "ab\"c" "\\" d)"), (Args{u"p", uR"(ab"c)", u"\\", u"d"}));
    EXPECT_EQ(os::SplitCommandLine(uR"(p a\\\b d"e f"g h)"),
              (Args{u"p", uR"(a\\\b)", u"de fg", u"h"}));
    EXPECT_EQ(os::SplitCommandLine(uR"(p a\\\"b c d)"), (Args{u"p", uR"(a\"b)", u"c", u"d"}));
    EXPECT_EQ(os::SplitCommandLine(uR"(p a\\\\"b c" d e)"), (Args{u"p", uR"(a\\b c)", u"d", u"e"}));
}

TEST(CommandLine, DoubledQuotes) {
    // Inside quotes "" is a literal quote; the count of consecutive quotes decides the rest.
    // The literal quote also ends the quoted part, as current Windows does it.
    EXPECT_EQ(os::SplitArguments(uR"("a""b c)"), (Args{uR"(a"b)", u"c"}));
    EXPECT_EQ(os::SplitArguments(uR"("a""b" c)"), (Args{uR"(a"b c)"}));
    EXPECT_EQ(os::SplitArguments(uR"(a"" b)"), (Args{u"a", u"b"}));
    EXPECT_EQ(os::SplitArguments(uR"(""" a)"), (Args{uR"(")", u"a"}));
    EXPECT_EQ(os::SplitArguments(uR"("""" a)"), (Args{uR"(" a)"}));
    EXPECT_EQ(os::SplitArguments(uR"("""""" a)"), (Args{uR"("")", u"a"}));
}

TEST(CommandLine, EmptyQuotedArgument) {
    EXPECT_EQ(os::SplitCommandLine(uR"(p "" b)"), (Args{u"p", u"", u"b"}));
    EXPECT_EQ(os::SplitArguments(uR"("")"), (Args{u""}));
    EXPECT_EQ(os::SplitArguments(uR"(a "")"), (Args{u"a", u""}));
}

TEST(CommandLine, ProgramHasNoEscapes) {
    EXPECT_EQ(os::SplitCommandLine(uR"("C:\Program Files\a\" b)"),
              (Args{uR"(C:\Program Files\a\)", u"b"}));
    EXPECT_EQ(os::SplitCommandLine(uR"(C:\a\\"b c)"), (Args{uR"(C:\a\\"b)", u"c"}));
    // What follows the closing quote starts the next argument at once.
    EXPECT_EQ(os::SplitCommandLine(uR"("a b"c d)"), (Args{u"a b", u"c", u"d"}));
    EXPECT_EQ(os::SplitCommandLine(uR"("a b)"), (Args{u"a b"}));
}

TEST(CommandLine, TabsAndBlanks) {
    EXPECT_EQ(os::SplitCommandLine(u"p\ta\t \tb"), (Args{u"p", u"a", u"b"}));
    EXPECT_EQ(os::SplitCommandLine(u"p a  b   "), (Args{u"p", u"a", u"b"}));
    EXPECT_EQ(os::SplitCommandLine(u"p \"a\tb\""), (Args{u"p", u"a\tb"}));
    EXPECT_EQ(os::SplitCommandLine(u" a b"), (Args{u"", u"a", u"b"}));
    EXPECT_EQ(os::SplitCommandLine(u"p"), (Args{u"p"}));
    EXPECT_EQ(os::SplitCommandLine(u""), Args{});
    EXPECT_EQ(os::SplitArguments(u""), Args{});
    EXPECT_EQ(os::SplitArguments(u" \t "), Args{});
}

TEST(CommandLine, ArgumentsUseLaterRulesForTheFirst) {
    EXPECT_EQ(os::SplitArguments(uR"( a\"b "c d")"), (Args{uR"(a"b)", u"c d"}));
    EXPECT_EQ(os::SplitArguments(uR"(\\server\share x)"), (Args{uR"(\\server\share)", u"x"}));
}

// A fake file system: the set of files that are programs.
class CommandLineFindProgram : public ::testing::Test {
protected:
    bool Find(const std::u16string& line) {
        return os::FindProgram(
            line, [this](const std::u16string& p) { return programs.count(p) != 0; }, found);
    }
    std::set<std::u16string> programs;
    os::ProgramAndArguments found;
};

TEST_F(CommandLineFindProgram, FolderWithBlanks) {
    programs = {u"/r/ZEP Rendering/7-Zip/7z.exe"};
    ASSERT_TRUE(Find(u"/r/ZEP Rendering/7-Zip/7z.exe a -y out.7z"));
    EXPECT_EQ(found.program, u"/r/ZEP Rendering/7-Zip/7z.exe");
    EXPECT_EQ(found.arguments, u" a -y out.7z");
}

TEST_F(CommandLineFindProgram, ShortestPrefixWins) {
    programs = {u"/r/ZEP", u"/r/ZEP Rendering/7-Zip/7z.exe"};
    ASSERT_TRUE(Find(u"/r/ZEP Rendering/7-Zip/7z.exe x"));
    EXPECT_EQ(found.program, u"/r/ZEP");
    EXPECT_EQ(found.arguments, u" Rendering/7-Zip/7z.exe x");
}

TEST_F(CommandLineFindProgram, ExeAppended) {
    programs = {u"C:\\Program Files\\sub dir\\program.exe"};
    ASSERT_TRUE(Find(u"  C:\\Program Files\\sub dir\\program name"));
    EXPECT_EQ(found.program, u"C:\\Program Files\\sub dir\\program.exe");
    EXPECT_EQ(found.arguments, u" name");
    // Not when the last part already has an extension.
    programs = {u"/r/a.b.exe"};
    EXPECT_FALSE(Find(u"/r/a.b c"));
    // A dot in a folder name does not count.
    programs = {u"/r.d/tool.exe"};
    ASSERT_TRUE(Find(u"/r.d/tool"));
    EXPECT_EQ(found.program, u"/r.d/tool.exe");
    EXPECT_EQ(found.arguments, u"");
}

TEST_F(CommandLineFindProgram, WholeLine) {
    programs = {u"/r/a b c"};
    ASSERT_TRUE(Find(u"/r/a b c"));
    EXPECT_EQ(found.program, u"/r/a b c");
    EXPECT_EQ(found.arguments, u"");
}

TEST_F(CommandLineFindProgram, QuotedPath) {
    programs = {u"/r/ZEP", u"/r/ZEP Rendering/tool.exe"};
    ASSERT_TRUE(Find(uR"( "/r/ZEP Rendering/tool" "x y")"));
    EXPECT_EQ(found.program, u"/r/ZEP Rendering/tool.exe");
    EXPECT_EQ(found.arguments, uR"( "x y")");
    // A quoted path is never cut short at a blank.
    programs = {u"/r/ZEP"};
    EXPECT_FALSE(Find(uR"("/r/ZEP Rendering/tool" x)"));
}

TEST_F(CommandLineFindProgram, NoneAccepted) {
    EXPECT_FALSE(Find(u"/r/none at all"));
    EXPECT_FALSE(Find(u""));
    EXPECT_FALSE(Find(u"   "));
}

}  // namespace
