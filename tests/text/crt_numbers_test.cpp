#include "text/crt_numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(CrtNumbers, AtoiReadsTheLeadingNumber) {
    EXPECT_EQ(CrtAtoi("abc"), 0);
    EXPECT_EQ(CrtAtoi(""), 0);
    EXPECT_EQ(CrtAtoi(" \t\r\n 8080"), 8080);
    EXPECT_EQ(CrtAtoi("-12px"), -12);
    EXPECT_EQ(CrtAtoi("+7"), 7);
    EXPECT_EQ(CrtAtoi("- 5"), 0);
    EXPECT_EQ(CrtAtoi("12 34"), 12);
    EXPECT_EQ(CrtAtoi("0x1F"), 0);
}

TEST(CrtNumbers, IntegersOutOfRangeSaturate) {
    EXPECT_EQ(CrtAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(CrtAtoi("2147483648"), INT_MAX);
    EXPECT_EQ(CrtAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(CrtAtoi("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(CrtWtoi(u"99999999999999999999"), INT_MAX);
}

TEST(CrtNumbers, WideReadersStopAtNonAsciiText) {
    EXPECT_EQ(CrtWtoi(u"1920像素"), 1920);
    EXPECT_EQ(CrtWtoi(u"\uFF11"), 0);  // a full-width digit is not a digit here
    EXPECT_DOUBLE_EQ(CrtWtof(u"2.2伽马"), 2.2);
}

TEST(CrtNumbers, WtofReadsDecimalForms) {
    EXPECT_DOUBLE_EQ(CrtWtof(u"2.2"), 2.2);
    EXPECT_DOUBLE_EQ(CrtWtof(u"  -0.5"), -0.5);
    EXPECT_DOUBLE_EQ(CrtWtof(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(CrtWtof(u"+1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(CrtWtof(u"1000.0"), 1000.0);
    EXPECT_DOUBLE_EQ(CrtWtof(u"12,5"), 12.0);
    EXPECT_DOUBLE_EQ(CrtWtof(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(CrtWtof(u"--1"), 0.0);
    EXPECT_DOUBLE_EQ(CrtWtof(u""), 0.0);
}

TEST(CrtNumbers, WtofOutOfRange) {
    EXPECT_EQ(CrtWtof(u"1e999"), HUGE_VAL);
    EXPECT_EQ(CrtWtof(u"-1e999"), -HUGE_VAL);
    EXPECT_EQ(CrtWtof(u"1e-999"), 0.0);
    EXPECT_TRUE(std::isinf(CrtWtof(u"inf")));
}

}  // namespace
