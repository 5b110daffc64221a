#include "text/conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "tests/support/environment.h"

namespace {

using namespace std::string_literals;

const std::u16string kMixedText = u"Сцена 场景 scene-01 файл 文件";

TEST(TextConversions, Utf8RoundTripKeepsCjkCyrillicAsciiAndSurrogatePairs) {
    EXPECT_EQ(FromUtf8(ToUtf8(kMixedText)), kMixedText);
    EXPECT_EQ(ToUtf8(u"场"), "\xE5\x9C\xBA");
    std::u16string emoji = u"\U0001F3A5 camera";
    EXPECT_EQ(FromUtf8(ToUtf8(emoji)), emoji);
}

TEST(TextConversions, EveryConversionStopsAtTheFirstZero) {
    EXPECT_EQ(ToUtf8(u"abc\0def"s), "abc");
    // Long texts are searched a word at a time; a unit with a zero byte is no zero.
    EXPECT_EQ(ToUtf8(std::u16string(13, u'x') + u'\0' + std::u16string(20, u'y')),
              std::string(13, 'x'));
    std::string letters;  // U+0100 seventeen times
    for (int i = 0; i < 17; ++i) {
        letters += "\xC4\x80";
    }
    EXPECT_EQ(ToUtf8(std::u16string(17, u'\u0100')), letters);
    EXPECT_EQ(FromUtf8("abc\0def"s), u"abc");
    EXPECT_EQ(ToLocalMultibyte(u"场\0景"s), "\xB3\xA1");
    EXPECT_EQ(FromLocalMultibyte("\xB3\xA1\0\xBE\xB0"s), u"场");
    EXPECT_EQ(Utf8ToAnsi("a\0b"s), "a");
    EXPECT_EQ(EraseChars(u"a:b\0:c"s, u":"), u"ab");
    EXPECT_EQ(TrimBlanks(u" a \0 b"s), u"a");
}

// Code page 936 both ways; a character outside it (Thai) or a lead byte without its trail byte
// ends the text there, keeping what came first.
TEST(TextConversions, LocalMultibyteIsCodePage936AndStopsAtWhatItLacks) {
    std::u16string chinese = u"渲染农场 场景文件 house_01";
    std::string bytes = ToLocalMultibyte(chinese);
    EXPECT_EQ(bytes.substr(0, 4), "\xE4\xD6\xC8\xBE");
    EXPECT_EQ(FromLocalMultibyte(bytes), chinese);
    EXPECT_EQ(ToLocalMultibyte(u"ab\u0E01cd"), "ab");
    EXPECT_EQ(FromLocalMultibyte("ab\xB3"), u"ab");
}

TEST(TextConversions, Utf8ToAnsiReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(Utf8ToAnsi(ToUtf8(u"场景")), "\xB3\xA1\xBE\xB0");
    EXPECT_EQ(Utf8ToAnsi(ToUtf8(u"a\u0E01b")), "a?b");
}

TEST(TextConversions, Utf8ToAnsiFollowsTheStandInsAnsiCodePage) {
    if (testing_support::kOnWindows) {
        GTEST_SKIP() << "the ANSI code page is the system's";
    }
    testing_support::SetEnv("ZEP_ANSI_CODEPAGE", "1252");
    EXPECT_EQ(Utf8ToAnsi(ToUtf8(u"café 场")), "caf\xE9 ?");
    testing_support::UnsetEnv("ZEP_ANSI_CODEPAGE");
}

TEST(TextConversions, TheProcessLocaleIsNeverSwitched) {
    std::string before = std::setlocale(LC_ALL, nullptr);
    ToLocalMultibyte(kMixedText);
    FromLocalMultibyte("\xB3\xA1");
    Utf8ToAnsi("x");
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(TextCleanUp, EraseCharsRemovesEveryCharacterGivenAndTrimBlanksOnlySpaces) {
    EXPECT_EQ(EraseChars(u"a\\b/c:d*e?f\"g<h>i|j::k||", u"\\/:*?\"<>|"), u"abcdefghijk");
    EXPECT_EQ(EraseChars(u"keep", u""), u"keep");
    EXPECT_EQ(EraseChars(u"", u":"), u"");
    EXPECT_EQ(TrimBlanks(u"    "), u"");
    EXPECT_EQ(TrimBlanks(u"\tcam "), u"\tcam");
    EXPECT_EQ(TrimBlanks(u"  Camera 01  "), u"Camera 01");
    EXPECT_EQ(TrimBlanks(u"\u3000x\u3000"), u"\u3000x\u3000");
}

}  // namespace
