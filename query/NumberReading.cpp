#include "query/NumberReading.h"

#include <algorithm>
#include <cmath>

#include "catalogue/NumberText.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::query {

namespace {

bool IsDigit(std::string_view text, std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

std::size_t DigitsEnd(std::string_view text, std::size_t at) {
    while (IsDigit(text, at))
        ++at;
    return at;
}

// Blanks group digits only as "10 000 000": a first group of at most 3 digits, then groups of
// exactly 3, none followed by a digit, a separator or '/'.
std::size_t BlankGroupsEnd(std::string_view text, std::size_t start, std::size_t end) {
    if (end - start > 3)
        return end;
    std::size_t at = end;
    while (at < text.size() && text[at] == ' ' && DigitsEnd(text, at + 1) == at + 4) {
        const std::size_t next = at + 4;
        if (next < text.size() && (text[next] == '/' || text[next] == '.' || text[next] == ','))
            break;
        at = next;
    }
    return at;
}

bool IsExponentAt(std::string_view text, std::size_t at) {
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return false;
    std::size_t next = at + 1;
    if (next < text.size() && (text[next] == '+' || text[next] == '-'))
        ++next;
    return IsDigit(text, next);
}

struct Groups {
    std::vector<std::string_view> digits;  // the digit groups in order
    std::string separators;                // the separator before each group after the first
};

bool GroupsOfThree(const Groups& g, std::size_t from, std::size_t to) {
    if (g.digits.front().empty() || g.digits.front().size() > 3)
        return false;
    for (std::size_t i = from; i < to; ++i) {
        if (g.digits[i].size() != 3)
            return false;
    }
    return true;
}

std::string Joined(const Groups& g, std::size_t decimalGroup) {
    std::string out;
    for (std::size_t i = 0; i < g.digits.size(); ++i) {
        if (i == decimalGroup)
            out += '.';
        out += g.digits[i];
    }
    return out;
}

// The mantissa as "digits[.digits]", or an error message; `note` says how a separator the
// convention does not use for decimals was read.
std::optional<std::string> Mantissa(const Groups& g, DecimalSeparator decimal, std::string& note,
                                    std::string& error) {
    const std::size_t n = g.digits.size();
    if (n == 1)
        return std::string(g.digits[0]);
    const std::size_t commas = std::count(g.separators.begin(), g.separators.end(), ',');
    const std::size_t points = g.separators.size() - commas;
    const char own = decimal == DecimalSeparator::Point ? '.' : ',';
    const char last = g.separators.back();
    if (commas > 0 && points > 0) {
        // The last separator is the decimal one; the other kind groups by three before it.
        if (std::count(g.separators.begin(), g.separators.end(), last) != 1 ||
            !GroupsOfThree(g, 1, n - 1)) {
            error = "malformed number";
            return std::nullopt;
        }
        if (last != own)
            note = last == ',' ? "decimal comma" : "decimal point";
        return Joined(g, n - 1);
    }
    if (last == own) {
        if (g.separators.size() == 1)
            return Joined(g, 1);
        if (own == '.') {
            error = "malformed number";
            return std::nullopt;
        }
    }
    // Only the other separator: it groups by three, or else it is the one decimal separator.
    if (decimal == DecimalSeparator::Comma && last == '.' && g.separators.size() == 1 &&
        g.digits[1].size() == 3) {
        // "1.500": a thousand and five hundred, or one and a half written with a point.
        std::string fraction(g.digits[1]);
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        const std::string whole(g.digits[0]);
        error = "ambiguous number \"" + whole + "." + std::string(g.digits[1]) + "\": write " +
                whole + std::string(g.digits[1]) + " or " + whole +
                (fraction.empty() ? "" : "," + fraction);
        return std::nullopt;
    }
    const bool grouped = GroupsOfThree(g, 1, n);
    if (grouped && (last == ',' || g.separators.size() > 1))
        return Joined(g, n);
    if (g.separators.size() == 1) {
        note = last == ',' ? "decimal comma" : "decimal point";
        return Joined(g, 1);
    }
    error = "malformed number";
    return std::nullopt;
}

void Fail(ValueRead& read, std::string message, std::size_t at) {
    read.error = ReadError{std::move(message), at};
}

bool IsOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '(' || c == ')';
}

// The run of an expression value: numbers, operators and brackets without blanks, ending where
// the brackets balance; "2*12", "(1+2)", "3/4".
std::size_t ExpressionEnd(std::string_view text, std::size_t at) {
    int depth = 0;
    std::size_t i = at;
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(text, i) || c == '.' || c == ',') {
            ++i;
        } else if (IsExponentAt(text, i) && i > at && IsDigit(text, i - 1)) {
            i += (text[i + 1] == '+' || text[i + 1] == '-') ? 2 : 1;
        } else if (c == '(') {
            ++depth;
            ++i;
        } else if (c == ')' && depth > 0) {
            --depth;
            ++i;
        } else if (IsOperator(c) && c != ')' && (i + 1 < text.size()) &&
                   (IsDigit(text, i + 1) || text[i + 1] == '(' || text[i + 1] == '.' ||
                    text[i + 1] == '-')) {
            ++i;
        } else {
            break;
        }
    }
    return depth == 0 ? i : at;
}

