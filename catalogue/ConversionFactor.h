#pragma once

#include <string>
#include <string_view>

#include "catalogue/UnitCatalogue.h"

// How a conversion reads as text outside the output box: the relation between two units both
// ways, and a value with its unit for the clipboard. Numbers are written with 8 significant
// digits whatever the Result Format, so the relation reads the same for every user.
namespace korvane {

inline constexpr std::string_view kNoFixedFactor = "No fixed factor";

// "1 inch = 2.54 centimeter; 1 centimeter = 0.39370079 inch" for a linear category;
// "degree Fahrenheit = 1.8 × degree Celsius + 32; degree Celsius = ..." for temperatures;
// "U-value (metric) = 5.6782633 / R-value (imperial); ..." between R- and U-values;
// "1 meter = 1 meter" for the same unit. kNoFixedFactor for Numbers, for a unit whose factor is
// zero or not finite, for a relation that leaves the range of a double, and for indexes that
// name no unit.
std::string FactorLine(const UnitCatalogue& catalogue, int category, int from, int to);

// The unit as a copied value names it: its abbreviation, else its name (blanks trimmed).
std::string UnitCopyText(const UnitCatalogue& catalogue, int category, int unit);

// "600 cm"; in Numbers the value alone, since the radix is no unit a reader could paste.
std::string ValueWithUnit(const UnitCatalogue& catalogue, int category, int unit,
                          std::string_view value);

// "6 meter = 600 centimeter": the input value and the result, each with its unit's name.
std::string ConversionLine(const UnitCatalogue& catalogue, int category, int from, int to,
                           std::string_view inputValue, std::string_view outputValue);

}  // namespace korvane
