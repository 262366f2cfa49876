#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/Conversion.h"

namespace korvane {
namespace {

enum Temperature { kCelsius, kFahrenheit, kKelvin, kRankine, kReaumur };
enum Conductance { kRImperial, kRMetric, kUImperial, kUMetric };

double Temp(int from, int to, double x) {
    return ConvertValue(ConversionRule::Temperature, from, to, 0, 0, x).value();
}
double Cond(int from, int to, double x) {
    return ConvertValue(ConversionRule::Conductance, from, to, 0, 0, x).value();
}

TEST(Conversion, RuleFollowsTheExactCategoryName) {
    EXPECT_EQ(RuleForCategory("Numbers"), ConversionRule::Numbers);
    EXPECT_EQ(RuleForCategory("Temperature"), ConversionRule::Temperature);
    EXPECT_EQ(RuleForCategory("Thermal Conductance (buildings)"), ConversionRule::Conductance);
    EXPECT_EQ(RuleForCategory("temperature"), ConversionRule::Linear);
    EXPECT_EQ(RuleForCategory("Numbers "), ConversionRule::Linear);
}

TEST(Conversion, LinearMultipliesBeforeDividing) {
    EXPECT_EQ(ConvertLinear(1, 30.48, 2.54), 12.0);
    // x * a / b and x * (a / b) differ in the last bit here; the stored order must win.
    EXPECT_EQ(ConvertLinear(3, 0.1, 0.3), (0.1 * 3) / 0.3);
    EXPECT_TRUE(std::isinf(ConvertLinear(1, 1, 0)));
}

TEST(Conversion, TemperatureScales) {
    EXPECT_DOUBLE_EQ(Temp(kCelsius, kFahrenheit, 100), 212);
    EXPECT_DOUBLE_EQ(Temp(kCelsius, kKelvin, 100), 373.15);
    EXPECT_DOUBLE_EQ(Temp(kCelsius, kRankine, 100), 671.67);
    EXPECT_DOUBLE_EQ(Temp(kCelsius, kReaumur, 100), 80);
    EXPECT_DOUBLE_EQ(Temp(kFahrenheit, kCelsius, -40), -40);
    EXPECT_DOUBLE_EQ(Temp(kKelvin, kCelsius, 0), -273.15);
    EXPECT_DOUBLE_EQ(Temp(kReaumur, kCelsius, 80), 100);
    EXPECT_NEAR(Temp(kRankine, kKelvin, 491.67), 273.15, 1e-12);
    EXPECT_EQ(Temp(kCelsius, kFahrenheit, 0), 32);
}

TEST(Conversion, UnknownTypeGivesNoValueInsteadOfMinus999) {
    EXPECT_FALSE(ConvertValue(ConversionRule::Temperature, 5, 0, 0, 0, 1));
    EXPECT_FALSE(ConvertValue(ConversionRule::Temperature, 0, -1, 0, 0, 1));
    EXPECT_FALSE(ConvertValue(ConversionRule::Conductance, 4, 0, 0, 0, 1));
    EXPECT_FALSE(ConvertValue(ConversionRule::Conductance, 0, 4, 0, 0, 1));
    EXPECT_FALSE(ConvertValue(ConversionRule::Numbers, 0, 0, 1, 1, 1));
}

TEST(Conversion, ThermalConductance) {
    EXPECT_DOUBLE_EQ(Cond(kRMetric, kUMetric, 2), 0.5);
    EXPECT_DOUBLE_EQ(Cond(kRImperial, kUMetric, 1), 1 / kUValueImperialToMetric);
    EXPECT_DOUBLE_EQ(Cond(kRImperial, kRMetric, 1), kUValueImperialToMetric);
    EXPECT_DOUBLE_EQ(Cond(kUImperial, kUMetric, 1), 1 / kUValueImperialToMetric);
    EXPECT_DOUBLE_EQ(Cond(kUMetric, kUImperial, 1), kUValueImperialToMetric);
    EXPECT_TRUE(std::isinf(Cond(kRMetric, kUMetric, 0)));
}

TEST(NumberBase, RadixComesFromTheUnitName) {
    EXPECT_EQ(RadixFromUnitName("base-16 (hexadecimal)"), 16);
    EXPECT_EQ(RadixFromUnitName("base-03"), 3);
    EXPECT_EQ(RadixFromUnitName("base-36"), 36);
    EXPECT_EQ(RadixFromUnitName("(base-16)"), 16);  // a bracket at position 0 does not cut
    EXPECT_EQ(RadixFromUnitName("-16"), -16);       // so is a dash at position 0
    EXPECT_EQ(RadixFromUnitName("money"), 0);
    EXPECT_EQ(RadixFromUnitName("octal (base-8)"), 0);  // a dash inside the bracket does not count
}

struct NumberCase {
    const char* input;
    const char* from;
    const char* to;
    const char* expected;
};

class NumberBaseCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberBaseCases, Converts) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(ConvertNumberBase(c.input, c.from, c.to), c.expected) << '"' << c.input << '"';
}

constexpr const char* kBin = "base-02 (binary)";
constexpr const char* kDec = "base-10 (decimal)";
constexpr const char* kHex = "base-16 (hexadecimal)";
constexpr const char* kB36 = "base-36";

INSTANTIATE_TEST_SUITE_P(
    Radix, NumberBaseCases,
    ::testing::Values(NumberCase{"ff", kHex, kBin, "11111111"}, NumberCase{"ff", kHex, kDec, "255"},
                      NumberCase{"FF", kHex, kDec, "255"}, NumberCase{"-1", kDec, kHex, "ffffffff"},
                      NumberCase{"-1", kDec, kDec, "-1"},
                      NumberCase{"-1", kDec, kBin, "11111111111111111111111111111111"},
                      NumberCase{"2147483647", kDec, kHex, "7fffffff"},
                      NumberCase{"2147483648", kDec, kHex, "Error"},
                      NumberCase{"-2147483648", kDec, kHex, "80000000"},
                      NumberCase{"-2147483648", kDec, kDec, "-2147483648"},
                      NumberCase{"-2147483649", kDec, kDec, "Error"},
                      NumberCase{"99999999999999999999999", kDec, kDec, "Error"},
                      NumberCase{"", kDec, kHex, "0"}, NumberCase{"12abc", kDec, kDec, "12"},
                      NumberCase{"0x1A", kHex, kHex, "1a"}, NumberCase{"0x", kHex, kDec, "0"},
                      NumberCase{"0xg", kHex, kDec, "0"}, NumberCase{"0x10", kDec, kDec, "0"},
                      NumberCase{"z", kB36, kDec, "35"}, NumberCase{"  +42", kDec, kDec, "42"},
                      NumberCase{"ff", kDec, kHex, "0"}, NumberCase{"2", kBin, kDec, "0"},
                      NumberCase{"1", "base-37", kDec, "Error"},
                      NumberCase{"1", kDec, "base-01", "Error"},
                      NumberCase{"1", "money", kDec, "Error"}, NumberCase{"1 2", kDec, kDec, "1"},
                      NumberCase{"- 5", kDec, kDec, "0"}));

}  // namespace
}  // namespace korvane
