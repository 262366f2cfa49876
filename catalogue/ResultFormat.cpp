#include "catalogue/ResultFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvane {

namespace {

// Large enough for Fixed with kMaxPrecision decimals of the largest double (309 digits).
constexpr std::size_t kBufferSize = 1024;

// The runtime the program grew up on writes at least three exponent digits; users and stored
// expectations rely on "1e-005", so pad what to_chars writes ("1e-05").
std::string PadExponent(std::string text) {
    const std::size_t e = text.find('e');
    if (e == std::string::npos || e + 1 >= text.size())
        return text;
    const std::size_t digits = text.size() - (e + 2);
    if (digits < 3)
        text.insert(e + 2, 3 - digits, '0');
    return text;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

std::string Print(double value, std::chars_format form, int precision) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    char buffer[kBufferSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, form, precision);
    if (result.ec != std::errc())
        return NonFiniteText(value);  // unreachable with our bounds
    return PadExponent(std::string(buffer, result.ptr));
}

std::string Format(double value, const ResultFormat& format, int autoDigits) {
    const int precision = EffectivePrecision(format.precision);
    switch (FormatModeFromInt(static_cast<int>(format.mode))) {
        case FormatMode::Scientific:
            return Print(value, std::chars_format::scientific, precision);
        case FormatMode::Fixed:
            return Print(value, std::chars_format::fixed, precision);
        case FormatMode::AutoFormat:
            break;
    }
    return Print(value, std::chars_format::general, autoDigits);
}

}  // namespace

FormatMode FormatModeFromInt(int stored) {
    if (stored == 1)
        return FormatMode::Scientific;
    if (stored == 2)
        return FormatMode::Fixed;
    return FormatMode::AutoFormat;
}

int EffectivePrecision(int stored) {
    if (stored < 0)
        return 6;
    return std::min(stored, kMaxPrecision);
}

std::string FormatResult(double value, const ResultFormat& format) {
    return Format(value, format, 8);
}

std::string FormatPreview(double value, const ResultFormat& format) {
    return Format(value, format, 14);
}

}  // namespace korvane
