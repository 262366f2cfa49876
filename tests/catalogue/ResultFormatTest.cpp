#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue/ResultFormat.h"

namespace korvane {
namespace {

struct FormatCase {
    double value;
    FormatMode mode;
    int precision;
    const char* expected;
};

class FormatResultCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatResultCases, PrintsLikeTheOriginalRuntime) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatResult(c.value, ResultFormat{c.mode, c.precision}), c.expected);
}

constexpr auto kAuto = FormatMode::AutoFormat;
constexpr auto kSci = FormatMode::Scientific;
constexpr auto kFix = FormatMode::Fixed;
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Auto, FormatResultCases,
    ::testing::Values(
        FormatCase{12, kAuto, 5, "12"}, FormatCase{0.1, kAuto, 5, "0.1"},
        FormatCase{123456789, kAuto, 5, "1.2345679e+008"},
        FormatCase{1.0 / 3, kAuto, 5, "0.33333333"}, FormatCase{0, kAuto, 5, "0"},
        FormatCase{-0.0, kAuto, 5, "-0"}, FormatCase{0.00001, kAuto, 5, "1e-005"},
        FormatCase{0.0001, kAuto, 5, "0.0001"}, FormatCase{12345678, kAuto, 5, "12345678"},
        FormatCase{99999999.5, kAuto, 5, "1e+008"}, FormatCase{1e300, kAuto, 5, "1e+300"},
        FormatCase{-2.5e-300, kAuto, 5, "-2.5e-300"}, FormatCase{600, kAuto, 0, "600"}));

INSTANTIATE_TEST_SUITE_P(
    ScientificAndFixed, FormatResultCases,
    ::testing::Values(FormatCase{12, kSci, 5, "1.20000e+001"},
                      FormatCase{123.4567897689834, kSci, 5, "1.23457e+002"},
                      FormatCase{12, kSci, 0, "1e+001"}, FormatCase{1e-300, kSci, 2, "1.00e-300"},
                      FormatCase{12, kFix, 5, "12.00000"},
                      FormatCase{1e20, kFix, 5, "100000000000000000000.00000"},
                      FormatCase{0.06, kFix, 1, "0.1"}, FormatCase{12, kFix, 0, "12"},
                      // Ties round the binary value: 0.25 is exact, so it rounds to even.
                      FormatCase{0.25, kFix, 1, "0.2"}, FormatCase{2.675, kFix, 2, "2.67"},
                      FormatCase{-1.5, kFix, 0, "-2"}, FormatCase{12, kFix, -3, "12.000000"},
                      FormatCase{12, kSci, -1, "1.200000e+001"}));

INSTANTIATE_TEST_SUITE_P(NonFinite, FormatResultCases,
                         ::testing::Values(FormatCase{kInf, kAuto, 5, "inf"},
                                           FormatCase{-kInf, kSci, 5, "-inf"},
                                           FormatCase{kInf, kFix, 5, "inf"},
                                           FormatCase{std::nan(""), kAuto, 5, "nan"},
                                           FormatCase{-std::nan(""), kFix, 5, "nan"}));

TEST(FormatResult, HugePrecisionIsClampedNotHonoured) {
    const std::string text = FormatResult(1, ResultFormat{kFix, 2000000000});
    EXPECT_EQ(text.size(), 2u + kMaxPrecision);
    const std::string largest =
        FormatResult(std::numeric_limits<double>::max(), ResultFormat{kFix, 2000000000});
    EXPECT_EQ(largest.size(), 309u + 1u + kMaxPrecision);
    EXPECT_EQ(FormatResult(-1e-300, ResultFormat{kSci, 600}).size(), 1u + 2u + kMaxPrecision + 5u);
}

TEST(FormatResult, UnknownModeFormatsAsAuto) {
    EXPECT_EQ(FormatResult(1.0 / 3, ResultFormat{static_cast<FormatMode>(7), 2}), "0.33333333");
    EXPECT_EQ(FormatModeFromInt(7), kAuto);
    EXPECT_EQ(FormatModeFromInt(-1), kAuto);
    EXPECT_EQ(FormatModeFromInt(2), kFix);
}

TEST(FormatPreview, AutoShowsFourteenDigits) {
    EXPECT_EQ(FormatPreview(123.4567897689834, ResultFormat{kAuto, 5}), "123.45678976898");
    EXPECT_EQ(FormatPreview(123.4567897689834, ResultFormat{kSci, 5}), "1.23457e+002");
    EXPECT_EQ(FormatPreview(123.4567897689834, ResultFormat{kFix, 3}), "123.457");
    EXPECT_EQ(FormatPreview(1e-7, ResultFormat{kAuto, 5}), "1e-007");
}

struct PreviewCase {
    const char* name;
    FormatMode mode;
    int precision;
    const char* expected;
};

// What the Result Format page shows for its sample number.
TEST(FormatPreview, SampleTextsOfTheResultFormatPage) {
    const PreviewCase cases[] = {
        {"AutoFormat ignores the precision", kAuto, 1, "123.45678976898"},
        {"Scientific 5", kSci, 5, "1.23457e+002"},
        {"Fixed 5", kFix, 5, "123.45679"},
        {"Scientific 1", kSci, 1, "1.2e+002"},
        {"Fixed 9", kFix, 9, "123.456789769"},
    };
    for (const PreviewCase& c : cases) {
        EXPECT_EQ(FormatPreview(kPreviewSample, ResultFormat{c.mode, c.precision}), c.expected)
            << c.name;
    }
    // The output box keeps eight digits for the same number.
    EXPECT_EQ(FormatResult(kPreviewSample, ResultFormat{kAuto, 5}), "123.45679");
}

}  // namespace
}  // namespace korvane
