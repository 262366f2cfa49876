#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "catalogue/NumberText.h"
#include "tests/GuardedText.h"

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

// Leading zeros carry no magnitude: however many stand before a number out of range, it leaves
// the range the same way as without them.
TEST(ReadAtof, LeadingZerosDoNotDecideTheWayOutOfRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        std::size_t zeros;
        const char* number;
        double expected;
    } cases[] = {
        {200, "1e-330", 0.0}, {400, "1e-330", 0.0},  {200, "1.5e-330", 0.0},
        {400, "1e330", kInf}, {200, "10e-330", 0.0}, {200, ".1e-330", 0.0},
    };
    for (const auto& c : cases) {
        const std::string text = std::string(c.zeros, '0') + c.number;
        EXPECT_EQ(ReadAtof(text), c.expected) << c.zeros << " zeros before " << c.number;
        EXPECT_EQ(ReadAtof("-" + text), -c.expected) << "-, " << c.zeros << " zeros, " << c.number;
    }
}

TEST(ReadAtoi, StopsAtTheFirstNonDigitAndSaturates) {
    EXPECT_EQ(ReadAtoi(" 16 (hex)"), 16);
    EXPECT_EQ(ReadAtoi("-7x"), -7);
    EXPECT_EQ(ReadAtoi("x7"), 0);
    EXPECT_EQ(ReadAtoi("99999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ReadAtoi("-99999999999999"), std::numeric_limits<int>::min());
}

TEST(ReadStrtol32, ReadsLikeStrtolWithinThe32BitRange) {
    const struct {
        std::string_view text;
        int radix;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"-0X1F", 16, -31},  // upper-case prefix after a sign
        {"0X1F", 16, 31},    // prefix at the very start of the text
        {" +0x1f", 16, 31},
        {"0x", 16, 0},   // no digit after it: only the "0" is read
        {"0xg", 16, 0},  //
        {"0x1F", 10, 0},
        {"ff", 16, 255},
        {"-101", 2, -5},
        {"z", 36, 35},
        {"12", 1, std::nullopt},
        {"12", 37, std::nullopt},
        {"7fffffff", 16, 2147483647},
        {"-80000000", 16, -2147483647 - 1},
        {"80000000", 16, std::nullopt},
        {"-80000001", 16, std::nullopt},
        {"99999999999999999999", 10, std::nullopt},
        {"", 10, 0},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(ReadStrtol32(entry.text, entry.radix), entry.value)
            << entry.text << " in radix " << entry.radix;
    }
}

// Every prefix of these, so the text ends in the middle of a sign, a prefix or an exponent, read
// with nothing readable just before or just after it: a reader that looks past either end
// crashes here. The results must be those of the same text in ordinary memory.
TEST(NumberReaders, ReadNothingOutsideTheText) {
    using testing::GuardedText;
    for (const std::string_view whole :
         {"  +12.5e-3x", "-0X1F", "0x1f", "1e+5", ".5", "1.e", "7fffffff", "-z", "99999999999"}) {
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            const std::string text(whole.substr(0, length));
            for (const auto guard : {GuardedText::Guard::Before, GuardedText::Guard::After}) {
                const GuardedText guarded(text, guard);
                ASSERT_TRUE(guarded.Ready());
                const std::string_view view = guarded.View();
                EXPECT_EQ(DecimalNumberLength(view), DecimalNumberLength(text)) << text;
                EXPECT_EQ(ReadAtof(view), ReadAtof(text)) << text;
                EXPECT_EQ(ReadAtoi(view), ReadAtoi(text)) << text;
                for (const int radix : {2, 10, 16, 36})
                    EXPECT_EQ(ReadStrtol32(view, radix), ReadStrtol32(text, radix)) << text;
            }
        }
    }
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
