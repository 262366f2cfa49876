#pragma once

// The evaluator's stages, shared by its source files, its tests, its fuzzer and its benchmark.
// Not part of the public interface: callers use ZK_eval_math_expression.h.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression {

// The error codes the checks raise; their messages are the table in ExpressionErrors.cpp.
enum ErrorCode : int {
    kNoError = 0,
    kError = 1,  // stored by the reporter when called with a clear slot
    kWrongSymbol = 2,
    kTooLong = 3,
    kEmptyExpression = 4,
    kWrongExpression = 5,
    kTooManyArguments = 6,
    kEmptyVariable = 7,
    kUnknownZeroArgumentFunction = 9,
    kUnknownOneArgumentFunction = 10,
    kUnknownTwoArgumentsFunction = 11,
    kResultNan = 12,
    kResultInf = 13,
    kOperatorLast = 15,
    kTwoOperators = 16,
    kOperatorFirst = 17,
    kDivideByZero = 18,
    kAloneLeftBracket = 19,
    kAloneRightBracket = 20,
    kTooManyRightBrackets = 21,
    kTooManyLeftBrackets = 22,
    kRightBracketNotLast = 23,
    kBracketOutsidePiece = 25,
    kTooManyExponents = 26,
    kTooManyPoints = 27,
    kSignBeforeExponent = 28,
    kTooManySigns = 29,
    // 30 to 51: the domain checks of the function table, one per check.
    kSqrtOfNegative = 30,             // sqrt(a), sqr(a): a < 0
    kLnOfNonPositive = 31,            // ln(a), log(a): a <= 0
    kLog10OfNonPositive = 32,         // log10(a), lg(a): a <= 0
    kLog2OfNonPositive = 33,          // log2(a): a <= 0
    kCotOfZeroTangent = 34,           // cot(a), ctg(a): tan(a) = 0
    kSecOfZeroCosine = 35,            // sec(a): cos(a) = 0
    kCosecOfZeroSine = 36,            // cosec(a), csc(a): sin(a) = 0
    kArcsecOfZero = 37,               // arcsec(a), asec(a): a = 0
    kArccosecOfZero = 38,             // arccosec(a), acsc(a): a = 0
    kCothOfZeroTanh = 39,             // coth(a), cth(a): tanh(a) = 0
    kSechOfZeroCosh = 40,             // sech(a), sch(a): cosh(a) = 0
    kCosechOfZeroSinh = 41,           // cosech(a), csch(a): sinh(a) = 0
    kArshOfNonPositiveSum = 42,       // arsh(a), asinh(a): a + sqrt(a^2+1) <= 0
    kArchBelowOne = 43,               // arch(a), acosh(a): a^2 - 1 < 0
    kArchOfNonPositiveSum = 44,       // arch(a), acosh(a): a + sqrt(a^2-1) <= 0
    kArthOfOne = 45,                  // arth(a), atanh(a): 1 - a = 0
    kArthOfNonPositiveQuotient = 46,  // arth(a), atanh(a): (1+a)/(1-a) <= 0
    kArcthOfZero = 47,                // arcth(a), acoth(a): a = 0
    kArsechOfZero = 48,               // arsech(a), asech(a): a = 0
    kArcosechOfZero = 49,             // arcosech(a), acsch(a): a = 0
    kAtan2ZeroDivisor = 50,           // atan2(a,b): b = 0
    kAtan2pZeroDivisor = 51,          // atan2p(a,b): b = 0
    kLastTableCode = kAtan2pZeroDivisor,
};

struct BracketTable;

// Everything one evaluation carries through its stages. Passed by reference so that the
// recursion frames stay small: the deepest expression nests about a thousand of them.
struct EvalContext {
    ME_TYPE x = 0;
    ME_TYPE y = 0;
    ME_TYPE z = 0;
    ME_TYPE t = 0;
    int& slot;                    // the error slot; every stage clears it when it starts
    bool print = false;           // print_errors
    std::FILE* errors = nullptr;  // diagnostics; nullptr writes nothing, not even the checker's
    std::FILE* output = nullptr;  // the help text; nullptr writes nothing
    int first_code = 0;           // first code reported during this evaluation, 0 when none
    // The matching ')' of every '(' in the normalised copy (kNoMatch elsewhere), so that a
    // bracket group is skipped in one step instead of re-scanned at every level. Pieces of other
    // texts, or a null table, take the plain scan; both give the same results.
    const BracketTable* brackets = nullptr;
    bool use_bracket_table = true;  // off only to check that both ways agree
    // Where the first error lies, for a caller that shows it to the user: a byte index into
    // `input`, npos when the error has no place (a result that is not a number). The entry sets
    // `input` and `copy` (the normalised copy, which the stages take their pieces from); a
    // piece of the copy is mapped back to the input, whose spaces the copy dropped.
    std::string_view input{};
    std::string_view copy{};
    std::size_t first_position = std::string_view::npos;
    bool first_position_noted = false;
};

