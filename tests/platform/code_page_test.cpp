#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/last_error.h"

namespace {

TEST(CodePage, ChineseRoundTripsThrough936) {
    std::u16string text = u"三维渲染：场景《客厅》第 01 版";
    std::string bytes = os::WideToMultiByte(os::kCodePageChinese, text);
    EXPECT_EQ(bytes.substr(0, 4), "\xC8\xFD\xCE\xAC");
    EXPECT_EQ(os::MultiByteToWide(os::kCodePageChinese, bytes), text);
}

TEST(CodePage, IllFormedInputIsReplacedOrStopsTheConversion) {
    EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, "a\xC3(b"), u"a\uFFFD(b");
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageUtf8, u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageChinese, u"x\u0E01y"), "x?y");
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageChinese, u"x\u0E01y", os::Unmappable::Stop), "x");
    EXPECT_EQ(os::MultiByteToWide(os::kCodePageUtf8, "ok\xFFno", os::Unmappable::Stop), u"ok");
}

TEST(CodePage, AnsiIs936UnlessTheEnvironmentNamesAnother) {
    ::unsetenv("ZEP_ANSI_CODEPAGE");
    EXPECT_EQ(os::AnsiCodePage(), 936u);
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageAnsi, u"场"), "\xB3\xA1");
    ::setenv("ZEP_ANSI_CODEPAGE", "1251", 1);
    EXPECT_EQ(os::AnsiCodePage(), 1251u);
    EXPECT_EQ(os::WideToMultiByte(os::kCodePageAnsi, u"Дом"), "\xC4\xEE\xEC");
    ::setenv("ZEP_ANSI_CODEPAGE", "not a number", 1);
    EXPECT_EQ(os::AnsiCodePage(), 936u);
    ::unsetenv("ZEP_ANSI_CODEPAGE");
}

TEST(CodePage, UnknownCodePageGivesNothingAndInvalidParameter) {
    EXPECT_EQ(os::WideToMultiByte(4242, u"abc"), "");
    EXPECT_EQ(os::GetLastError(), os::kErrorInvalidParameter);
}

TEST(CodePage, ThreadsConvertAtTheSameTime) {
    auto convert = [](const std::u16string& text, bool& same) {
        same = true;
        for (int i = 0; i < 2000; ++i) {
            std::string bytes = os::WideToMultiByte(os::kCodePageChinese, text);
            same = same && os::MultiByteToWide(os::kCodePageChinese, bytes) == text;
        }
    };
    bool firstSame = false;
    bool secondSame = false;
    std::thread first(convert, u"第一个线程", std::ref(firstSame));
    std::thread second(convert, u"second 线程", std::ref(secondSame));
    first.join();
    second.join();
    EXPECT_TRUE(firstSame);
    EXPECT_TRUE(secondSame);
}

}  // namespace
