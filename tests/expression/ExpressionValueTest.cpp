// What the entry returns, and which code it leaves, for the language's operators, operands,
// pre-checks and the error slot's "every stage clears it" rule.

#include <cmath>
#include <ostream>
#include <string>

#include "ExpressionTestSupport.h"
#include "catalogue/NumberText.h"

namespace korvane::expression::testing {
namespace {

constexpr int kAny = -1;  // first_code not checked

struct ValueRow {
    std::string name;
    std::string text;
    double value;
    int code;               // the final code the full-form entry leaves in the slot
    int first_code = kAny;  // the first code reported, as the checked entry tells
    double tolerance = 0;
};

void PrintTo(const ValueRow& row, std::ostream* out) {
    *out << row.name;
}

void CheckRow(const ValueRow& row, double x = 0, double y = 0, double z = 0, double t = 0) {
    int code = -99;
    const double value = eval_math_expression_xyzt(row.text, x, y, z, t, code, 0);
    ExpectValue(value, row.value, row.tolerance);
    EXPECT_EQ(code, row.code);

    const math_expression_check check = eval_math_expression_checked_xyzt(row.text, x, y, z, t, 0);
    ExpectValue(check.value, row.value, row.tolerance);
    EXPECT_EQ(check.code, row.code);
    if (row.first_code != kAny) {
        EXPECT_EQ(check.first_code, row.first_code);
    }
    EXPECT_EQ(check.error_reported, check.first_code != 0);
    EXPECT_EQ(check.first_message.empty(), check.first_code == 0);
    if (row.code != 0) {
        EXPECT_TRUE(check.error_reported);
    }
}

// ---- Operators and precedence ------------------------------------------------------------------

class Precedence : public ::testing::TestWithParam<ValueRow> {};
TEST_P(Precedence, ValueAndCode) {
    CheckRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Operators, Precedence,
    ::testing::Values(ValueRow{"TimesBeforePlus", "2 + 3 * 4", 14, 0, 0},
                      ValueRow{"MinusGroupsLeft", "2 - 3 - 4", -5, 0, 0},
                      ValueRow{"DivideGroupsLeft", "8/2/2", 2, 0, 0},
                      ValueRow{"PowerBeforeDivide", "2/2^3", 0.25, 0, 0},
                      ValueRow{"AllThreeLevels", "1 - 2 * 3^2", -17, 0, 0},
                      ValueRow{"LeadingMinusNegatesPower", "-2^2", -4, 0, 0},
                      ValueRow{"BracketedNegativePower", "(-2)^2", 4, 0, 0},
                      ValueRow{"PowerGroupsRight", "2^3^4", std::pow(2.0, 81.0), 0, 0},
                      ValueRow{"PowerThenTimes", "2^3*4", 32, 0, 0},
                      ValueRow{"TwoPowersTimes", "2^3*4^2", 128, 0, 0},
                      ValueRow{"PowerThenDivideThenPower", "2^3/4^2", 0.5, 0, 0},
                      ValueRow{"BracketsFirst", "(2+3) * 2", 10, 0, 0},
                      ValueRow{"LeadingPlus", "+5", 5, 0, 0},
                      ValueRow{"LeadingMinusFirstTermOnly", "-2+3", 1, 0, 0},
                      ValueRow{"LeadingMinusOverProduct", "-2*3+10", 4, 0, 0},
                      ValueRow{"SignAloneIsZero", "-", 0, 0, 0},
                      ValueRow{"TimesMinusIsTwoOperators", "2 * -3", -3, 0, 16},
                      ValueRow{"MinusMinusIsTwoOperators", "3 - -2", 1, 0, 16},
                      ValueRow{"DoubleStarIsZero", "2 ** 3", 0, 0, 16},
                      ValueRow{"PowerOfMinusIsTwoOperators", "2^-1", 0, 0, 16},
                      ValueRow{"TimesBracketedNegative", "2 * (-3)", -6, 0, 0},
                      ValueRow{"StarFirstGoesOn", "*3", 0, 0, 17},
                      ValueRow{"PowerFirstGoesOn", "^3", 0, 0, 17},
                      ValueRow{"TrailingPlusCleared", "2+", 2, 0, 15},
                      ValueRow{"TrailingTimesCleared", "2*", 2, 0, 15},
                      ValueRow{"TrailingPowerCleared", "2^", 2, 0, 15},
                      ValueRow{"ExponentSignStaysInNumber", "1-2e-3", 0.998, 0, 0},
                      ValueRow{"ExponentSignInProduct", "2*3e+2", 600, 0, 0},
                      ValueRow{"SignAfterLetterEIsOperator", "e+5", std::exp(1.0) + 5, 0, 0},
                      ValueRow{"SignBeforeNonDigitIsOperator", "1e-x", 1, 0, 0},
                      // An exponent after "digits." keeps its sign as well.
                      ValueRow{"ExponentSignAfterPoint", "5.e-3", 0.005, 0, 0},
                      ValueRow{"ExponentPlusAfterPoint", "5.e+3", 5000, 0, 0},
                      ValueRow{"UpperCaseExponentAfterPoint", "2.E-1", 0.2, 0, 0},
                      ValueRow{"ExponentAfterPointWithSpaces", "5 . e - 3", 0.005, 0, 0},
                      ValueRow{"ExponentAfterPointInProduct", "2*5.e-3", 0.01, 0, 0},
                      ValueRow{"ExponentAfterPointUnderPower", "4^5.e-1", 2, 0, 0},
                      ValueRow{"ExponentAfterPointAfterLeadingSign", "-5.e-3", -0.005, 0, 0},
                      ValueRow{"ExponentAfterPointThenSum", "5.e-3+1", 1.005, 0, 0},
                      ValueRow{"ExponentAfterPointInArguments", "max(5.e-3,1.e-2)", 0.01, 0, 0},
                      ValueRow{"SignAfterPointIsOperator", "5.-3", 2, 0, 0},
                      ValueRow{"SignAfterPointExponentWithoutDigits", ".e-3", -3, 0, 0},
                      ValueRow{"SignAfterPointExponentBeforeLetter", "5.e-x", 5, 0, 0},
                      ValueRow{"SignAfterPointExponentLast", "5.e-", 5, 0, 15},
                      ValueRow{"TwoSignsAfterPointExponent", "5.e--3", 2, 0, 16},
                      ValueRow{"SignAfterNameWithPoint", "x.e-3", -3, 0, 2}),
    RowName<ValueRow>);

// ---- Operands, numbers, constants --------------------------------------------------------------

class Operands : public ::testing::TestWithParam<ValueRow> {};
TEST_P(Operands, ValueAndCode) {
    CheckRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, Operands,
    ::testing::Values(
        ValueRow{"LeadingZerosIgnored", "03.123", 3.123, 0, 0},
        ValueRow{"LeadingAndTrailingZeros", "0010.0100", 10.01, 0, 0},
        ValueRow{"Exponent", "1e3", 1000, 0, 0},
        ValueRow{"SignedExponentAfterLeadingSign", "-58.00019e-12", -58.00019e-12, 0, 0},
        ValueRow{"ExponentReadingStopsAtPoint", "1e-0.6", 1, 0, 0},
        ValueRow{"BareExponentLetter", "1e", 1, 0, 0}, ValueRow{"PointFirst", ".5", 0.5, 0, 0},
        ValueRow{"PointLast", "5.", 5, 0, 0}, ValueRow{"ExponentAfterPoint", "1.e3", 1000, 0, 0},
        ValueRow{"SignedExponent", "2e-3", 0.002, 0, 0},
        ValueRow{"ExponentWithoutDigits", ".e3", 0, 0, 0},
        ValueRow{"BareExponentAfterPoint", "5.e", 5, 0, 0},
        ValueRow{"SecondPointAfterPointExponent", "5.e-3.5", 27, 27, 27},
        ValueRow{"SecondPointBeforePointExponent", "1.5.e-3", 27, 27, 27},
        ValueRow{"SecondExponentAfterPointExponent", "5.e+3e", 26, 26, 26},
        ValueRow{"SecondPointSurvivesAsLast", "1.2.3", 27, 27, 27},
        ValueRow{"SecondPointKeepsLeadingPart", "1.2.3+0", 1.2, 0, 27},
        ValueRow{"SecondExponentKeepsLeadingPart", "1e2e3+0", 100, 0, 26},
        ValueRow{"SecondExponentSurvivesAsLast", "1e2e3", 26, 26},
        ValueRow{"LonePointCountsTwo", ".", 2, 2, 2},
        ValueRow{"LonePointInSumCountsTwo", ".+1", 3, 0, 2},
        ValueRow{"LoneUnderscoreCountsTwo", "_", 2, 2},
        ValueRow{"DecimalCommaAsWhole", "1,5", 2, 2, 2},
        ValueRow{"DecimalCommaKeepsLeadingPart", "1,5+0", 1, 0, 2},
        ValueRow{"LetterInNumber", "2x+0", 2, 0, 2},
        ValueRow{"LetterEOnItsOwn", "e", std::exp(1.0), 0, 0},
        ValueRow{"LetterEThenDigitIsNoNumber", "e5", 0, 0, 0},
        ValueRow{"DoubleLetterE", "ee", 26, 26},
        ValueRow{"UpperCaseAndSpaces", "2 * PI", 2 * kPi, 0, 0},
        ValueRow{"PiLowerCase", "pi", kPi, 0, 0}, ValueRow{"PiUpperCase", "PI", kPi, 0, 0},
        ValueRow{"MPi", "M_PI", kPi, 0, 0}, ValueRow{"ME", "M_E", std::exp(1.0), 0, 0},
        ValueRow{"M2Pi", "M_2PI", 2 * kPi, 0, 0}, ValueRow{"MPi2", "M_PI2", kPi / 2, 0, 0},
        ValueRow{"MPiUnderscore2TimesTwo", "M_PI_2*2", kPi, 0, 0},
        ValueRow{"MPi3", "M_PI3", kPi / 3, 0, 0},
        ValueRow{"MPiUnderscore3", "m_pi_3", kPi / 3, 0, 0},
        ValueRow{"MPi4", "M_PI4", kPi / 4, 0, 0},
        ValueRow{"MPiUnderscore4", "M_PI_4", kPi / 4, 0, 0},
        ValueRow{"MAPi", "M_A_PI", 1 / kPi, 0, 0}, ValueRow{"PiCall", "pi()", kPi, 0, 0},
        ValueRow{"ECall", "E()", std::exp(1.0), 0, 0},
        ValueRow{"ConstantWithWrongLength", "m_pi_22", 2, 2, 2},
        ValueRow{"DoubleXIsNoVariable", "xx", 2, 2, 2},
        ValueRow{"DoubleXInSumCountsZero", "xx+1", 1, 0, 2}),
    RowName<ValueRow>);

// ---- Brackets and calls ------------------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Brackets, Operands,
    ::testing::Values(ValueRow{"NestedBrackets", "((2))", 2, 0, 0},
                      ValueRow{"EmptyBrackets", "()", 4, 4, 4},
                      ValueRow{"EmptyBracketsInSum", "2+()", 4, 4, 4},
                      ValueRow{"TwoGroupsInOneOperand", "(2)(3)", 5, 5, 23},
                      ValueRow{"TextAfterCall", "f(x)2", 5, 5, 23},
                      ValueRow{"NumberBeforeBracketIsAName", "2(3)", 10, 10, 10},
                      ValueRow{"CommaInsideNestedCallNotCounted", "max(1,min(2,3))", 2, 0, 0},
                      ValueRow{"FourArguments", "max(1,2,3,4)", 6, 6, 6},
                      ValueRow{"FourArgumentsInSumCountZero", "max(1,2,3,4)+1", 1, 0, 6},
                      ValueRow{"EmptyFirstArgument", "max(,1)", 1, 0, 4},
                      ValueRow{"EmptyLastArgumentSurvives", "max(1,)", 4, 4, 4},
                      ValueRow{"ArgumentWithLeadingSign", "abs(-3)", 3, 0, 0},
                      ValueRow{"ArgumentIsWholeExpression", "max(2*3, 1+(2^3))", 9, 0, 0},
                      ValueRow{"CallInsideBrackets", "(sin(0)+1)*2", 2, 0, 0}),
    RowName<ValueRow>);

// ---- Pre-checks --------------------------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    PreChecks, Operands,
    ::testing::Values(
        ValueRow{"OpenBracketLeft", "(2+3", 22, 22, 22},
        ValueRow{"ClosingBracketTooMany", "2+3)", 21, 21, 21},
        ValueRow{"ClosingBeforeOpening", ")2+3(", 21, 21, 21},
        ValueRow{"BracketsBeforeCharacters", "$)", 21, 21, 21}, ValueRow{"Dollar", "2$3", 2, 2, 2},
        ValueRow{"Tab", "2\t3", 2, 2, 2}, ValueRow{"PerCent", "2%3", 2, 2, 2},
        ValueRow{"FormatDirectives", "%s%n%d", 2, 2, 2}, ValueRow{"Semicolon", "2;3", 2, 2, 2},
        ValueRow{"Equals", "2=3", 2, 2, 2}, ValueRow{"NonAsciiLetter", "2\xC3\xA9", 2, 2, 2},
        ValueRow{"NonAsciiTimesSign",
                 "2\xC3\x97"
                 "3",
                 2, 2, 2},
        ValueRow{"Empty", "", 4, 4, 4}, ValueRow{"SpacesOnly", "   ", 4, 4, 4},
        ValueRow{"HelpKeyword", "help", 0, 0, 0},
        ValueRow{"HelpKeywordUpperCaseSpaced", " HELP ", 0, 0, 0},
        ValueRow{"SlashH", "/h", 0, 0, 0}, ValueRow{"SlashUpperH", "/H", 0, 0, 0},
        ValueRow{"QuestionMark", "?", 0, 0, 0}, ValueRow{"SlashQuestionMark", "/?", 0, 0, 0},
        ValueRow{"HelpIsNotAPrefix", "helpx", 2, 2, 2}),
    RowName<ValueRow>);

