// The text helpers: conversions between UTF-8, UTF-16 and the code pages, and the runtime's
// number readers.
#include "text/conversions.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "tests/support/environment.h"
#include "text/crt_numbers.h"

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
    EXPECT_EQ(ToUtf8(std::u16string(17, u'\u0100')), "ĀĀĀĀĀĀĀĀĀĀĀĀĀĀĀĀĀ");  // U+0100
    EXPECT_EQ(FromUtf8("abc\0def"s), u"abc");
    EXPECT_EQ(ToLocalMultibyte(u"场\0景"s), "\xB3\xA1");
    EXPECT_EQ(FromLocalMultibyte("\xB3\xA1\0\xBE\xB0"s), u"场");
    EXPECT_EQ(Utf8ToAnsi("a\0b"s), "a");
    EXPECT_EQ(EraseChars(u"a:b\0:c"s, u":"), u"ab");
    EXPECT_EQ(TrimBlanks(u" a \0 b"s), u"a");
}

// Code page 936 both ways; a character outside it (Thai) or a lead byte without its trail byte
// ends the text there, keeping what came first. The ANSI text has "?" for what it lacks.
TEST(TextConversions, LocalMultibyteIsCodePage936AndStopsAtWhatItLacks) {
    std::u16string chinese = u"渲染农场 场景文件 house_01";
    std::string bytes = ToLocalMultibyte(chinese);
    EXPECT_EQ(bytes.substr(0, 4), "\xE4\xD6\xC8\xBE");
    EXPECT_EQ(FromLocalMultibyte(bytes), chinese);
    EXPECT_EQ(ToLocalMultibyte(u"ab\u0E01cd"), "ab");
    EXPECT_EQ(FromLocalMultibyte("ab\xB3"), u"ab");
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

TEST(CrtNumbers, IntegerReadersTakeTheLeadingNumberAndSaturate) {
    const std::pair<const char*, int> cases[] = {// text, value
                                                 {"abc", 0},
                                                 {"", 0},
                                                 {" \t\r\n 8080", 8080},
                                                 {"-12px", -12},
                                                 {"+7", 7},
                                                 {"- 5", 0},
                                                 {"12 34", 12},
                                                 {"0x1F", 0},
                                                 {"2147483647", INT_MAX},
                                                 {"2147483648", INT_MAX},
                                                 {"-2147483648", INT_MIN}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(CrtAtoi(text), value) << text;
    }
    EXPECT_EQ(CrtAtoi("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(CrtWtoi(u"99999999999999999999"), INT_MAX);
    // Wide readers stop at non-ASCII text; a full-width digit is not a digit here.
    EXPECT_EQ(CrtWtoi(u"1920像素"), 1920);
    EXPECT_EQ(CrtWtoi(u"\uFF11"), 0);
}

TEST(CrtNumbers, WtofReadsDecimalFormsAndOverflowsToInfinity) {
    const std::pair<const char16_t*, double> cases[] = {
        // text, value
        {u"2.2", 2.2},         {u"  -0.5", -0.5},   {u".5", 0.5},
        {u"+1e3x", 1000.0},    {u"1000.0", 1000.0}, {u"12,5", 12.0},
        {u"abc", 0.0},         {u"--1", 0.0},       {u"", 0.0},
        {u"2.2伽马", 2.2},     {u"1e-999", 0.0},    {u"1e999", HUGE_VAL},
        {u"-1e999", -HUGE_VAL}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(CrtWtof(text), value) << testing::PrintToString(std::u16string(text));
    }
    EXPECT_TRUE(std::isinf(CrtWtof(u"inf")));
}

}  // namespace
