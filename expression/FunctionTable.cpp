// The function library: one registration line per name, the domain checks and their codes, and
// the random generator of rand().

#include <atomic>
#include <cmath>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression {

namespace {

constexpr std::string_view kNoArgumentName = "eval_no_argument_function";
constexpr std::string_view kOneArgumentName = "eval_one_argument_function_xyzt";
constexpr std::string_view kTwoArgumentsName = "eval_two_arguments_function_xyzt";
constexpr std::string_view kThreeArgumentsName = "eval_three_arguments_function_xyzt";

constexpr ME_TYPE kPi = 3.141592653589793;
constexpr ME_TYPE kE = 2.718281828459045;
constexpr ME_TYPE kTwoPi = 6.283185307179586;
constexpr ME_TYPE kHalfPi = 1.5707963267948966;
constexpr ME_TYPE kDegreesToRadians = 0.017453292519943295;
constexpr ME_TYPE kRadiansToDegrees = 57.29577951308232;

// The generator is the evaluator's only shared state: one sequence per run, as users of rand()
// expect. Atomic so that evaluations on several threads never race on it.
std::atomic<std::uint32_t> g_random_state{1};

// A computed value and the code of the domain check it failed (0 when none). A NaN argument
// never fails a check: every comparison with it is false.
struct Outcome {
    ME_TYPE value;
    int code = 0;
};

Outcome Checked(ME_TYPE value, bool failed, int code) {
    return {value, failed ? code : 0};
}

// The inverse hyperbolic functions are the logarithm formulas as written, not the library's.
ME_TYPE ArshFormula(ME_TYPE a) {
    return std::log(a + std::sqrt(a * a + 1));
}
ME_TYPE ArchFormula(ME_TYPE a) {
    return std::log(a + std::sqrt(a * a - 1));
}

Outcome Arsh(ME_TYPE a) {
    return Checked(ArshFormula(a), a + std::sqrt(a * a + 1) <= 0, kArshOfNonPositiveSum);
}

// Two checks, one after the other; the second one wins when both fail.
Outcome Arch(ME_TYPE a) {
    int code = (a * a - 1) < 0 ? kArchBelowOne : 0;
    if (a + std::sqrt(a * a - 1) <= 0)
        code = kArchOfNonPositiveSum;
    return {ArchFormula(a), code};
}

Outcome Arth(ME_TYPE a) {
    const ME_TYPE quotient = (a + 1) / (1 - a);
    int code = (1 - a) == 0 ? kArthOfOne : 0;
    if (quotient <= 0)
        code = kArthOfNonPositiveQuotient;
    return {0.5 * std::log(quotient), code};
}

Outcome Round(ME_TYPE a) {
    ME_TYPE whole = 0;
    const ME_TYPE fraction = std::modf(a, &whole);
    if (std::fabs(fraction) < 0.5)
        return {whole};
    return {whole + (fraction > 0 ? 1 : (fraction < 0 ? -1 : 0))};
}

ME_TYPE Fraction(ME_TYPE a) {
    ME_TYPE whole = 0;
    return std::modf(a, &whole);
}

ME_TYPE Whole(ME_TYPE a) {
    ME_TYPE whole = 0;
    std::modf(a, &whole);
    return whole;
}

ME_TYPE Signum(ME_TYPE a) {
    return a > 0 ? 1 : (a < 0 ? -1 : 0);
}
ME_TYPE Step(ME_TYPE a) {
    return a > 0 ? 1 : (a < 0 ? 0 : 0.5);
}

struct OneArgumentFunction {
    std::string_view name;
    Outcome (*compute)(ME_TYPE a);
};

// clang-format off
constexpr OneArgumentFunction kOneArgumentFunctions[] = {
    {"sqrt",           [](ME_TYPE a) { return Checked(std::sqrt(a), a < 0, kSqrtOfNegative); }},
    {"sqr",            [](ME_TYPE a) { return Checked(std::sqrt(a), a < 0, kSqrtOfNegative); }},
    {"exp",            [](ME_TYPE a) { return Outcome{std::exp(a)}; }},
    {"ln",             [](ME_TYPE a) { return Checked(std::log(a), a <= 0, kLnOfNonPositive); }},
    {"log",            [](ME_TYPE a) { return Checked(std::log(a), a <= 0, kLnOfNonPositive); }},
    {"log10",          [](ME_TYPE a) { return Checked(std::log10(a), a <= 0, kLog10OfNonPositive); }},
    {"lg",             [](ME_TYPE a) { return Checked(std::log10(a), a <= 0, kLog10OfNonPositive); }},
    {"log2",           [](ME_TYPE a) { return Checked(std::log10(a) / std::log10(2.0), a <= 0, kLog2OfNonPositive); }},
    {"abs",            [](ME_TYPE a) { return Outcome{std::fabs(a)}; }},
    {"signum",         [](ME_TYPE a) { return Outcome{Signum(a)}; }},
    {"sign",           [](ME_TYPE a) { return Outcome{Signum(a)}; }},
    {"delta",          [](ME_TYPE a) { return Outcome{a == 0 ? 1.0 : 0.0}; }},
    {"d",              [](ME_TYPE a) { return Outcome{a == 0 ? 1.0 : 0.0}; }},
    {"step",           [](ME_TYPE a) { return Outcome{Step(a)}; }},
    {"step_minus",     [](ME_TYPE a) { return Outcome{a >= 0 ? 1.0 : 0.0}; }},
    {"stepm",          [](ME_TYPE a) { return Outcome{a >= 0 ? 1.0 : 0.0}; }},
    {"step_plus",      [](ME_TYPE a) { return Outcome{a > 0 ? 1.0 : 0.0}; }},
    {"stepp",          [](ME_TYPE a) { return Outcome{a > 0 ? 1.0 : 0.0}; }},
    {"zero_upto_zero", [](ME_TYPE a) { return Outcome{a > 0 ? a : 0.0}; }},
    {"zero_over_zero", [](ME_TYPE a) { return Outcome{a > 0 ? 0.0 : a}; }},
    {"floor",          [](ME_TYPE a) { return Outcome{std::floor(a)}; }},
    {"ceil",           [](ME_TYPE a) { return Outcome{std::ceil(a)}; }},
    {"round",          Round},
    {"frac",           [](ME_TYPE a) { return Outcome{Fraction(a)}; }},
    {"int",            [](ME_TYPE a) { return Outcome{Whole(a)}; }},
    {"trunc",          [](ME_TYPE a) { return Outcome{Whole(a)}; }},
    {"deg2rad",        [](ME_TYPE a) { return Outcome{a * kDegreesToRadians}; }},
    {"d2r",            [](ME_TYPE a) { return Outcome{a * kDegreesToRadians}; }},
    {"rad2deg",        [](ME_TYPE a) { return Outcome{a * kRadiansToDegrees}; }},
    {"r2d",            [](ME_TYPE a) { return Outcome{a * kRadiansToDegrees}; }},
    {"sin",            [](ME_TYPE a) { return Outcome{std::sin(a)}; }},
    {"cos",            [](ME_TYPE a) { return Outcome{std::cos(a)}; }},
    {"tg",             [](ME_TYPE a) { return Outcome{std::tan(a)}; }},
    {"tan",            [](ME_TYPE a) { return Outcome{std::tan(a)}; }},
    {"ctg",            [](ME_TYPE a) { return Checked(1 / std::tan(a), std::tan(a) == 0, kCotOfZeroTangent); }},
    {"cot",            [](ME_TYPE a) { return Checked(1 / std::tan(a), std::tan(a) == 0, kCotOfZeroTangent); }},
    {"sec",            [](ME_TYPE a) { return Checked(1 / std::cos(a), std::cos(a) == 0, kSecOfZeroCosine); }},
    {"cosec",          [](ME_TYPE a) { return Checked(1 / std::sin(a), std::sin(a) == 0, kCosecOfZeroSine); }},
    {"csc",            [](ME_TYPE a) { return Checked(1 / std::sin(a), std::sin(a) == 0, kCosecOfZeroSine); }},
    {"arccos",         [](ME_TYPE a) { return Outcome{std::acos(a)}; }},
    {"acos",           [](ME_TYPE a) { return Outcome{std::acos(a)}; }},
    {"arcsin",         [](ME_TYPE a) { return Outcome{std::asin(a)}; }},
    {"asin",           [](ME_TYPE a) { return Outcome{std::asin(a)}; }},
    {"arctg",          [](ME_TYPE a) { return Outcome{std::atan(a)}; }},
    {"atan",           [](ME_TYPE a) { return Outcome{std::atan(a)}; }},
    {"arcctg",         [](ME_TYPE a) { return Outcome{kHalfPi - std::atan(a)}; }},
    {"acot",           [](ME_TYPE a) { return Outcome{kHalfPi - std::atan(a)}; }},
    {"arcsec",         [](ME_TYPE a) { return Checked(std::acos(1 / a), a == 0, kArcsecOfZero); }},
    {"asec",           [](ME_TYPE a) { return Checked(std::acos(1 / a), a == 0, kArcsecOfZero); }},
    {"arccosec",       [](ME_TYPE a) { return Checked(std::asin(1 / a), a == 0, kArccosecOfZero); }},
    {"acsc",           [](ME_TYPE a) { return Checked(std::asin(1 / a), a == 0, kArccosecOfZero); }},
    {"sh",             [](ME_TYPE a) { return Outcome{std::sinh(a)}; }},
    {"sinh",           [](ME_TYPE a) { return Outcome{std::sinh(a)}; }},
    {"ch",             [](ME_TYPE a) { return Outcome{std::cosh(a)}; }},
    {"cosh",           [](ME_TYPE a) { return Outcome{std::cosh(a)}; }},
    {"th",             [](ME_TYPE a) { return Outcome{std::tanh(a)}; }},
    {"tanh",           [](ME_TYPE a) { return Outcome{std::tanh(a)}; }},
    {"cth",            [](ME_TYPE a) { return Checked(1 / std::tanh(a), std::tanh(a) == 0, kCothOfZeroTanh); }},
    {"coth",           [](ME_TYPE a) { return Checked(1 / std::tanh(a), std::tanh(a) == 0, kCothOfZeroTanh); }},
    {"sech",           [](ME_TYPE a) { return Checked(1 / std::cosh(a), std::cosh(a) == 0, kSechOfZeroCosh); }},
    {"sch",            [](ME_TYPE a) { return Checked(1 / std::cosh(a), std::cosh(a) == 0, kSechOfZeroCosh); }},
    {"cosech",         [](ME_TYPE a) { return Checked(1 / std::sinh(a), std::sinh(a) == 0, kCosechOfZeroSinh); }},
    {"csch",           [](ME_TYPE a) { return Checked(1 / std::sinh(a), std::sinh(a) == 0, kCosechOfZeroSinh); }},
    {"arsh",           Arsh},
    {"asinh",          Arsh},
    {"arch",           Arch},
    {"acosh",          Arch},
    {"arth",           Arth},
    {"atanh",          Arth},
    {"arcth",          [](ME_TYPE a) { return Checked(0.5 * std::log((a + 1) / (a - 1)), a == 0, kArcthOfZero); }},
    {"acoth",          [](ME_TYPE a) { return Checked(0.5 * std::log((a + 1) / (a - 1)), a == 0, kArcthOfZero); }},
    {"arsech",         [](ME_TYPE a) { return Checked(ArchFormula(1 / a), a == 0, kArsechOfZero); }},
    {"asech",          [](ME_TYPE a) { return Checked(ArchFormula(1 / a), a == 0, kArsechOfZero); }},
    {"arcosech",       [](ME_TYPE a) { return Checked(ArshFormula(1 / a), a == 0, kArcosechOfZero); }},
    {"acsch",          [](ME_TYPE a) { return Checked(ArshFormula(1 / a), a == 0, kArcosechOfZero); }},
};
// clang-format on

ME_TYPE RandomBetween(ME_TYPE a, ME_TYPE b, ME_TYPE divisor) {
    return a + NextRandomInteger() * (b - a) / divisor;
}

ME_TYPE Atan2p(ME_TYPE a, ME_TYPE b) {
    return std::atan2(a, b) + (a < 0 ? kTwoPi : 0);
}

struct TwoArgumentsFunction {
    std::string_view name;
    Outcome (*compute)(ME_TYPE a, ME_TYPE b);
};

// clang-format off
constexpr TwoArgumentsFunction kTwoArgumentsFunctions[] = {
    {"rand",             [](ME_TYPE a, ME_TYPE b) { return Outcome{RandomBetween(a, b, 32767)}; }},
    {"rand_close_open",  [](ME_TYPE a, ME_TYPE b) { return Outcome{RandomBetween(a, b, 32768)}; }},
    {"min",              [](ME_TYPE a, ME_TYPE b) { return Outcome{b <= a ? b : a}; }},
    {"max",              [](ME_TYPE a, ME_TYPE b) { return Outcome{b < a ? a : b}; }},
    {"value_upto_value", [](ME_TYPE a, ME_TYPE b) { return Outcome{b < a ? a : b}; }},
    {"value_over_value", [](ME_TYPE a, ME_TYPE b) { return Outcome{b < a ? b : a}; }},
    {"mod",              [](ME_TYPE a, ME_TYPE b) { return Outcome{std::fmod(a, b)}; }},
    {"pow",              [](ME_TYPE a, ME_TYPE b) { return Outcome{std::pow(a, b)}; }},
    {"power",            [](ME_TYPE a, ME_TYPE b) { return Outcome{std::pow(a, b)}; }},
    {"atan2",            [](ME_TYPE a, ME_TYPE b) { return Checked(std::atan2(a, b), b == 0, kAtan2ZeroDivisor); }},
    {"atan2p",           [](ME_TYPE a, ME_TYPE b) { return Checked(Atan2p(a, b), b == 0, kAtan2pZeroDivisor); }},
};
// clang-format on

// 1 when a lies in the closed interval bounded by a1 and a2, in either order.
ME_TYPE Impuls(ME_TYPE a, ME_TYPE a1, ME_TYPE a2) {
    if (a1 < a2)
        return (a1 <= a && a <= a2) ? 1 : 0;
    if (a2 < a1)
        return (a2 <= a && a <= a1) ? 1 : 0;
    return a == a1 ? 1 : 0;
}

// Exact equality; the first letter is compared inline because most lookups fail on it.
bool SameName(std::string_view known, std::string_view name) {
    return known.size() == name.size() && !name.empty() && known[0] == name[0] && known == name;
}

// Reports a failed domain check, or an unknown name, with the table message of its code.
ME_TYPE Finish(EvalContext& c, std::string_view function, std::string_view name, Outcome outcome) {
    if (outcome.code != 0) {
        c.slot = outcome.code;
        ReportTableMessage(c, function, name);
    }
    return outcome.value;
}

}  // namespace