TEST(Length, LimitCountsTheTextAsTyped) {
    std::string sum = "1";
    while (sum.size() < 1023)
        sum += sum.size() + 2 <= 1023 ? "+1" : " ";
    ASSERT_EQ(sum.size(), 1023u);
    CheckRow({"", sum, 512, 0, 0});
    CheckRow({"", sum + " ", 3, 3, 3});
    CheckRow({"", "1" + std::string(1023, ' '), 3, 3, 3});
    CheckRow({"", std::string(5000, '('), 3, 3, 3});
}

// The arguments of a call are measured from the bracket being matched, not from the call's
// start: a bracket late in long arguments is no text past the limit.
TEST(Length, LongCallArgumentsWithABracketLateInThem) {
    const auto ones = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "1+";
        return text;
    };
    const std::string call = "max(" + ones(300) + "(2),3)";
    ASSERT_EQ(call.size(), 610u);
    CheckRow({"", call, 302, 0, 0});
    // Near the limit: the call's last bracket pair is at about character 1000.
    const std::string longest = "max(" + ones(503) + "(2),3)";
    ASSERT_LE(longest.size(), 1023u);
    CheckRow({"", longest, 505, 0, 0});
    CheckRow({"", "max(3," + ones(300) + "(2))", 302, 0, 0});
}