// Built once per evaluation over the normalised copy.
struct BracketTable {
    static constexpr std::uint16_t kNoMatch = 0xFFFF;
    std::string_view copy{};
    std::vector<std::uint16_t> matches;  // followed by room for the open-bracket stack

    explicit BracketTable(std::string_view text);
    // The index, in the copy, of the ')' matching the '(' at `text.data() + i`; kNoMatch when
    // unknown.
    std::size_t MatchOf(std::string_view text, std::size_t i) const;
};

// ---- Reporting (ExpressionErrors.cpp) ----------------------------------------------------------
int Report(EvalContext& c, std::string_view function, std::string_view text,
           std::string_view message, std::size_t position);
// Formats first, on a cold path, so that the hot frames hold no strings.
int ReportFormatted(EvalContext& c, std::string_view function, std::string_view text,
                    std::size_t position, std::string_view format,
                    std::initializer_list<math_message_argument> arguments);
// The same for the common one-character messages ("found alone '%c'!").
int ReportCharacter(EvalContext& c, std::string_view function, std::string_view text,
                    std::size_t position, std::string_view format, char character);
// Notes `at` (a pointer into the input or its copy; nullptr: no place) as the place of the first
// error, unless an error or a place was noted before. For checks whose report names another
// position than the one at fault.
void NoteFirstPlace(EvalContext& c, const char* at);
// Reports the table message of the code already in the slot.
int ReportTableMessage(EvalContext& c, std::string_view function, std::string_view text);
void WriteText(std::FILE* stream, std::string_view text);

// ---- Syntax and validation (ExpressionSyntax.cpp) ----------------------------------------------
bool IsAsciiDigit(char c);
int check_math_expression_for_correctness(EvalContext& c, std::string_view text);
int check_for_brackets_correctness_in_math_expression(std::FILE* errors, std::string_view text);
int positions_of_brackets(EvalContext& c, std::string_view text, std::size_t length,
                          std::size_t& left, std::size_t& right);
ME_TYPE evaluate_number(EvalContext& c, std::string_view text, std::size_t length);

// ---- Evaluation (ExpressionEvaluation.cpp) -----------------------------------------------------
ME_TYPE eval_correct_math_expression_xyzt(EvalContext& c, std::string_view text,
                                          std::size_t length);
std::size_t find_first_free_operator_pos(EvalContext& c, std::string_view text, std::size_t length,
                                         char pending, bool& operand_has_operators);
ME_TYPE eval_math_operand_xyzt(EvalContext& c, std::string_view text, std::size_t length);
ME_TYPE eval_variable_or_number(EvalContext& c, std::string_view text, std::size_t length);
int test_for_ZK_math_expression_result_correction(EvalContext& c, ME_TYPE value,
                                                  std::string_view text);
// The whole entry on a context of the caller's making: the documented value, with the slot and
// first_code of the context filled in.
ME_TYPE EvaluateEntry(EvalContext& c, std::string_view text);

// ---- Function library (FunctionTable.cpp) ------------------------------------------------------
ME_TYPE eval_no_argument_function(EvalContext& c, std::string_view name);
ME_TYPE eval_one_argument_function_xyzt(EvalContext& c, std::string_view name,
                                        std::string_view arguments);
ME_TYPE eval_two_arguments_function_xyzt(EvalContext& c, std::string_view name,
                                         std::string_view arguments, std::size_t comma);
ME_TYPE eval_three_arguments_function_xyzt(EvalContext& c, std::string_view name,
                                           std::string_view arguments, std::size_t comma1,
                                           std::size_t comma2);

// The random integers of rand(): s = s * 214013 + 2531011 (mod 2^32), value (s >> 16) & 0x7FFF,
// s = 1 at start. NextRandomInteger is safe to call from several threads.
int NextRandomInteger();
void SeedRandomIntegers(std::uint32_t seed);

}  // namespace korvane::expression
