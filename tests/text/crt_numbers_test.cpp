#include "text/crt_numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <utility>

namespace {

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