// ---- The error slot ----------------------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    ErrorSlot, Operands,
    ::testing::Values(ValueRow{"LastOperandCodeSurvives", "2+sqrt(-1)", kSqrtOfNegative,
                               kSqrtOfNegative, kSqrtOfNegative},
                      ValueRow{"EarlierCodeClearedThenNan", "sqrt(-1)+2", kNaN, 12,
                               kSqrtOfNegative},
                      ValueRow{"DivideByZero", "1/0", 18, 18, 18},
                      ValueRow{"ZeroByZero", "0/0", 18, 18, 18},
                      ValueRow{"DivideByZeroThenSum", "1/0+2", kInf, 13, 18},
                      ValueRow{"NegativeInfinity", "-1/0+2", -kInf, 13, 18},
                      ValueRow{"ArgumentCodeSurvivesTheCall", "sqrt(1/0)", 18, 18, 18},
                      ValueRow{"ArgumentCodeClearedLater", "sqrt(1/0)+1", kInf, 13, 18},
                      ValueRow{"UnknownZeroArgumentName", "f()", 9, 9, 9},
                      ValueRow{"UnknownZeroArgumentNameLast", "1+f()", 9, 9, 9},
                      ValueRow{"HugePower", "10^400", kInf, 13, 13},
                      ValueRow{"NanFromFunction", "asin(2)", kNaN, 12, 12}),
    RowName<ValueRow>);

