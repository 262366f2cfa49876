// What the evaluator accepts: normalisation, the pre-checks on the text as typed, bracket
// location, and the value of a single operand (digit, constant or number).

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/NumberText.h"
#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression {

namespace {

constexpr std::string_view kCheckName = "check_math_expression_for_correctness";
constexpr std::string_view kBracketCheckName = "check_for_brackets_correctness_in_math_expression";
constexpr std::string_view kBracketsName = "positions_of_brackets";
constexpr std::string_view kNumberName = "evaluate_number";
constexpr std::size_t kMaxLength = ZK_MATH_EXPRESSION_LENGTH - 1;

constexpr ME_TYPE kE = 2.718281828459045;

struct NamedConstant {
    std::string_view name;  // lower case; letters match without regard to case
    ME_TYPE value;
};

constexpr std::array<NamedConstant, 11> kNamedConstants = {{
    {"pi", 3.141592653589793},
    {"m_e", kE},
    {"m_pi", 3.141592653589793},
    {"m_2pi", 6.283185307179586},
    {"m_pi2", 1.5707963267948966},
    {"m_pi3", 1.0471975511965976},
    {"m_pi4", 0.7853981633974483},
    {"m_pi_2", 1.5707963267948966},
    {"m_a_pi", 0.3183098861837907},
    {"m_pi_3", 1.0471975511965976},
    {"m_pi_4", 0.7853981633974483},
}};

// Character classes are ASCII only, whatever the locale: bytes above 127 are never letters.
constexpr bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr std::array<bool, 256> kAllowed = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = IsAsciiAlnum(static_cast<unsigned char>(c));
    for (const char c : std::string_view("._,()+-/*^ "))
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool IsAllowed(char c) {
    return kAllowed[static_cast<unsigned char>(c)];
}

bool SameIgnoringCase(std::string_view operand, std::string_view name) {
    if (operand.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(operand[i]) != name[i])
            return false;
    }
    return true;
}

// Scans a number for misplaced signs, points and exponents. Returns false when the operand is
// to count 0 (a sign where none may be).
bool ScanNumber(EvalContext& c, std::string_view text, std::string_view operand) {
    bool exponent = false;
    bool point = false;
    bool exponent_sign = false;
    for (std::size_t i = 0; i < operand.size(); ++i) {
        const char ch = operand[i];
        std::string_view format;
        if (ch == '+' || ch == '-') {
            if (!exponent) {
                c.slot = kSignBeforeExponent;
                ReportCharacter(c, kNumberName, text, i,
                                "Signs before 'e' in the number: wrong symbol '%c'!", ch);
                return false;
            }
            if (exponent_sign) {
                c.slot = kTooManySigns;
                ReportCharacter(c, kNumberName, text, i,
                                "Too much signs in the number: wrong symbol '%c'!", ch);
                return false;
            }
            exponent_sign = true;
        } else if (ch == '.') {
            if (point) {
                c.slot = kTooManyPoints;
                format = "Too much points in the number: wrong symbol '%c'!";
            }
            point = true;
        } else if (ch == 'e') {
            if (exponent) {
                c.slot = kTooManyExponents;
                format = "Too much 'e' in the number: wrong symbol '%c'!";
            }
            exponent = true;
        } else if (!IsAsciiDigit(ch)) {
            c.slot = kWrongSymbol;
            format = "wrong symbol '%c' in the number!";
        }
        if (!format.empty())
            ReportCharacter(c, kNumberName, text, i, format, ch);
    }
    return true;
}

// The first ')' that closes nothing, else the first '(' left open; text.size() when balanced.
std::size_t UnbalancedBracket(std::string_view text) {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            open.push_back(i);
        } else if (text[i] == ')') {
            if (open.empty())
                return i;
            open.pop_back();
        }
    }
    return open.empty() ? text.size() : open.front();
}

}  // namespace

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

int check_for_brackets_correctness_in_math_expression(std::FILE* errors, std::string_view text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        if (text[i] != ')')
            continue;
        if (--depth < 0) {
            std::string line(kBracketCheckName);
            line.append("(): ERROR in position ").append(std::to_string(i + 1));
            line.append(" of math expression:\n'").append(text).append("'\n");
            WriteText(errors, line);
            if (errors != nullptr)
                std::fflush(errors);
            return depth;
        }
    }
    if (depth > 0) {
        std::string line(kBracketCheckName);
        line.append("(): ERROR in math expression:\n'").append(text).append("'\n");
        WriteText(errors, line);
        if (errors != nullptr)
            std::fflush(errors);
    }
    return depth;
}

int check_math_expression_for_correctness(EvalContext& c, std::string_view text) {
    if (text.size() > kMaxLength) {
        // The first character past the limit is where the text becomes too long.
        NoteFirstPlace(c, text.data() + kMaxLength);
        c.slot = kTooLong;
        ReportFormatted(
            c, kCheckName, text, text.size(),
            "length of expression = %d is more than allowed ZK_MATH_EXPRESSION_LENGTH = %d",
            {text.size(), ZK_MATH_EXPRESSION_LENGTH});
        return kTooLong;
    }
    const int balance = check_for_brackets_correctness_in_math_expression(c.errors, text);
    if (balance != 0) {
        NoteFirstPlace(c, text.data() + UnbalancedBracket(text));
        return balance < 0 ? kTooManyRightBrackets : kTooManyLeftBrackets;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsAllowed(text[i])) {
            c.slot = kWrongSymbol;
            ReportCharacter(c, kCheckName, text, i, "not allowed symbol '%c'", text[i]);
            return kWrongSymbol;
        }
    }
    return kNoError;
}

