#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "catalogue/NumberText.h"

namespace korvane {
namespace {

TEST(ReadAtof, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(ReadAtof("1.5"), 1.5);
    EXPECT_EQ(ReadAtof("  -2.5e3xyz"), -2500);
    EXPECT_EQ(ReadAtof("+.5"), 0.5);
    EXPECT_EQ(ReadAtof("5."), 5);
    EXPECT_EQ(ReadAtof("1e"), 1);
    EXPECT_EQ(ReadAtof("1e+"), 1);
    EXPECT_EQ(ReadAtof("1.2.3"), 1.2);
    EXPECT_EQ(ReadAtof("03.123"), 3.123);
    EXPECT_EQ(ReadAtof("1,5"), 1);  // never a decimal comma, whatever the locale
    EXPECT_EQ(ReadAtof(""), 0);
    EXPECT_EQ(ReadAtof("."), 0);
    EXPECT_EQ(ReadAtof("-"), 0);
}

TEST(ReadAtof, RefusesTheCLibraryExtensions) {
    EXPECT_EQ(ReadAtof("0x10"), 0);
    EXPECT_EQ(ReadAtof("inf"), 0);
    EXPECT_EQ(ReadAtof("nan"), 0);
    EXPECT_EQ(ReadAtof("infinity"), 0);
}

TEST(ReadAtof, OverflowAndUnderflowLikeAtof) {
    EXPECT_EQ(ReadAtof("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadAtof("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadAtof("1e-999"), 0.0);
    EXPECT_EQ(ReadAtof(std::string(400, '9')), std::numeric_limits<double>::infinity());
    // The digits, not the exponent's sign alone, say which way the range was left.
    const std::string tinyDigits = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(ReadAtof(tinyDigits), 0.0);
    EXPECT_EQ(ReadAtof(tinyDigits + "e5"), 0.0);
    EXPECT_EQ(ReadAtof("-" + tinyDigits), 0.0);
    EXPECT_EQ(ReadAtof("1" + std::string(400, '0') + "e-5"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadAtof("0.0001e-99999999999999999999"), 0.0);
    EXPECT_EQ(ReadAtof("0.0001e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(ReadAtoi, StopsAtTheFirstNonDigitAndSaturates) {
    EXPECT_EQ(ReadAtoi(" 16 (hex)"), 16);
    EXPECT_EQ(ReadAtoi("-7x"), -7);
    EXPECT_EQ(ReadAtoi("x7"), 0);
    EXPECT_EQ(ReadAtoi("99999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ReadAtoi("-99999999999999"), std::numeric_limits<int>::min());
}

TEST(ShortestText, RoundTrips) {
    for (double value : {0.1, 1.0 / 3, 2.54, 1e300, 5e-324, 9007199254740993.0, -0.0}) {
        EXPECT_EQ(ReadAtof(ShortestText(value)), value) << ShortestText(value);
    }
    EXPECT_EQ(ShortestText(0.1), "0.1");
    EXPECT_EQ(ShortestText(100), "100");
    EXPECT_EQ(ShortestText(std::nan("")), "nan");
    EXPECT_EQ(ShortestText(-std::numeric_limits<double>::infinity()), "-inf");
}

}  // namespace
}  // namespace korvane
