#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// One h·ft²·°F/Btu in m²·K/W: the step between imperial and metric R- and U-values.
inline constexpr double kUValueImperialToMetric = 0.176110184;
inline constexpr std::string_view kErrorText = "Error";

// How a category converts, chosen by its exact name.
enum class ConversionRule { Linear, Temperature, Conductance, Numbers };
ConversionRule RuleForCategory(std::string_view categoryName);

inline double ConvertLinear(double x, double factorFrom, double factorTo) {
    return (factorFrom * x) / factorTo;
}

// Temperature types: 0 Celsius, 1 Fahrenheit, 2 Kelvin, 3 Rankine, 4 Reaumur. Conductance
// types: 0 R imperial, 1 R metric, 2 U imperial, 3 U metric. Another type has no value.
std::optional<double> TemperatureToCelsius(int type, double x);
std::optional<double> TemperatureFromCelsius(int type, double x);
std::optional<double> ConductanceToReference(int type, double x);
std::optional<double> ConductanceFromReference(int type, double x);

// The value of x converted between two units of a numeric category; nullopt when a formula
// category meets a unit type it does not know. Not for "Numbers".
std::optional<double> ConvertValue(ConversionRule rule, int fromType, int toType, double factorFrom,
                                   double factorTo, double x);

// "base-16 (hexadecimal)" -> 16, "base-03" -> 3; 0 when no number can be read.
int RadixFromUnitName(std::string_view unitName);

// The integer in `input` (strtol rules, source radix) written in the target radix, negative
// values outside radix 10 as 32-bit two's complement; "Error" for a bad radix or a value
// outside the signed 32-bit range.
std::string ConvertNumberBase(std::string_view input, std::string_view fromUnitName,
                              std::string_view toUnitName);

}  // namespace korvane