// ---- Variables and the documented examples -----------------------------------------------------

TEST(Variables, SingleLettersOnly) {
    CheckRow({"", "x", 1.5, 0, 0}, 1.5, 2, 3, 4);
    CheckRow({"", "X", 1.5, 0, 0}, 1.5, 2, 3, 4);
    CheckRow({"", "x*y+z/t", 1.5 * 2 + 3.0 / 4, 0, 0}, 1.5, 2, 3, 4);
    CheckRow({"", "t^y", 16, 0, 0}, 1.5, 2, 3, 4);
}

TEST(Variables, EverySynonymPassesItsVariablesInOrder) {
    const std::string e = "x+10*y+100*z+1000*t";
    EXPECT_EQ(eval_math_expression(e), 0);
    EXPECT_EQ(eval_math_expression_xyzt(e, 1, 2, 3, 4), 4321);
    EXPECT_EQ(eval_math_expression_xyz(e, 1, 2, 3), 321);
    EXPECT_EQ(eval_math_expression_xy(e, 1, 2), 21);
    EXPECT_EQ(eval_math_expression_x(e, 1), 1);
    EXPECT_EQ(eval_math_expression_xyt(e, 1, 2, 4), 4021);
    EXPECT_EQ(eval_math_expression_xt(e, 1, 4), 4001);
    EXPECT_EQ(eval_math_expression_xzt(e, 1, 3, 4), 4301);
    EXPECT_EQ(eval_math_expression_xz(e, 1, 3), 301);
    EXPECT_EQ(eval_math_expression_yzt(e, 2, 3, 4), 4320);
    EXPECT_EQ(eval_math_expression_yz(e, 2, 3), 320);
    EXPECT_EQ(eval_math_expression_yt(e, 2, 4), 4020);
    EXPECT_EQ(eval_math_expression_y(e, 2), 20);
    EXPECT_EQ(eval_math_expression_zt(e, 3, 4), 4300);
    EXPECT_EQ(eval_math_expression_z(e, 3), 300);
}

