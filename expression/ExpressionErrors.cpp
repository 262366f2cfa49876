// The error-code table, the message formatter, and the reporter with its diagnostic block.

#include <array>
#include <charconv>
#include <functional>
#include <string>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression {

namespace {

// The message of every code, indexed by the code. Several checks report with a wording of their
// own (code 18 reports "divide by 0!"); this table is what the converter shows and what the
// domain checks and unknown names report.
// clang-format off
constexpr std::array<std::string_view, kLastTableCode + 1> kMessages = {
    /*  0 */ "no error",
    /*  1 */ "error",  // reported with a clear slot
    /*  2 */ "wrong symbol",
    /*  3 */ "too long expression, can not be more than %d symbols",  // formatted with 1024
    /*  4 */ "empty expression",
    /*  5 */ "wrong expression",
    /*  6 */ "too_much_arguments in function, no alowed functions with number of arguments > 2",
    /*  7 */ "empty variable",
    /*  8 */ "unknown function",  // raised by no check
    /*  9 */ "unknown zero argument function",
    /* 10 */ "unknown one argument function",
    /* 11 */ "unknown two arguments function",  // also three arguments
    /* 12 */ "expression result is NAN",
    /* 13 */ "expression result is INF",
    /* 14 */ "expression result is HUGE_VAL",  // raised by no check
    /* 15 */ "operator can not be the last in expression",
    /* 16 */ "two operators_follow in the expression",
    /* 17 */ "power operator stands first",
    /* 18 */ "divide by 0",
    /* 19 */ "error on left bracket",
    /* 20 */ "error on rigth bracket",
    /* 21 */ "too much rigth brackets",
    /* 22 */ "too much left brackets",
    /* 23 */ "last rigth bracket must be last",
    /* 24 */ "left bracket must be first",  // raised by no check
    /* 25 */ "rigth left bracket is out of expression",
    /* 26 */ "too much 'e' in number",
    /* 27 */ "too much decimal points in number",
    /* 28 */ "sign '+' or '-' before 'e' in number",
    /* 29 */ "too much signs '+' or '-' in number",
    /* 30 */ "negative argument: a < 0 in function sqrt(a) or sqr(a)",
    /* 31 */ "non-positive argument: a <= 0 in function ln(a) or log(a)",
    /* 32 */ "non-positive argument: a <= 0 in function log10(a) or lg(a)",
    /* 33 */ "non-positive argument: a <= 0 in function log2(a)",
    /* 34 */ "tg(a) = 0 value in function cot(a) or ctg(a) = 1/tg(a)",
    /* 35 */ "cos(a) = 0 value in function sec(a) = 1/cos(a)",
    /* 36 */ "sin(a) = 0 value in function csc(a) = cosec() = 1/sin(a)",
    /* 37 */ "a = 0 value in function asec(a) or arcsec(a) = arccos(1/a)",
    /* 38 */ "a = 0 value in function arccosec(a) = arcsin(1/a)",
    /* 39 */ "th(a) = 0 value in function coth(a) or cth(a) = 1/th(a)",
    /* 40 */ "ch(a) = 0 value in function sch(a) or sech(a) = 1/ch(a)",
    /* 41 */ "sh(a) = 0 value in function csch(a) or cosech(a) = 1/sh(a)",
    /* 42 */ "a + sqrt(a^2+1) <= 0 value in function asinh(a) or arsh(a) = log(a + sqrt(a^2+1))",
    /* 43 */ "a^2-1 < 0 value in function acosh(a) or arch(a) = log(a + sqrt(a^2-1))",
    /* 44 */ "a + sqrt(a^2-1) <= 0 value in function acosh(a) or arch(a) = log(a + sqrt(a^2-1))",
    /* 45 */ "(1-a) = 0 value in function atanh(a) or function arth(a) = log((1+a)/(1-a))/2",
    /* 46 */ "(1+a)/(1-a) <= 0 value in function atanh(a) or arth(a) = log((1+a)/(1-a))/2",
    /* 47 */ "a = 0 value in function acoth(a) or arcth(a) = arth(1/a)",
    /* 48 */ "a = 0 value in function asech(a) or arsech(a) = arch(1/a)",
    /* 49 */ "a = 0 value in function acsch(a) or arcosech(a) = arsh(1/a)",
    /* 50 */ "b = 0 value in function atan2(a,b) = arctg(a/b)!",
    /* 51 */ "b = 0 value in function atan2(a,b) = arctg(a/b)",
};
// clang-format on

constexpr std::string_view kUnknownCodeFormat =
    "Unknown error code = %d. Please report for program author!";
constexpr std::size_t kMessageLimit = ZK_MATH_EXPRESSION_LENGTH - 1;
constexpr std::size_t kFormattedLimit = 5119;
constexpr std::string_view kDashes51 = "---------------------------------------------------";

void AppendInteger(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

}  // namespace

void WriteText(std::FILE* stream, std::string_view text) {
    if (stream != nullptr && !text.empty())
        std::fwrite(text.data(), 1, text.size(), stream);
}

namespace {

bool Within(std::string_view range, const char* at) {
    const std::less_equal<const char*> before;
    return before(range.data(), at) && before(at, range.data() + range.size());
}

// The byte index in the input of the copy's character `index`: the copy is the input without
// its spaces.
std::size_t InputIndexOfCopy(std::string_view input, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == ' ')
            continue;
        if (seen++ == index)
            return i;
    }
    return input.size();
}

}  // namespace

