#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/FastPath.h"

namespace korvane::cli {
namespace {

struct PlainCase {
    const char* name;
    std::vector<std::string> arguments;  // without the program's name
    bool plain;                          // whether the line skips CLI11
};

class PlainConvertTest : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainConvertTest, TakesOnlyLinesCli11WouldPassOnUnchanged) {
    std::vector<std::string> arguments{"korvane-cli"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    EXPECT_EQ(ReadPlainConvert(arguments).has_value(), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainConvertTest,
    testing::Values(
        PlainCase{"ValueFromTo", {"convert", "1", "foot", "inch"}, true},
        PlainCase{"FreeFormText", {"convert", "5 ft 7 3/8 in to cm"}, true},
        PlainCase{"Expression", {"convert", "2*pi", "radian", "degree"}, true},
        // Texts CLI11 reads as values: empty, blanks, a later command's name.
        PlainCase{"EmptyTexts", {"convert", "", "", ""}, true},
        PlainCase{"CommandNameAsUnit", {"convert", "1", "foot", "settings-path"}, true},
        PlainCase{"CommandNameAsText", {"convert", "eval"}, true},
        // Plain negative numbers are values; "-.5" through the stand-in.
        PlainCase{"NegativeValue", {"convert", "-5", "foot", "inch"}, true},
        PlainCase{"NegativePointValue", {"convert", "-.5", "meter", "centimeter"}, true},
        PlainCase{"NegativeExponent", {"convert", "-1e-3", "meter", "centimeter"}, true},
        PlainCase{"NegativeNumberAsText", {"convert", "-5"}, true},
        // Anything else starting with '-' is an option, "--" or standard input: CLI11 decides.
        PlainCase{"MinusExpression", {"convert", "-pi", "radian", "degree"}, false},
        PlainCase{"ValuesFromInput", {"convert", "-", "foot", "inch"}, false},
        PlainCase{"EndOfOptions", {"convert", "--", "1", "foot"}, false},
        PlainCase{"OptionAsValue", {"convert", "--verbose", "foot", "inch"}, false},
        PlainCase{"OptionAsUnit", {"convert", "1", "--help", "inch"}, false},
        PlainCase{"NumberAsUnit", {"convert", "1", "foot", "-5"}, false},
        PlainCase{"BatchAsText", {"convert", "--batch=x"}, false},
        // Other counts, other commands and the program's own options go through CLI11.
        PlainCase{"TwoArguments", {"convert", "1", "foot"}, false},
        PlainCase{"FourArguments", {"convert", "1", "foot", "inch", "yard"}, false},
        PlainCase{"CommandAlone", {"convert"}, false},
        PlainCase{"OtherCommand", {"factor", "1", "foot", "inch"}, false},
        PlainCase{"SettingsFirst", {"--no-settings", "convert", "1", "foot"}, false},
        PlainCase{"Nothing", {}, false}),
    [](const testing::TestParamInfo<PlainCase>& param) { return param.param.name; });

TEST(PlainConvertTest, NamesTheTextsAsTyped) {
    const std::vector<std::string> single{"korvane-cli", "convert", "-.5", "meter", "cm"};
    const auto plain = ReadPlainConvert(single);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->value, "-.5");
    EXPECT_EQ(plain->from, "meter");
    EXPECT_EQ(plain->to, "cm");
    EXPECT_FALSE(plain->freeForm);

    const std::vector<std::string> text{"korvane-cli", "convert", "12 in to cm"};
    const auto freeForm = ReadPlainConvert(text);
    ASSERT_TRUE(freeForm.has_value());
    EXPECT_EQ(freeForm->value, "12 in to cm");
    EXPECT_TRUE(freeForm->freeForm);
}

}  // namespace
}  // namespace korvane::cli
