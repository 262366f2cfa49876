#pragma once

// Built-in units: energy, power and heat.
// Each factor is the size of the unit in the category's reference unit (factor 1).
// Bare decimal numbers are stated sizes of units that have no single published definition.
// Included only by BuiltInUnitTable.cpp.

#include <array>

#include "catalogue/BuiltInUnitDefinitions.h"
#include "catalogue/BuiltInUnitTable.h"

namespace korvane::builtin {

// "Energy" (reference unit: joule).
// clang-format off
inline constexpr auto kEnergyUnits = std::to_array<BuiltInUnit>({
    {"British thermal unit (IT)", "Btu (IT)", kBtuIt},
    {"British thermal unit (th)", "Btu (th)", kBtuTh},
    {"British thermal unit (mean)", "Btu (mean)", 1055.87},  // NIST SP 811
    {"British thermal unit (39 ºF)", "Btu (39 ºF)", 1059.67},  // NIST SP 811
    {"British thermal unit (59 ºF)", "Btu (59 ºF)", 1054.80},  // NIST SP 811
    {"calorie (IT)", "cal (IT)", kCalorieIt},
    {"calorie (th)", "cal (th)", kCalorieTh},
    {"calorie (mean)", "cal (mean", 4.19002},  // NIST SP 811
    {"calorie (15 º C)", "cal (15 ºC)", 4.18580},  // NIST SP 811
    {"calorie (20 º C)", "cal (20 ºC)", 4.18190},  // NIST SP 811
    {"electronvolt", "eV", kElectronvolt},
    {"erg", "erg", kErg},
    {"foot poundal", " ", kFoot * kPoundal},
    {"foot pound-force", "ft·lbf", kFoot * kPoundForce},
    {"joule", "J", 1},
    {"kilocalorie (IT)", "kcal (IT)", kKilo * kCalorieIt},
    {"kilocalorie (th)", "kcal (th)", kKilo * kCalorieTh},
    {"kilocalorie (mean)", "kcal (mean)", 4190.02},  // NIST SP 811
    {"kilojoule", "kJ", kKilo},
    {"kilowatt hour", "kW·h", kKilo * kWattHour},
    {"megajoule", "MJ", kMega},
    {"quad", " ", kPeta * kBtuIt},
    {"therm (EC)", " ", 105506000},  // EC directive 80/181/EEC: 105.506 MJ
    {"therm (US)", " ", 105480400},  // 100000 Btu at 59 °F (NIST SP 811)
    {"ton of TNT", "tTNT", kGiga * kCalorieTh},
    {"watt hour", "W·h", kWattHour},
    {"watt second", "W·s", 1},
});
// clang-format on

// "Enthalpy (Mass)" (reference unit: kilojoule/kilogram).
inline constexpr long double kKilojoulePerKilogram = kKilo;  // in J/kg
// clang-format off
inline constexpr auto kEnthalpyMassUnits = std::to_array<BuiltInUnit>({
    {"British thermal units/pound", "Btu/lb", kBtuIt / kPound / kKilojoulePerKilogram},
    {"calorie/gram", "cal/g", kCalorieIt / kGram / kKilojoulePerKilogram},
    {"joule/kilogram", "J/kg", 1 / kKilojoulePerKilogram},
    {"kilocalorie/kilogram", "kcal/kg", kKilo * kCalorieIt / kKilojoulePerKilogram},
    {"kilojoule/kilogram", "kJ/kg", 1},
});
// clang-format on

// "Enthalpy (Molar)" (reference unit: joule/mole).
inline constexpr long double kMolesPerPoundMole = kPound / kGram;
// clang-format off
inline constexpr auto kEnthalpyMolarUnits = std::to_array<BuiltInUnit>({
    {"British thermal units/pound mole", "Btu/lbmol", kBtuIt / kMolesPerPoundMole},
    {"calorie/mole", "cal/mol", kCalorieIt},
    {"joule/mole", "J/mol", 1},
    {"joule/kilomole", "J/kmol", 1 / kKilo},
    {"kilocalorie/kilomole", "kcal/kmol", kKilo * kCalorieIt / kKilo},
    {"kilocalorie/mole", "kcal/mol", kKilo * kCalorieIt},
    {"kilojoule/mole", "kJ/mol", kKilo},
});
// clang-format on

// "Enthalpy (Volume)" (reference unit: megajoule/meter³).
inline constexpr long double kMegajoulePerCubicMeter = kMega;  // in J/m³
// clang-format off
inline constexpr auto kEnthalpyVolumeUnits = std::to_array<BuiltInUnit>({
    {"British thermal units/foot³", "Btu/ft³", kBtuIt / kCubicFoot / kMegajoulePerCubicMeter},
    {"British thermal units/gallon", "Btu/gal", kBtuIt / kGallonUs / kMegajoulePerCubicMeter},
    {"kilocalorie/meter³", "kcal/m³", kKilo * kCalorieIt / kMegajoulePerCubicMeter},
    {"kilojoule/meter³", "kJ/m³", kKilo / kMegajoulePerCubicMeter},
    {"megajoule/meter³", "MJ/m³", 1},
});
// clang-format on

// "Power" (reference unit: Btu/hour (int.)).
inline constexpr long double kBtuPerHour = kBtuIt / kHour;  // in watts
// clang-format off
inline constexpr auto kPowerUnits = std::to_array<BuiltInUnit>({
    {"attojoule/second", "aJ/s", kAtto / kBtuPerHour},
    {"attowatt", "aW", kAtto / kBtuPerHour},
    {"Btu/hour (int.)", "Btu/h (int.)", 1},
    {"Btu/hour (th.)", "Btu/h (th.)", kBtuTh / kHour / kBtuPerHour},
    {"Btu/minute (int.)", "Btu/min (int.)", kBtuIt / kMinute / kBtuPerHour},
    {"Btu/minute (th.)", "Btu/min (th.)", kBtuTh / kMinute / kBtuPerHour},
    {"Btu/second (int.)", "Btu/s (int.)", kBtuIt / kBtuPerHour},
    {"Btu/second (th.)", "Btu/s (th.)", kBtuTh / kBtuPerHour},
    {"calorie/hour (int.)", "cal/h (int.)", kCalorieIt / kHour / kBtuPerHour},
    {"calorie/hour (th.)", "cal/h (th.)", kCalorieTh / kHour / kBtuPerHour},
    {"calorie/minute (int.)", "cal/min (int.)", kCalorieIt / kMinute / kBtuPerHour},
    {"calorie/minute (th.)", "cal/min (th.)", kCalorieTh / kMinute / kBtuPerHour},
    {"calorie/second (int.)", "cal/s (int.)", kCalorieIt / kBtuPerHour},
    {"calorie/second (th.)", "cal/s (th.)", kCalorieTh / kBtuPerHour},
    {"centijoule/second", "cJ/s", kCenti / kBtuPerHour},
    {"centiwatt", "cW", kCenti / kBtuPerHour},
    {"decijoule/second", "dJ/s", kDeci / kBtuPerHour},
    {"deciwatt", "dW", kDeci / kBtuPerHour},
    {"dekajoule/second", "daJ/s", kDeka / kBtuPerHour},
    {"dekawatt", "daW", kDeka / kBtuPerHour},
    {"erg/second", "erg/s", kErg / kBtuPerHour},
    {"exajoule/second", "EJ/s", kExa / kBtuPerHour},
    {"exawatt", "EW", kExa / kBtuPerHour},
    {"femtojoule/second", "fJ/s", kFemto / kBtuPerHour},
    {"femtowatt", "fW", kFemto / kBtuPerHour},
    {"gigajoule/second", "GJ/s", kGiga / kBtuPerHour},
    {"gigawatt", "GW", kGiga / kBtuPerHour},
    {"hectojoule/second", "hJ/s", kHecto / kBtuPerHour},
    {"hectowatt", "hW", kHecto / kBtuPerHour},
    {"horsepower", "hp", kHorsepower / kBtuPerHour},
    // NIST SP 811; nominally 33475 Btu/h
    {"horsepower (boiler)", "hp (boiler)", 9809.5L / kBtuPerHour},
    {"horsepower (electric)", "hp (electric)", 746 / kBtuPerHour},
    {"horsepower (metric)", "hp (metric)", kMetricHorsepower / kBtuPerHour},
    // the imperial horsepower is 550 ft·lbf/s too
    {"horsepower (UK)", "hp (UK)", kHorsepower / kBtuPerHour},
    {"horsepower (water)", "hp (water)", 746.043L / kBtuPerHour},  // NIST SP 811
    {"joule/hour", "J/h", 1 / kHour / kBtuPerHour},
    {"joule/minute", "J/min", 1 / kMinute / kBtuPerHour},
    {"joule/second", "J/s", 1 / kBtuPerHour},
    {"kilocalorie/hour (int.)", "kcal/h (int.)", kKilo * kCalorieIt / kHour / kBtuPerHour},
    {"kilocalorie/hour (th.)", "kcal/h (th.)", kKilo * kCalorieTh / kHour / kBtuPerHour},
    {"kilocalorie/minute (int.)", "kcal/min (int.)", kKilo * kCalorieIt / kMinute / kBtuPerHour},
    {"kilocalorie/minute (th.)", "kcal/min (th.)", kKilo * kCalorieTh / kMinute / kBtuPerHour},
    {"kilocalorie/second (int.)", "kcal/s (int.)", kKilo * kCalorieIt / kBtuPerHour},
    {"kilocalorie/second (th.)", "kcal/s (th.)", kKilo * kCalorieTh / kBtuPerHour},
    {"kilojoule/hour", "kJ/h", kKilo / kHour / kBtuPerHour},
    {"kilojoule/minute", "kJ/min", kKilo / kMinute / kBtuPerHour},
    {"kilojoule/second", "kJ/s", kKilo / kBtuPerHour},
    {"kilowatt", "kW", kKilo / kBtuPerHour},
    {"MBH", "", 1000},  // M is a thousand
    {"MBtu/hour", "MBtu/h", 1000},  // M is a thousand
    {"megajoule/second", "MJ/s", kMega / kBtuPerHour},
    {"megawatt", "MW", kMega / kBtuPerHour},
    {"microjoule/second", "µJ/s", kMicro / kBtuPerHour},
    {"microwatt", "µW", kMicro / kBtuPerHour},
    {"millijoule/second", "mJ/s", kMilli / kBtuPerHour},
    {"milliwatt", "mW", kMilli / kBtuPerHour},
    {"nanojoule/second", "nJ/s", kNano / kBtuPerHour},
    {"nanowatt", "nW", kNano / kBtuPerHour},
    {"petajoule/second", "PJ/s", kPeta / kBtuPerHour},
    {"petawatt", "PW", kPeta / kBtuPerHour},
    {"pferdestärke", "ps", kMetricHorsepower / kBtuPerHour},
    {"picojoule/second", "pJ/s", kPico / kBtuPerHour},
    {"picowatt", "pW", kPico / kBtuPerHour},
    {"foot pound-force/hour", "ft·lbf/h", kFoot * kPoundForce / kHour / kBtuPerHour},
    {"foot pound-force/minute", "ft·lbf/min", kFoot * kPoundForce / kMinute / kBtuPerHour},
    {"foot pound-force/second", "ft·lbf/s", kFoot * kPoundForce / kBtuPerHour},
    {"terajoule/second", "TJ/s", kTera / kBtuPerHour},
    {"terawatt", "TW", kTera / kBtuPerHour},
    {"ton (refrigeration)", " ", 12000},  // melting 2000 lb of ice a day: 12000 Btu/h
    {"watt", "W", 1 / kBtuPerHour},
});
// clang-format on

// "Temperature" converts by formula; its units are told apart by position.
// clang-format off
inline constexpr auto kTemperatureUnits = std::to_array<BuiltInUnit>({
    {"degree Celsius", "°C", 0},
    {"degree Fahrenheit", "°F", 0},
    {"Kelvin", "K", 0},
    {"degree Rankine", "°R", 0},
    {"degree Reaumur", "°r", 0},
});
// clang-format on

// "Thermal Conductance (buildings)" converts by formula; its units are told apart by position.
// clang-format off
inline constexpr auto kThermalConductanceBuildingsUnits = std::to_array<BuiltInUnit>({
    {"R-value (imperial)", "h·ft²·°F/Btu", 0},
    {"R-value (metric)", "m²·K/W", 0},
    {"U-value (imperial)", "Btu/(h·ft²·°F)", 0},
    {"U-value (metric)", "W/(m²·K)", 0},
});
// clang-format on

}  // namespace korvane::builtin
