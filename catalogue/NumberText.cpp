#include "catalogue/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace korvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// For a number (no sign) that from_chars found out of range: whether it overflowed rather than
// underflowed. The decimal position of its first significant digit plus its exponent decides;
// the exponent's sign alone does not ("1000...0e-5" overflows, "0.000...01" underflows).
bool Overflows(std::string_view number) {
    constexpr long long kSaturated = 1'000'000'000;
    const std::size_t expAt = number.find_first_of("eE");
    long long exponent = 0;
    if (expAt != std::string_view::npos) {
        std::size_t i = expAt + 1;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        for (; i < number.size() && IsDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturated);
        exponent = negative ? -exponent : exponent;
    }
    const std::string_view mantissa = number.substr(0, expAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::string_view whole = mantissa.substr(0, point);
    long long magnitude = 0;  // digits before the point, or minus the zeros after it
    if (const std::size_t first = whole.find_first_not_of('0'); first != std::string_view::npos) {
        magnitude = static_cast<long long>(whole.size() - first);
    } else {
        const std::string_view fraction = mantissa.substr(std::min(point + 1, mantissa.size()));
        magnitude =
            -static_cast<long long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
    }
    return magnitude + exponent > 0;
}

}  // namespace

std::size_t DecimalNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = SkipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        i = fracEnd;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expEnd = SkipDigits(text, j);
        if (expEnd > j)
            i = expEnd;
    }
    return i;
}

double ReadAtof(std::string_view text) {
    text.remove_prefix(SkipBlanks(text));
    const std::size_t length = DecimalNumberLength(text);
    if (length == 0)
        return 0.0;
    std::string_view number = text.substr(0, length);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on range errors; atof gives +-HUGE_VAL or 0.
        value = Overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

int ReadAtoi(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 40);
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::optional<std::int32_t> ReadStrtol32(std::string_view text, int radix) {
    if (radix < 2 || radix > 36)
        return std::nullopt;
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // "0x" only counts as a prefix when a hexadecimal digit follows it, as in strtol.
    if (radix == 16 && i + 2 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16) {
        i += 2;
    }
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;  // |INT32_MIN|
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size() && DigitValue(text[i]) < radix; ++i) {
        magnitude = magnitude * radix + DigitValue(text[i]);
        if (magnitude > kLimit) {
            overflow = true;
            magnitude = kLimit + 1;
        }
    }
    if (overflow || magnitude > (negative ? kLimit : kLimit - 1))
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string ShortestText(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace korvane