BracketTable::BracketTable(std::string_view text) : copy(text), matches(2 * text.size() + 1) {
    std::uint16_t* const stack = matches.data() + text.size();
    std::size_t open = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        matches[i] = kNoMatch;
        if (text[i] == '(') {
            stack[open++] = static_cast<std::uint16_t>(i);
        } else if (text[i] == ')' && open > 0) {
            matches[stack[--open]] = static_cast<std::uint16_t>(i);
        }
    }
}

std::size_t BracketTable::MatchOf(std::string_view text, std::size_t i) const {
    const std::less_equal<const char*> before;
    if (!before(copy.data(), text.data()) ||
        !before(text.data() + i, copy.data() + copy.size() - 1))
        return kNoMatch;
    return matches[static_cast<std::size_t>(text.data() - copy.data()) + i];
}

int positions_of_brackets(EvalContext& c, std::string_view text, std::size_t length,
                          std::size_t& left, std::size_t& right) {
    c.slot = kNoError;
    left = 0;
    right = 0;
    if (length > kMaxLength) {
        c.slot = kTooLong;
        Report(c, kBracketsName, text, "too long expression!", 0);
        return kTooLong;
    }
    length = std::min(length, text.size());
    if (c.brackets != nullptr) {
        // The pair is the first '(' and its match, if nothing unbalanced comes first: then the
        // scan below would find the same pair.
        std::size_t first = 0;
        while (first < length && text[first] != '(' && text[first] != ')')
            ++first;
        if (first < length && text[first] == '(') {
            const std::size_t match = c.brackets->MatchOf(text, first);
            const std::size_t offset =
                static_cast<std::size_t>(text.data() - c.brackets->copy.data());
            if (match != BracketTable::kNoMatch && match - offset < length) {
                left = first;
                right = match - offset;
                return 0;
            }
        }
    }
    int depth = 0;
    bool seen = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char ch = text[i];
        if (ch == '(') {
            if (!seen)
                left = i;
            seen = true;
            ++depth;
        } else if (ch == ')') {
            if (--depth < 0) {
                c.slot = kAloneRightBracket;
                ReportCharacter(c, kBracketsName, text, i, "found alone '%c'!", ')');
                return depth;
            }
            if (depth == 0) {
                right = i;
                return 0;
            }
        }
    }
    if (depth == 0)
        return 0;
    c.slot = kAloneLeftBracket;
    ReportCharacter(c, kBracketsName, text, length, "found alone '%c'!", '(');
    return depth;
}

ME_TYPE evaluate_number(EvalContext& c, std::string_view text, std::size_t length) {
    c.slot = kNoError;
    const std::string_view operand = text.substr(0, length);
    if (operand.empty()) {
        c.slot = kEmptyVariable;
        Report(c, kNumberName, text, "Empty variable!", 0);
        return 0;
    }
    if (operand.size() == 1) {
        const char ch = operand[0];
        if (IsAsciiDigit(ch))
            return ch - '0';
        if (ch == 'e')
            return kE;
        c.slot = kWrongSymbol;
        ReportCharacter(c, kNumberName, text, 0, "wrong symbol '%c'!", ch);
        return kWrongSymbol;  // the operand counts as its own error code
    }
    if (operand.size() <= 6) {
        for (const NamedConstant& constant : kNamedConstants) {
            if (SameIgnoringCase(operand, constant.name))
                return constant.value;
        }
    }
    if (!ScanNumber(c, text, operand))
        return 0;
    return korvane::ReadAtof(operand);
}

}  // namespace korvane::expression

using namespace korvane::expression;

void normalize_math_expression(std::string_view text, std::string& copy) {
    copy.resize(std::min(text.size(), kMaxLength));
    std::size_t length = 0;
    for (const char ch : text) {
        if (length == copy.size())
            break;
        if (ch != ' ')
            copy[length++] = AsciiLower(ch);
    }
    copy.resize(length);
}

int check_math_expression_for_correctness(std::string_view text, int print_errors) {
    int slot = kNoError;
    EvalContext c{.slot = slot, .print = print_errors != 0, .errors = stderr};
    return check_math_expression_for_correctness(c, text);
}

int check_for_brackets_correctness_in_math_expression(std::string_view text) {
    return check_for_brackets_correctness_in_math_expression(stderr, text);
}

int positions_of_brackets(std::string_view text, std::size_t length, std::size_t& left,
                          std::size_t& right, int& error_code, int print_errors) {
    EvalContext c{.slot = error_code, .print = print_errors != 0, .errors = stderr};
    return positions_of_brackets(c, text, length, left, right);
}

ME_TYPE evaluate_number(std::string_view text, std::size_t length, int& error_code,
                        int print_errors) {
    EvalContext c{.slot = error_code, .print = print_errors != 0, .errors = stderr};
    return evaluate_number(c, text, length);
}
