// The entries, the operator loop and the operand stage. Pieces are string_views into the
// normalised copy: no stage copies text, so a recursion level costs only a few words of stack.

#include <cmath>
#include <optional>
#include <string>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression {

namespace {

constexpr std::string_view kEntryName = "eval_math_expression_xyzt";
constexpr std::string_view kLoopName = "eval_correct_math_expression_xyzt";
constexpr std::string_view kScanName = "find_first_free_operator_pos";
constexpr std::string_view kOperandName = "eval_math_operand_xyzt";
constexpr std::string_view kResultName = "test_for_ZK_math_expression_result_correction";
constexpr int kMaxArguments = 3;

bool IsOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// The sign at `i` belongs to a number's exponent: it follows an `e` that ends the digits of a
// number, with or without a point after them ("5e-3", "5.e-3"), and a digit follows it. Anywhere
// else `+` and `-` are operators (".e-3" is ".e" minus 3).
bool IsExponentSign(std::string_view text, std::size_t i, std::size_t length) {
    if (i < 2 || text[i - 1] != 'e' || i + 1 >= length || !IsAsciiDigit(text[i + 1]))
        return false;
    std::size_t last = i - 2;  // the character before the `e`
    if (text[last] == '.' && last > 0)
        --last;
    return IsAsciiDigit(text[last]);
}

bool IsHelpKeyword(std::string_view copy) {
    return copy == "help" || copy == "/h" || copy == "?" || copy == "/?";
}

ME_TYPE Combine(EvalContext& c, std::string_view text, std::size_t position, char pending,
                ME_TYPE result, ME_TYPE v) {
    switch (pending) {
        case '+':
            return v + result;
        case '-':
            return result - v;
        case '*':
            return v * result;
        case '/':
            if (v == 0) {
                c.slot = kDivideByZero;
                Report(c, kLoopName, text, "divide by 0!", position);
            }
            return result / v;  // IEEE gives the infinity or NaN
        case '^':
            return std::pow(result, v);
        default:
            return v;
    }
}

[[gnu::cold, gnu::noinline]] void ReportTooManyArguments(EvalContext& c, std::string_view text,
                                                         int count, std::string_view name,
                                                         std::string_view arguments) {
    c.slot = kTooManyArguments;
    ReportFormatted(c, kOperandName, text, 0,
                    "too much arguments (=%d) in function %s(%s), while maximum number of "
                    "arguments is %d!",
                    {count, name, arguments, kMaxArguments});
}

// A function call: `left` and `right` are the operand's first bracket pair, the name before it.
// Kept out of line so that plain bracket nesting does not pay for its frame.
[[gnu::noinline]] ME_TYPE EvaluateCall(EvalContext& c, std::string_view text, std::size_t left,
                                       std::size_t right) {
    const std::string_view name = text.substr(0, left);
    const std::string_view arguments = text.substr(left + 1, right - left - 1);
    std::size_t commas[kMaxArguments] = {};
    int count = arguments.empty() ? 0 : 1;
    for (std::size_t i = 0; i < arguments.size() && count <= kMaxArguments; ++i) {
        if (arguments[i] == '(') {
            std::size_t inner_left = 0;
            std::size_t inner_right = 0;
            if (positions_of_brackets(c, arguments.substr(i), arguments.size() - i, inner_left,
                                      inner_right) != 0) {
                break;
            }
            i += inner_right;
        } else if (arguments[i] == ',') {
            commas[count - 1] = i;
            ++count;
        }
    }
    if (count > kMaxArguments) {
        ReportTooManyArguments(c, text, count, name, arguments);
        return 0;
    }
    switch (count) {
        case 0:
            return eval_no_argument_function(c, name);
        case 1:
            return eval_one_argument_function_xyzt(c, name, arguments);
        case 2:
            return eval_two_arguments_function_xyzt(c, name, arguments, commas[0]);
        default:
            return eval_three_arguments_function_xyzt(c, name, arguments, commas[0], commas[1]);
    }
}

}  // namespace

ME_TYPE eval_correct_math_expression_xyzt(EvalContext& c, std::string_view text,
                                          std::size_t length) {
    c.slot = kNoError;
    if (length == 0) {
        c.slot = kEmptyExpression;
        Report(c, kLoopName, text, "empty expression!", 0);
        return 0;
    }
    ME_TYPE result = 0;
    char pending = ' ';
    std::size_t i = 0;
    const char first = text[0];
    if (first == '*' || first == '/' || first == '^') {
        c.slot = kOperatorFirst;
        ReportCharacter(c, kLoopName, text, 0, "wrong operator '%c' stands in start in expression",
                        first);
    } else if (first == '+' || first == '-') {
        // A leading sign acts on a zero result: -2^2 is -(2^2).
        pending = first;
        i = 1;
    }
    while (i < length) {
        bool compound = false;
        const std::size_t n =
            find_first_free_operator_pos(c, text.substr(i), length - i, pending, compound);
        if (n == 0) {
            c.slot = kTwoOperators;
            Report(c, kLoopName, text, "two operators follow", i);
        }
        const ME_TYPE v = compound ? eval_correct_math_expression_xyzt(c, text.substr(i), n)
                                   : eval_math_operand_xyzt(c, text.substr(i), n);
        result = Combine(c, text, i, pending, result, v);
        i += n;
        if (i < length)
            pending = text[i];
        ++i;
    }
    return result;
}

