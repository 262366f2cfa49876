#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Locale-free readers and writers of numbers. The C library's atof/strtol/printf follow the
// user's locale (a decimal comma breaks them), so the core never calls them.
namespace korvane {

// The value of the longest leading part of `text` that reads as a decimal number: optional
// blanks, an optional sign, digits with an optional point, then an optional exponent. 0 when
// there is none. No hexadecimal, inf or nan forms. Overflow gives +-inf, as atof does.
double ReadAtof(std::string_view text);

// Length of that leading number (0 when none), not counting the leading blanks.
std::size_t DecimalNumberLength(std::string_view text);

// atoi: leading blanks, an optional sign, decimal digits up to the first other character;
// 0 when there are none. Saturates instead of overflowing.
int ReadAtoi(std::string_view text);

// strtol in `radix` (2..36): leading blanks, an optional sign, "0x"/"0X" in radix 16, then
// the digits valid in the radix. No digits reads as 0. nullopt when the value leaves the
// signed 32-bit range or the radix is invalid.
std::optional<std::int32_t> ReadStrtol32(std::string_view text, int radix);

// The shortest text that reads back to the same double ("0.1", "1e+300", "inf", "nan").
std::string ShortestText(double value);

}  // namespace korvane
