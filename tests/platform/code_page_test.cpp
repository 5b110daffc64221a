#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <thread>
#include <utility>

#include "platform/last_error.h"
#include "tests/support/environment.h"

namespace {

// Each UTF-8 length at both its ends, long ASCII runs around them, and the ill-formed neighbours
// of well-formed sequences (overlong, surrogate, beyond U+10FFFF, cut), one U+FFFD per byte or
// the end of the conversion. A code page the system does not know converts nothing.
TEST(CodePage, Utf8AtTheEdgesOfEachSequenceLengthAndWhatCannotBeConverted) {
    const std::u16string ascii = u"0123456789abcdef";
    const std::string ascii8 = "0123456789abcdef";
    for (const auto& [wide, utf8] : std::initializer_list<std::pair<std::u16string, std::string>>{
             {u"\u007F\u0080", "\x7F\xC2\x80"},
             {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
             {u"\uD7FF\uE000\uFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
             {u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
             {ascii + u"\u573A" + ascii + u"\u00E9" + ascii,
              ascii8 + "\xE5\x9C\xBA" + ascii8 + "\xC3\xA9" + ascii8},
         }) {
        EXPECT_EQ(os::WideToMultiByte(os::kCodePageUtf8, wide), utf8);
        EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, utf8), wide);
    }
    EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, "a\xC3(b"), u"a\uFFFD(b");
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageUtf8, u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, "ok\xFFno", os::Unmappable::Stop), u"ok");
    EXPECT_EQ(os::WideToMultiByte(4242, u"abc"), "");
    EXPECT_EQ(os::GetLastError(), os::kErrorInvalidParameter);
    if (testing_support::RunningUnderWine()) {
        GTEST_SKIP() << "Wine replaces a cut or ill-formed sequence by fewer U+FFFD";
    }
    for (const std::string utf8 :
         {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\x9C", "\xBA"}) {
        EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, ascii8 + utf8),
                  ascii + std::u16string(utf8.size(), u'\uFFFD'))
            << utf8;
    }
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageUtf8, ascii + u"\xDC00\xD800"),
              ascii8 + "\xEF\xBF\xBD\xEF\xBF\xBD");
}

// The machines the plug-in runs on are Chinese; so is the Wine prefix of the Windows tests. The
// stand-in takes another ANSI code page from the environment.
TEST(CodePage, AnsiIs936UnlessTheStandInIsToldOtherwise) {
    testing_support::UnsetEnv("ZEP_ANSI_CODEPAGE");
    EXPECT_EQ(os::AnsiCodePage(), 936u);
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageAnsi, u"场"), "\xB3\xA1");
    if (!testing_support::kOnWindows) {
        testing_support::SetEnv("ZEP_ANSI_CODEPAGE", "1251");
        EXPECT_EQ(os::AnsiCodePage(), 1251u);
        EXPECT_EQ(os::WideToMultiByte(os::kCodePageAnsi, u"Дом"), "\xC4\xEE\xEC");
        testing_support::SetEnv("ZEP_ANSI_CODEPAGE", "not a number");
        EXPECT_EQ(os::AnsiCodePage(), 936u);
        testing_support::UnsetEnv("ZEP_ANSI_CODEPAGE");
    }
}

// Two threads, this one and another, each convert a text there and back, punctuation and all.
TEST(CodePage, ThreadsConvertAtTheSameTime) {
    auto convert = [](std::u16string text, bool* same) {
        for (int i = 0; i < 2000 && *same; ++i) {
            *same = os::MultiByteToWide(os::kCodePageChinese,
                                        os::WideToMultiByte(os::kCodePageChinese, text)) == text;
        }
    };
    bool same[] = {true, true};
    std::thread other(convert, u"三维渲染：场景《客厅》第 01 版", &same[0]);
    convert(u"second 线程", &same[1]);
    other.join();
    EXPECT_TRUE(same[0]);
    EXPECT_TRUE(same[1]);
}

}  // namespace