int NextRandomInteger() {
    std::uint32_t state = g_random_state.load(std::memory_order_relaxed);
    std::uint32_t next = 0;
    do {
        next = state * 214013u + 2531011u;
    } while (!g_random_state.compare_exchange_weak(state, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

void SeedRandomIntegers(std::uint32_t seed) {
    g_random_state.store(seed);
}

ME_TYPE eval_no_argument_function(EvalContext& c, std::string_view name) {
    c.slot = kNoError;
    if (name == "pi")
        return kPi;
    if (name == "e")
        return kE;
    if (name == "rand")
        return NextRandomInteger() / 32767.0;
    c.slot = kUnknownZeroArgumentFunction;
    Report(c, kNoArgumentName, name, "unknown function!", 0);
    return 0;
}

ME_TYPE eval_one_argument_function_xyzt(EvalContext& c, std::string_view name,
                                        std::string_view arguments) {
    c.slot = kNoError;
    const ME_TYPE a = eval_correct_math_expression_xyzt(c, arguments, arguments.size());
    for (const OneArgumentFunction& f : kOneArgumentFunctions) {
        if (SameName(f.name, name))
            return Finish(c, kOneArgumentName, name, f.compute(a));
    }
    return Finish(c, kOneArgumentName, name, {0, kUnknownOneArgumentFunction});
}

ME_TYPE eval_two_arguments_function_xyzt(EvalContext& c, std::string_view name,
                                         std::string_view arguments, std::size_t comma) {
    c.slot = kNoError;
    const ME_TYPE a = eval_correct_math_expression_xyzt(c, arguments, comma);
    const std::string_view second = arguments.substr(comma + 1);
    const ME_TYPE b = eval_correct_math_expression_xyzt(c, second, second.size());
    for (const TwoArgumentsFunction& f : kTwoArgumentsFunctions) {
        if (SameName(f.name, name))
            return Finish(c, kTwoArgumentsName, name, f.compute(a, b));
    }
    return Finish(c, kTwoArgumentsName, name, {0, kUnknownTwoArgumentsFunction});
}

ME_TYPE eval_three_arguments_function_xyzt(EvalContext& c, std::string_view name,
                                           std::string_view arguments, std::size_t comma1,
                                           std::size_t comma2) {
    c.slot = kNoError;
    const ME_TYPE a = eval_correct_math_expression_xyzt(c, arguments, comma1);
    const std::string_view middle = arguments.substr(comma1 + 1);
    const ME_TYPE a1 = eval_correct_math_expression_xyzt(c, middle, comma2 - comma1 - 1);
    const std::string_view last = arguments.substr(comma2 + 1);
    const ME_TYPE a2 = eval_correct_math_expression_xyzt(c, last, last.size());
    if (name == "impuls")
        return Impuls(a, a1, a2);
    return Finish(c, kThreeArgumentsName, name, {0, kUnknownTwoArgumentsFunction});
}

}  // namespace korvane::expression