TEST(HelpExamples, GiveTheValuesTheHelpTextStates) {
    const std::string first =
        "sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))-exp(1e-0.6)+x-y*z/t-0010.0100";
    EXPECT_NEAR(eval_math_expression_xyzt(first, 0.1, 0.2, 0.3, -0.4), -11.6857, 5e-5);
    EXPECT_NEAR(eval_math_expression("sin(-50.01+10^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))"),
                0.358661, 5e-7);
    EXPECT_NEAR(eval_math_expression_x("sin(-50.01+x^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))", 10),
                0.358661, 5e-7);
    EXPECT_NEAR(
        eval_math_expression_xy("sin(-50.01+x^(sin(y/21.11)-(cos(12)^0.1)^3.11))", 10, -0.1),
        0.358661, 5e-7);
    EXPECT_NEAR(eval_math_expression_xyzt("sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))", 10, -0.1,
                                          0.1, 12),
                0.358661, 5e-7);
}

// The operator scan ends a number with an exponent where the number reader stops reading it,
// whichever way the number is written before its `e`.
TEST(NumberEnds, OperatorScanAgreesWithTheNumberReader) {
    for (const std::string mantissa : {"5", "5.", ".5", "5.25", "12.", "0.", "007."}) {
        for (const std::string sign : {"", "+", "-"}) {
            for (const std::string exponent : {"e3", "E3", "e03"}) {
                std::string number = mantissa + exponent;
                number.insert(number.size() - exponent.size() + 1, sign);
                const double value = ReadAtof(number);
                SCOPED_TRACE(number);
                ExpectValue(eval_math_expression(number + "+1"), value + 1);
                ExpectValue(eval_math_expression(number + "*2"), value * 2);
                ExpectValue(eval_math_expression("2*" + number), value * 2);
                ExpectValue(eval_math_expression("-" + number), -value);
            }
        }
    }
}

TEST(CheckedEntry, FirstMessageIsTheTableText) {
    const math_expression_check check = eval_math_expression_checked("sqrt(-1)+2");
    EXPECT_TRUE(std::isnan(check.value));
    EXPECT_EQ(check.code, 12);
    EXPECT_TRUE(check.error_reported);
    EXPECT_EQ(check.first_code, kSqrtOfNegative);
    EXPECT_EQ(check.first_message, "negative argument: a < 0 in function sqrt(a) or sqr(a)");

    const math_expression_check clean = eval_math_expression_checked("2*3");
    EXPECT_EQ(clean.value, 6);
    EXPECT_FALSE(clean.error_reported);
    EXPECT_EQ(clean.first_code, 0);
    EXPECT_EQ(clean.first_message, "");
}

}  // namespace
}  // namespace korvane::expression::testing