std::size_t find_first_free_operator_pos(EvalContext& c, std::string_view text, std::size_t length,
                                         char pending, bool& operand_has_operators) {
    c.slot = kNoError;
    operand_has_operators = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char ch = text[i];
        if (IsOperator(ch) && i == length - 1) {
            // The report names the piece; the fault is the operator at its end.
            NoteFirstPlace(c, text.data() + i);
            c.slot = kOperatorLast;
            Report(c, kScanName, text, "operator can not be the last in expression", 0);
        }
        switch (ch) {
            case '(': {
                std::size_t left = 0;
                std::size_t right = 0;
                if (positions_of_brackets(c, text.substr(i), length - i, left, right) != 0) {
                    c.slot = kBracketOutsidePiece;
                    Report(c, kScanName, text, "", i);
                    return length;
                }
                i += right;  // brackets are never looked into here
                break;
            }
            case ')':
                c.slot = kAloneRightBracket;
                ReportCharacter(c, kScanName, text, i, "found alone '%c'!", ')');
                break;
            case '*':
            case '/':
                if (pending != '+' && pending != '-')
                    return i;
                operand_has_operators = true;
                break;
            case '+':
            case '-':
                if (IsExponentSign(text, i, length))
                    break;
                return i;
            case '^':
                if (pending == ' ')
                    return i;
                operand_has_operators = true;
                break;
            default:
                break;
        }
    }
    return length;
}

ME_TYPE eval_math_operand_xyzt(EvalContext& c, std::string_view text, std::size_t length) {
    c.slot = kNoError;
    std::size_t left = 0;
    std::size_t right = 0;
    if (positions_of_brackets(c, text, length, left, right) != 0)
        return 0;
    if (right == 0)
        return eval_variable_or_number(c, text, length);
    if (right != length - 1) {
        // Something follows the first bracket group, as in (2)(3) or f(x)2.
        c.slot = kRightBracketNotLast;
        ReportTableMessage(c, kOperandName, text);
        c.slot = kWrongExpression;
        Report(c, kOperandName, text, "wrong expression!", 0);
        return 0;
    }
    if (left == 0)
        return eval_correct_math_expression_xyzt(c, text.substr(1), right - 1);
    return EvaluateCall(c, text, left, right);
}

ME_TYPE eval_variable_or_number(EvalContext& c, std::string_view text, std::size_t length) {
    c.slot = kNoError;
    if (length == 1) {
        switch (text[0]) {
            case 'x':
            case 'X':
                return c.x;
            case 'y':
            case 'Y':
                return c.y;
            case 'z':
            case 'Z':
                return c.z;
            case 't':
            case 'T':
                return c.t;
            default:
                break;
        }
    }
    return evaluate_number(c, text, length);
}

int test_for_ZK_math_expression_result_correction(EvalContext& c, ME_TYPE value,
                                                  std::string_view text) {
    c.slot = kNoError;
    if (!std::isfinite(value)) {
        // The whole result is at fault, not one place of the text.
        NoteFirstPlace(c, nullptr);
    }
    if (std::isnan(value)) {
        c.slot = kResultNan;
        Report(c, kResultName, text, "result is NAN", 0);
    } else if (!std::isfinite(value)) {
        c.slot = kResultInf;
        Report(c, kResultName, text, "result is INF", 0);
    }
    return c.slot != kNoError ? 1 : 0;
}

ME_TYPE EvaluateEntry(EvalContext& c, std::string_view text) {
    c.slot = kNoError;
    std::string copy;
    normalize_math_expression(text, copy);
    c.input = text;
    c.copy = copy;
    // The copy ends with this call; a place noted later could not be mapped back.
    struct ForgetCopy {
        EvalContext& c;
        ~ForgetCopy() { c.copy = {}; }
    } forget{c};
    if (IsHelpKeyword(copy)) {
        if (c.output != nullptr)
            print_math_expression_help(c.output, 0);
        return 0;
    }
    c.slot = check_math_expression_for_correctness(c, text);
    if (c.slot != kNoError) {
        Report(c, kEntryName, text, "", 0);
        return c.slot;
    }
    std::optional<BracketTable> brackets;
    if (c.use_bracket_table && copy.find('(') != copy.npos) {
        brackets.emplace(copy);
        c.brackets = &*brackets;
    }
    const ME_TYPE value = eval_correct_math_expression_xyzt(c, copy, copy.size());
    c.brackets = nullptr;
    if (c.slot != kNoError) {
        Report(c, kEntryName, text, "", 0);
        return c.slot;
    }
    if (test_for_ZK_math_expression_result_correction(c, value, copy) != 0) {
        Report(c, kEntryName, text, "result is not correct due to error", 0);
    }
    return value;
}

}  // namespace korvane::expression

