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

// The scales of the two formula categories. The numbers are the units' positions in their
// tables, which is what the settings file and the catalogue store.
enum class TemperatureScale { Celsius = 0, Fahrenheit = 1, Kelvin = 2, Rankine = 3, Reaumur = 4 };
enum class ConductanceScale { RImperial = 0, RMetric = 1, UImperial = 2, UMetric = 3 };

// The scale of a stored unit type; nullopt for a type outside the table.
std::optional<TemperatureScale> TemperatureScaleOf(int type);
std::optional<ConductanceScale> ConductanceScaleOf(int type);

double TemperatureToCelsius(TemperatureScale scale, double x);
double TemperatureFromCelsius(TemperatureScale scale, double x);
double ConductanceToReference(ConductanceScale scale, double x);
double ConductanceFromReference(ConductanceScale scale, double x);

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