// The expression with each number written as the evaluator reads it.
ValueRead Evaluate(std::string_view text, std::size_t at, std::size_t end,
                   DecimalSeparator decimal) {
    ValueRead read;
    std::string expression;
    std::size_t i = at;
    while (i < end) {
        if (IsDigit(text, i) || (text[i] == '.' && IsDigit(text, i + 1))) {
            ValueRead number = ReadNumber(text.substr(0, end), i, decimal);
            if (number.error)
                return number;
            expression += ShortestText(number.value);
            read.notes.insert(read.notes.end(), number.notes.begin(), number.notes.end());
            i = number.end;
        } else {
            expression += text[i++];
        }
    }
    const math_expression_check check = eval_math_expression_checked(expression);
    if (check.error_reported || check.code != 0 || !std::isfinite(check.value)) {
        Fail(read, "malformed value", at);
        return read;
    }
    read.value = check.value;
    read.end = end;
    return read;
}

bool IsMarkOrUnitAhead(std::string_view text, std::size_t at) {
    if (at >= text.size())
        return false;
    const char c = text[at];
    return c == ' ' || c == '\'' || c == '"' || !(IsDigit(text, at) || IsOperator(c) || c == '.');
}

// "1 1/2" and "1-1/2" before a unit or mark: the whole number and the fraction.
std::optional<ValueRead> MixedNumber(std::string_view text, const ValueRead& whole) {
    const std::size_t at = whole.end;
    if (at >= text.size() || (text[at] != ' ' && text[at] != '-'))
        return std::nullopt;
    const std::size_t numerator = DigitsEnd(text, at + 1);
    if (numerator == at + 1 || numerator >= text.size() || text[numerator] != '/')
        return std::nullopt;
    const std::size_t denominator = DigitsEnd(text, numerator + 1);
    if (denominator == numerator + 1 || !IsMarkOrUnitAhead(text, denominator))
        return std::nullopt;
    const double top = ReadAtof(text.substr(at + 1, numerator - at - 1));
    const double bottom = ReadAtof(text.substr(numerator + 1, denominator - numerator - 1));
    if (bottom == 0)
        return std::nullopt;
    ValueRead read = whole;
    read.value = whole.value + top / bottom;
    read.end = denominator;
    read.plainInteger = false;
    return read;
}

}  // namespace

bool StartsValue(std::string_view text, std::size_t at) {
    return IsDigit(text, at) || (at < text.size() && text[at] == '(') ||
           (at + 1 < text.size() && text[at] == '.' && IsDigit(text, at + 1));
}

ValueRead ReadNumber(std::string_view text, std::size_t at, DecimalSeparator decimal) {
    ValueRead read;
    Groups groups;
    std::size_t i = at;
    while (true) {
        const std::size_t end = DigitsEnd(text, i);
        groups.digits.push_back(text.substr(i, end - i));
        i = end;
        const bool separator = i < text.size() && (text[i] == '.' || text[i] == ',');
        if (!separator || !IsDigit(text, i + 1))
            break;
        groups.separators += text[i];
        ++i;
    }
    if (groups.separators.empty()) {
        const std::size_t grouped = BlankGroupsEnd(text, at, i);
        for (std::size_t g = i; g < grouped; g += 4)
            groups.digits.push_back(text.substr(g + 1, 3));
        i = grouped;
    }
    std::string note;
    std::string error;
    const auto mantissa = groups.separators.empty()
                              ? std::optional<std::string>(Joined(groups, groups.digits.size()))
                              : Mantissa(groups, decimal, note, error);
    if (!mantissa) {
        Fail(read, error, at);
        return read;
    }
    std::string number = *mantissa;
    if (IsExponentAt(text, i)) {
        const std::size_t start = i;
        i += (text[i + 1] == '+' || text[i + 1] == '-') ? 2 : 1;
        i = DigitsEnd(text, i);
        number += text.substr(start, i - start);
    }
    if (number.empty() || number == ".") {
        Fail(read, "malformed number", at);
        return read;
    }
    read.value = ReadAtof(number);
    read.end = i;
    read.plainInteger =
        groups.digits.size() == 1 && number.find_first_not_of("0123456789") == std::string::npos;
    if (!std::isfinite(read.value)) {
        Fail(read, "the number is too large", at);
        return read;
    }
    if (!note.empty())
        read.notes.push_back("\"" + std::string(text.substr(at, i - at)) + "\" read with a " +
                             note + " as " + ShortestText(read.value));
    return read;
}

ValueRead ReadValue(std::string_view text, std::size_t at, DecimalSeparator decimal) {
    const std::size_t end = ExpressionEnd(text, at);
    if (end == at) {
        ValueRead read;
        Fail(read, "malformed number", at);
        return read;
    }
    if (text[at] == '(')
        return Evaluate(text, at, end, decimal);
    ValueRead number = ReadNumber(text, at, decimal);
    if (!number.error && number.plainInteger) {
        if (auto mixed = MixedNumber(text, number))
            return *mixed;
    }
    if (number.error || number.end >= end)
        return number;
    return Evaluate(text, at, end, decimal);
}

}  // namespace korvane::query