using namespace korvane::expression;

ME_TYPE eval_math_expression_xyzt(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE z,
                                  ME_TYPE t, int& error_code, int print_errors) {
    EvalContext c{.x = x,
                  .y = y,
                  .z = z,
                  .t = t,
                  .slot = error_code,
                  .print = print_errors != 0,
                  .errors = stderr,
                  .output = stdout};
    return EvaluateEntry(c, math_expression);
}

ME_TYPE eval_math_expression_xyzt(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE z,
                                  ME_TYPE t) {
    int error_code = 0;
    return eval_math_expression_xyzt(math_expression, x, y, z, t, error_code, 1);
}

// clang-format off
ME_TYPE eval_math_expression(std::string_view e) { return eval_math_expression_xyzt(e, 0, 0, 0, 0); }
ME_TYPE eval_math_expression_xyz(std::string_view e, ME_TYPE x, ME_TYPE y, ME_TYPE z) { return eval_math_expression_xyzt(e, x, y, z, 0); }
ME_TYPE eval_math_expression_xy(std::string_view e, ME_TYPE x, ME_TYPE y) { return eval_math_expression_xyzt(e, x, y, 0, 0); }
ME_TYPE eval_math_expression_x(std::string_view e, ME_TYPE x) { return eval_math_expression_xyzt(e, x, 0, 0, 0); }
ME_TYPE eval_math_expression_xyt(std::string_view e, ME_TYPE x, ME_TYPE y, ME_TYPE t) { return eval_math_expression_xyzt(e, x, y, 0, t); }
ME_TYPE eval_math_expression_xt(std::string_view e, ME_TYPE x, ME_TYPE t) { return eval_math_expression_xyzt(e, x, 0, 0, t); }
ME_TYPE eval_math_expression_xzt(std::string_view e, ME_TYPE x, ME_TYPE z, ME_TYPE t) { return eval_math_expression_xyzt(e, x, 0, z, t); }
ME_TYPE eval_math_expression_xz(std::string_view e, ME_TYPE x, ME_TYPE z) { return eval_math_expression_xyzt(e, x, 0, z, 0); }
ME_TYPE eval_math_expression_yzt(std::string_view e, ME_TYPE y, ME_TYPE z, ME_TYPE t) { return eval_math_expression_xyzt(e, 0, y, z, t); }
ME_TYPE eval_math_expression_yz(std::string_view e, ME_TYPE y, ME_TYPE z) { return eval_math_expression_xyzt(e, 0, y, z, 0); }
ME_TYPE eval_math_expression_yt(std::string_view e, ME_TYPE y, ME_TYPE t) { return eval_math_expression_xyzt(e, 0, y, 0, t); }
ME_TYPE eval_math_expression_y(std::string_view e, ME_TYPE y) { return eval_math_expression_xyzt(e, 0, y, 0, 0); }
ME_TYPE eval_math_expression_zt(std::string_view e, ME_TYPE z, ME_TYPE t) { return eval_math_expression_xyzt(e, 0, 0, z, t); }
ME_TYPE eval_math_expression_z(std::string_view e, ME_TYPE z) { return eval_math_expression_xyzt(e, 0, 0, z, 0); }
// clang-format on

math_expression_check eval_math_expression_checked_xyzt(std::string_view text, ME_TYPE x, ME_TYPE y,
                                                        ME_TYPE z, ME_TYPE t, int print_errors) {
    int slot = 0;
    const bool print = print_errors != 0;
    EvalContext c{.x = x,
                  .y = y,
                  .z = z,
                  .t = t,
                  .slot = slot,
                  .print = print,
                  .errors = print ? stderr : nullptr,
                  .output = print ? stdout : nullptr};
    math_expression_check check{};
    check.value = EvaluateEntry(c, text);
    check.code = slot;
    check.error_reported = c.first_code != kNoError;
    check.first_code = c.first_code;
    check.first_position = check.error_reported ? c.first_position : std::string_view::npos;
    if (check.error_reported)
        math_expression_error_message(check.first_message, c.first_code);
    return check;
}

math_expression_check eval_math_expression_checked(std::string_view text) {
    return eval_math_expression_checked_xyzt(text, 0, 0, 0, 0, 0);
}
