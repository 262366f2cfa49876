// The function library: each definition as computed, each domain check with its code, unknown
// names at every arity, and the random sequence.

#include <cmath>
#include <ostream>
#include <string>

#include "ExpressionTestSupport.h"

namespace korvane::expression::testing {
namespace {

struct FunctionRow {
    std::string name;
    std::string text;
    double value;  // the value of the call itself
    int code;      // the code the call leaves (0 when the domain check passes)
};

void PrintTo(const FunctionRow& row, std::ostream* out) {
    *out << row.name;
}

// "+0" after the call shows its value (the sum clears the call's code); the call alone shows
// whether the code survives to the entry.
void CheckCall(const FunctionRow& row) {
    const math_expression_check sum = eval_math_expression_checked(row.text + "+0");
    if (std::isfinite(row.value)) {
        ExpectValue(sum.value, row.value, 1e-12 * std::max(1.0, std::fabs(row.value)));
    } else {
        ExpectValue(sum.value, row.value);
    }
    EXPECT_EQ(sum.first_code, row.code);

    const math_expression_check alone = eval_math_expression_checked(row.text);
    EXPECT_EQ(alone.code, row.code != 0 ? row.code : sum.code);
    if (row.code != 0) {
        EXPECT_EQ(alone.value, row.code);
    }
}

class Functions : public ::testing::TestWithParam<FunctionRow> {};
TEST_P(Functions, ValueAndDomainCode) {
    CheckCall(GetParam());
}

const double kE = std::exp(1.0);

INSTANTIATE_TEST_SUITE_P(
    Rounding, Functions,
    ::testing::Values(FunctionRow{"RoundDown", "round(10.1)", 10, 0},
                      FunctionRow{"RoundHalfUp", "round(10.5)", 11, 0},
                      FunctionRow{"RoundUp", "round(10.6)", 11, 0},
                      FunctionRow{"RoundNegative", "round(-10.6)", -11, 0},
                      FunctionRow{"RoundNegativeTowardZero", "round(-10.1)", -10, 0},
                      FunctionRow{"RoundNegativeHalfAway", "round(-10.5)", -11, 0},
                      FunctionRow{"FracKeepsSign", "frac(-2.5)", -0.5, 0},
                      FunctionRow{"IntTruncates", "int(-2.5)", -2, 0},
                      FunctionRow{"Trunc", "trunc(-2.5)", -2, 0},
                      FunctionRow{"Floor", "floor(-2.5)", -3, 0},
                      FunctionRow{"Ceil", "ceil(-2.5)", -2, 0}),
    RowName<FunctionRow>);

INSTANTIATE_TEST_SUITE_P(
    Steps, Functions,
    ::testing::Values(
        FunctionRow{"StepAtZero", "step(0)", 0.5, 0}, FunctionRow{"StepBelow", "step(-1)", 0, 0},
        FunctionRow{"StepAbove", "step(2)", 1, 0},
        FunctionRow{"StepMinusAtZero", "step_minus(0)", 1, 0},
        FunctionRow{"StepMBelow", "stepm(-1)", 0, 0},
        FunctionRow{"StepPlusAtZero", "step_plus(0)", 0, 0},
        FunctionRow{"StepPAbove", "stepp(1)", 1, 0}, FunctionRow{"SignumZero", "signum(0)", 0, 0},
        FunctionRow{"SignNegative", "sign(-3)", -1, 0},
        FunctionRow{"SignumPositive", "signum(2)", 1, 0},
        FunctionRow{"DeltaZero", "delta(0)", 1, 0}, FunctionRow{"DNonZero", "d(2)", 0, 0},
        FunctionRow{"ZeroUptoZeroNegative", "zero_upto_zero(-3)", 0, 0},
        FunctionRow{"ZeroUptoZeroPositive", "zero_upto_zero(3)", 3, 0},
        FunctionRow{"ZeroOverZeroNegative", "zero_over_zero(-3)", -3, 0},
        FunctionRow{"ZeroOverZeroPositive", "zero_over_zero(3)", 0, 0},
        FunctionRow{"ImpulsReversedBounds", "impuls(5,10,1)", 1, 0},
        FunctionRow{"ImpulsEqualBounds", "impuls(1,1,1)", 1, 0},
        FunctionRow{"ImpulsOutside", "impuls(0,1,2)", 0, 0},
        FunctionRow{"ImpulsOnUpperBound", "impuls(2,1,2)", 1, 0},
        FunctionRow{"AbsNegative", "abs(-3)", 3, 0}),
    RowName<FunctionRow>);

INSTANTIATE_TEST_SUITE_P(
    TwoArguments, Functions,
    ::testing::Values(FunctionRow{"Min", "min(3,2)", 2, 0}, FunctionRow{"Max", "max(2,3)", 3, 0},
                      FunctionRow{"ValueUptoValue", "value_upto_value(2,5)", 5, 0},
                      FunctionRow{"ValueOverValue", "value_over_value(2,5)", 2, 0},
                      FunctionRow{"ModSignOfDividend", "mod(-7,3)", -1, 0},
                      FunctionRow{"Pow", "pow(2,10)", 1024, 0},
                      FunctionRow{"Power", "power(4,0.5)", 2, 0},
                      FunctionRow{"Atan2", "atan2(1,1)", kPi / 4, 0},
                      FunctionRow{"Atan2pFourthQuadrant", "atan2p(-1,1)", 7 * kPi / 4, 0},
                      FunctionRow{"Atan2pOnNegativeAxis", "atan2p(0,-1)", kPi, 0},
                      FunctionRow{"Atan2ZeroDivisor", "atan2(1,0)", kPi / 2, kAtan2ZeroDivisor},
                      FunctionRow{"Atan2pZeroDivisor", "atan2p(1,0)", kPi / 2, kAtan2pZeroDivisor}),
    RowName<FunctionRow>);

INSTANTIATE_TEST_SUITE_P(
    PowersAndLogarithms, Functions,
    ::testing::Values(FunctionRow{"Sqrt", "sqrt(16)", 4, 0},
                      FunctionRow{"SqrtNegative", "sqrt(-4)", kNaN, kSqrtOfNegative},
                      FunctionRow{"SqrNegative", "sqr(-1)", kNaN, kSqrtOfNegative},
                      FunctionRow{"Exp", "exp(1)", kE, 0}, FunctionRow{"Ln", "ln(e)", 1, 0},
                      FunctionRow{"LnZero", "ln(0)", -kInf, kLnOfNonPositive},
                      FunctionRow{"LogNegative", "log(-1)", kNaN, kLnOfNonPositive},
                      FunctionRow{"Lg", "lg(1000)", 3, 0},
                      FunctionRow{"Log10Zero", "log10(0)", -kInf, kLog10OfNonPositive},
                      FunctionRow{"LgNegative", "lg(-1)", kNaN, kLog10OfNonPositive},
                      FunctionRow{"Log2OfEight", "log2(8)", 3, 0},
                      FunctionRow{"Log2OfPowerOfTwo", "log2(1024)", 10, 0},
                      FunctionRow{"Log2Zero", "log2(0)", -kInf, kLog2OfNonPositive}),
    RowName<FunctionRow>);

INSTANTIATE_TEST_SUITE_P(
    Trigonometry, Functions,
    ::testing::Values(
        FunctionRow{"Deg2Rad", "deg2rad(180)", kPi, 0}, FunctionRow{"D2R", "d2r(90)", kPi / 2, 0},
        FunctionRow{"Rad2Deg", "rad2deg(pi)", 180, 0}, FunctionRow{"R2D", "r2d(pi/2)", 90, 0},
        FunctionRow{"Sin", "sin(pi/2)", 1, 0}, FunctionRow{"Cos", "cos(0)", 1, 0},
        FunctionRow{"Tg", "tg(0.5)", std::tan(0.5), 0},
        FunctionRow{"Tan", "tan(0.5)", std::tan(0.5), 0},
        FunctionRow{"Ctg", "ctg(0.5)", 1 / std::tan(0.5), 0},
        FunctionRow{"CtgZero", "ctg(0)", kInf, kCotOfZeroTangent},
        FunctionRow{"CotZero", "cot(0)", kInf, kCotOfZeroTangent},
        FunctionRow{"Sec", "sec(0)", 1, 0}, FunctionRow{"Cosec", "cosec(pi/2)", 1, 0},
        FunctionRow{"CosecZero", "cosec(0)", kInf, kCosecOfZeroSine},
        FunctionRow{"CscZero", "csc(0)", kInf, kCosecOfZeroSine},
        FunctionRow{"Arccos", "arccos(-1)", kPi, 0}, FunctionRow{"Acos", "acos(1)", 0, 0},
        FunctionRow{"Arcsin", "arcsin(1)", kPi / 2, 0}, FunctionRow{"Asin", "asin(0)", 0, 0},
        FunctionRow{"Arctg", "arctg(1)", kPi / 4, 0}, FunctionRow{"Atan", "atan(1)", kPi / 4, 0},
        FunctionRow{"Arcctg", "arcctg(1)", kPi / 4, 0}, FunctionRow{"Acot", "acot(0)", kPi / 2, 0},
        FunctionRow{"Arcsec", "arcsec(2)", kPi / 3, 0},
        FunctionRow{"ArcsecZero", "arcsec(0)", kNaN, kArcsecOfZero},
        FunctionRow{"AsecZero", "asec(0)", kNaN, kArcsecOfZero},
        FunctionRow{"Arccosec", "arccosec(2)", kPi / 6, 0},
        FunctionRow{"ArccosecZero", "arccosec(0)", kNaN, kArccosecOfZero},
        FunctionRow{"AcscZero", "acsc(0)", kNaN, kArccosecOfZero}),
    RowName<FunctionRow>);

INSTANTIATE_TEST_SUITE_P(
    Hyperbolic, Functions,
    ::testing::Values(
        FunctionRow{"Sh", "sh(1)", std::sinh(1.0), 0}, FunctionRow{"Sinh", "sinh(0)", 0, 0},
        FunctionRow{"Ch", "ch(1)", std::cosh(1.0), 0}, FunctionRow{"Cosh", "cosh(0)", 1, 0},
        FunctionRow{"Th", "th(1)", std::tanh(1.0), 0}, FunctionRow{"Tanh", "tanh(0)", 0, 0},
        FunctionRow{"Cth", "cth(1)", 1 / std::tanh(1.0), 0},
        FunctionRow{"CthZero", "cth(0)", kInf, kCothOfZeroTanh},
        FunctionRow{"CothZero", "coth(0)", kInf, kCothOfZeroTanh},
        FunctionRow{"Sech", "sech(0)", 1, 0}, FunctionRow{"Sch", "sch(1)", 1 / std::cosh(1.0), 0},
        FunctionRow{"Cosech", "cosech(1)", 1 / std::sinh(1.0), 0},
        FunctionRow{"CosechZero", "cosech(0)", kInf, kCosechOfZeroSinh},
        FunctionRow{"CschZero", "csch(0)", kInf, kCosechOfZeroSinh},
        FunctionRow{"Arsh", "arsh(1)", std::log(1 + std::sqrt(2.0)), 0},
        FunctionRow{"AsinhCancelsToZero", "asinh(-1e10)", -kInf, kArshOfNonPositiveSum},
        FunctionRow{"ArchOne", "arch(1)", 0, 0},
        FunctionRow{"Acosh", "acosh(2)", std::log(2 + std::sqrt(3.0)), 0},
        FunctionRow{"ArchBelowOne", "arch(0.5)", kNaN, kArchBelowOne},
        FunctionRow{"ArchNegative", "acosh(-2)", kNaN, kArchOfNonPositiveSum},
        FunctionRow{"Arth", "arth(0.5)", 0.5 * std::log(3.0), 0},
        FunctionRow{"ArthOne", "arth(1)", kInf, kArthOfOne},
        FunctionRow{"AtanhMinusOne", "atanh(-1)", -kInf, kArthOfNonPositiveQuotient},
        FunctionRow{"AtanhTwo", "atanh(2)", kNaN, kArthOfNonPositiveQuotient},
        FunctionRow{"Arcth", "arcth(2)", 0.5 * std::log(3.0), 0},
        FunctionRow{"AcothZero", "acoth(0)", kNaN, kArcthOfZero},
        FunctionRow{"Arsech", "arsech(0.5)", std::log(2 + std::sqrt(3.0)), 0},
        FunctionRow{"AsechZero", "asech(0)", kInf, kArsechOfZero},
        FunctionRow{"Arcosech", "arcosech(1)", std::log(1 + std::sqrt(2.0)), 0},
        FunctionRow{"AcschZero", "acsch(0)", kInf, kArcosechOfZero}),
    RowName<FunctionRow>);

// A NaN argument fails no check: the only code is the result check's.
TEST(Functions, NanArgumentFailsNoCheck) {
    const math_expression_check check = eval_math_expression_checked("sqrt(asin(2))+0");
    EXPECT_TRUE(std::isnan(check.value));
    EXPECT_EQ(check.first_code, 12);
}

struct NameRow {
    std::string name;
    std::string text;
    int code;
};

void PrintTo(const NameRow& row, std::ostream* out) {
    *out << row.name;
}

class UnknownNames : public ::testing::TestWithParam<NameRow> {};
TEST_P(UnknownNames, CountZeroWithTheArityCode) {
    const NameRow& row = GetParam();
    const math_expression_check alone = eval_math_expression_checked(row.text);
    EXPECT_EQ(alone.value, row.code);
    EXPECT_EQ(alone.code, row.code);
    const math_expression_check sum = eval_math_expression_checked(row.text + "+7");
    EXPECT_EQ(sum.value, 7);
    EXPECT_EQ(sum.first_code, row.code);
}

INSTANTIATE_TEST_SUITE_P(Arity, UnknownNames,
                         ::testing::Values(NameRow{"NoArguments", "foo()", 9},
                                           NameRow{"ConstantIsNoFunction", "m_pi()", 9},
                                           NameRow{"OneArgument", "foo(1)", 10},
                                           NameRow{"VariableIsNoFunction", "x(1)", 10},
                                           NameRow{"KnownOnlyAtItsArity", "sin(1,2)", 11},
                                           NameRow{"ThreeArguments", "rand(1,2,3)", 11},
                                           NameRow{"SinWithoutArguments", "sin()", 9}),
                         RowName<NameRow>);

TEST(UnknownNames, ArgumentsAreEvaluatedFirst) {
    const CapturedEvaluation run = EvaluateCaptured("foo(sqrt(-1))");
    EXPECT_EQ(run.first_code, kSqrtOfNegative);
    EXPECT_EQ(run.code, 10);
    EXPECT_NE(run.output.find("Error code = 10, error message: 'unknown one argument function'"),
              std::string::npos);
}

TEST(Random, SequenceStartsAt41) {
    SeedRandomIntegers(1);
    EXPECT_EQ(eval_math_expression("rand()"), 41 / 32767.0);
    EXPECT_EQ(eval_math_expression("rand()"), 18467 / 32767.0);
    EXPECT_EQ(eval_math_expression("rand(0,32767)"), 6334);
    EXPECT_EQ(eval_math_expression("rand_close_open(0,32768)"), 26500);
    EXPECT_EQ(eval_math_expression("rand(1,1)"), 1);
}

TEST(Random, CloseOpenNeverReachesTheUpperBound) {
    SeedRandomIntegers(1);
    for (int i = 0; i < 40000; ++i) {
        const double value = eval_math_expression("rand_close_open(0,1)");
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 1);
    }
}

}  // namespace
}  // namespace korvane::expression::testing