void NoteFirstPlace(EvalContext& c, const char* at) {
    if (c.first_code != kNoError || c.first_position_noted)
        return;
    c.first_position_noted = true;
    if (at == nullptr || c.input.data() == nullptr) {
        c.first_position = std::string_view::npos;
    } else if (Within(c.input, at)) {
        c.first_position = static_cast<std::size_t>(at - c.input.data());
    } else if (c.copy.data() != nullptr && Within(c.copy, at)) {
        c.first_position = InputIndexOfCopy(c.input, static_cast<std::size_t>(at - c.copy.data()));
    } else {
        c.first_position = std::string_view::npos;
    }
}

int Report(EvalContext& c, std::string_view function, std::string_view text,
           std::string_view message, std::size_t position) {
    if (c.slot == kNoError)
        c.slot = kError;
    if (c.first_code == kNoError) {
        NoteFirstPlace(c, position <= text.size() ? text.data() + position : nullptr);
        c.first_code = c.slot;
    }
    if (c.print)
        print_math_expression_error(c.errors, function, text, message, position, c.slot, 1);
    return c.slot;
}

[[gnu::cold, gnu::noinline]] int ReportFormatted(
    EvalContext& c, std::string_view function, std::string_view text, std::size_t position,
    std::string_view format, std::initializer_list<math_message_argument> arguments) {
    // The message is only printed; a silent evaluation skips composing it.
    const std::string message = c.print ? format_math_message(format, arguments) : std::string();
    return Report(c, function, text, message, position);
}

[[gnu::cold, gnu::noinline]] int ReportCharacter(EvalContext& c, std::string_view function,
                                                 std::string_view text, std::size_t position,
                                                 std::string_view format, char character) {
    return ReportFormatted(c, function, text, position, format, {character});
}

[[gnu::cold, gnu::noinline]] int ReportTableMessage(EvalContext& c, std::string_view function,
                                                    std::string_view text) {
    std::string message;
    math_expression_error_message(message, c.slot);
    return Report(c, function, text, message, 0);
}

}  // namespace korvane::expression

using namespace korvane::expression;

int math_expression_error_message(std::string& buffer, int code) {
    const bool known = code >= 0 && code <= kLastTableCode;
    const std::string_view format =
        known ? kMessages[static_cast<std::size_t>(code)] : kUnknownCodeFormat;
    const int argument = code == kTooLong ? ZK_MATH_EXPRESSION_LENGTH : code;
    buffer = format_math_message(format, {argument});
    if (buffer.size() > kMessageLimit)
        buffer.resize(kMessageLimit);
    return known ? 0 : 1;
}

std::string format_math_message(std::string_view format,
                                std::initializer_list<math_message_argument> arguments) {
    std::string out;
    out.reserve(format.size() + 16);
    const math_message_argument* next = arguments.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char ch = format[i];
        if (ch != '%' || i + 1 == format.size()) {
            out += ch;
            continue;
        }
        const char directive = format[++i];
        if (directive == '%') {
            out += '%';
        } else if (next == arguments.end() ||
                   (directive != 'd' && directive != 'c' && directive != 's')) {
            // A directive without its argument stays as written rather than reading garbage.
            out += '%';
            out += directive;
        } else {
            using kind = math_message_argument::kind;
            const math_message_argument& a = *next++;
            if (a.type == kind::integer)
                AppendInteger(out, a.integer);
            if (a.type == kind::character)
                out += a.character;
            if (a.type == kind::text)
                out += a.text;
        }
    }
    if (out.size() > kFormattedLimit)
        out.resize(kFormattedLimit);
    return out;
}

int report_math_expression_error(std::string_view function_name, std::string_view text,
                                 std::string_view message, std::size_t position, int& error_code,
                                 int print_errors) {
    EvalContext c{.slot = error_code, .print = print_errors != 0, .errors = stderr};
    return Report(c, function_name, text, message, position);
}

void print_math_expression_error(std::string_view function_name, std::string_view text,
                                 std::string_view message, std::size_t position, int code,
                                 int print_errors) {
    print_math_expression_error(stderr, function_name, text, message, position, code, print_errors);
}

void print_math_expression_error(std::FILE* stream, std::string_view function_name,
                                 std::string_view text, std::string_view message,
                                 std::size_t position, int code, int print_errors) {
    if (print_errors == 0 || stream == nullptr)
        return;
    std::string block;
    block.reserve(3 * kDashes51.size() + function_name.size() + text.size() + message.size() + 96);
    block.append(kDashes51).append("\n");
    block.append(function_name).append("(): ERROR in math expression at the position ");
    AppendInteger(block, static_cast<std::int64_t>(position) + 1);
    block.append(":\n'").append(text).append("'\n");
    block.append(kDashes51).append("\n");
    WriteText(stream, block);
    std::fflush(stream);
    if (message.empty())
        return;
    block.assign("Error code = ");
    AppendInteger(block, code);
    block.append(", error message: '").append(message).append("'\n");
    block.append(kDashes51).append("\n");
    WriteText(stream, block);
    std::fflush(stream);
}
