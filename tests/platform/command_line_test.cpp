#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/temp_root.h"

namespace {

using Args = std::vector<std::u16string>;
using testing_support::U8;

TEST(CommandLine, SplitsAsCommandLineToArgvW) {
    const struct {
        bool withProgram;  // SplitCommandLine, or SplitArguments
        const char16_t* line;
        Args expected;
    } cases[] = {
        // The documented examples.
        {true, uR"(p "a b c" d e)", {u"p", u"a b c", u"d", u"e"}},
        {true, uR"(p "ab\"c" "\\" d)", {u"p", uR"(ab"c)", u"\\", u"d"}},
        {true, uR"(p a\\\b d"e f"g h)", {u"p", uR"(a\\\b)", u"de fg", u"h"}},
        {true, uR"(p a\\\"b c d)", {u"p", uR"(a\"b)", u"c", u"d"}},
        {true, uR"(p a\\\\"b c" d e)", {u"p", uR"(a\\b c)", u"d", u"e"}},
        // Inside quotes "" is a literal quote that also ends the quoted part, as current Windows
        // does it; the count of consecutive quotes decides the rest.
        {false, uR"("a""b c)", {uR"(a"b)", u"c"}},
        {false, uR"("a""b" c)", {uR"(a"b c)"}},
        {false, uR"(a"" b)", {u"a", u"b"}},
        {false, uR"(""" a)", {uR"(")", u"a"}},
        {false, uR"("""" a)", {uR"(" a)"}},
        {false, uR"("""""" a)", {uR"("")", u"a"}},
        {true, uR"(p "" b)", {u"p", u"", u"b"}},
        {false, uR"(a "")", {u"a", u""}},
        // The program has no escapes, and what follows its closing quote is the next argument.
        {true, uR"("C:\Program Files\a\" b)", {uR"(C:\Program Files\a\)", u"b"}},
        {true, uR"(C:\a\\"b c)", {uR"(C:\a\\"b)", u"c"}},
        {true, uR"("a b"c d)", {u"a b", u"c", u"d"}},
        {true, uR"("a b)", {u"a b"}},
        {false, uR"( a\"b "c d")", {uR"(a"b)", u"c d"}},
        {false, uR"(\\server\share x)", {uR"(\\server\share)", u"x"}},
        // Tabs and blanks.
        {true, u"p\ta\t \tb  ", {u"p", u"a", u"b"}},
        {true, u"p \"a\tb\"", {u"p", u"a\tb"}},
        {true, u" a b", {u"", u"a", u"b"}},
        {true, u"", {}},
        {false, u" \t ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.withProgram ? os::SplitCommandLine(c.line) : os::SplitArguments(c.line),
                  c.expected)
            << U8(c.line);
    }
}

TEST(CommandLine, FindProgramTriesEachPrefixShortestFirst) {
    const std::u16string zip = u"/r/ZEP Rendering/7-Zip/7z.exe";
    const std::u16string windows = uR"(C:\Program Files\sub dir\program)";
    const struct {
        std::set<std::u16string> programs;
        std::u16string line;
        std::optional<std::u16string> program;  // none: none found
        std::u16string arguments;
    } cases[] = {
        {{zip}, zip + u" a -y out.7z", zip, u" a -y out.7z"},
        {{u"/r/ZEP", zip}, zip + u" x", u"/r/ZEP", u" Rendering/7-Zip/7z.exe x"},
        {{u"/r/a b c"}, u"/r/a b c", u"/r/a b c", u""},
        // ".exe" is appended when the last part has no extension; a dot in a folder does not count.
        {{windows + u".exe"}, u"  " + windows + u" name", windows + u".exe", u" name"},
        {{u"/r/a.b.exe"}, u"/r/a.b c", std::nullopt, u""},
        {{u"/r.d/tool.exe"}, u"/r.d/tool", u"/r.d/tool.exe", u""},
        // A quoted path is the program, never cut short at a blank.
        {{u"/r/ZEP", u"/r/ZEP Rendering/tool.exe"},
         uR"( "/r/ZEP Rendering/tool" "x y")",
         u"/r/ZEP Rendering/tool.exe",
         uR"( "x y")"},
        {{u"/r/ZEP"}, uR"("/r/ZEP Rendering/tool" x)", std::nullopt, u""},
        {{}, u"/r/none at all", std::nullopt, u""},
        {{u""}, u"   ", std::nullopt, u""},
    };
    for (const auto& c : cases) {
        os::ProgramAndArguments found;
        const bool ok = os::FindProgram(
            c.line, [&](const std::u16string& p) { return c.programs.count(p) != 0; }, found);
        ASSERT_EQ(ok, c.program.has_value()) << U8(c.line);
        if (ok) {
            EXPECT_EQ(found.program, *c.program) << U8(c.line);
            EXPECT_EQ(found.arguments, c.arguments) << U8(c.line);
        }
    }
}

}  // namespace
