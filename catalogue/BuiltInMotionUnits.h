#pragma once

// Built-in units: time and the rates of motion and flow.
// Each factor is the size of the unit in the category's reference unit (factor 1).
// Bare decimal numbers are stated sizes of units that have no single published definition.
// Included only by BuiltInUnitTable.cpp.

#include <array>

#include "catalogue/BuiltInUnitDefinitions.h"
#include "catalogue/BuiltInUnitTable.h"

namespace korvane::builtin {

// "Acceleration" (reference unit: centimeter/second²).
inline constexpr long double kGal = kCentimeter;  // in m/s²
// clang-format off
inline constexpr auto kAccelerationUnits = std::to_array<BuiltInUnit>({
    {"centimeter/second²", "cm/s²", 1},
    {"foot/second²", "ft/s²", kFoot / kGal},
    {"free fall", "g", kStandardGravity / kGal},
    {"galileo", "Gal", 1},
    {"inch/second²", "in/s²", kInch / kGal},
    {"kilometer/hour·second", "km/h·s", kKilometer / kHour / kGal},
    {"meter/second²", "m/s²", kMeter / kGal},
    {"mile/hour·minute", "mi/h·min", kMile / kHour / kMinute / kGal},
    {"mile/hour·second", "mi/h·s", kMile / kHour / kGal},
    {"yard/second²", "yd/s²", kYard / kGal},
});
// clang-format on

// "Angular Velocity" (reference unit: radian/day).
inline constexpr long double kDegree = kPi / 180;  // in radians
// clang-format off
inline constexpr auto kAngularVelocityUnits = std::to_array<BuiltInUnit>({
    {"degree/day", "°/d", kDegree},
    {"degree/hour", "°/h", kDegree * kDay / kHour},
    {"degree/minute", "°/min", kDegree * kDay / kMinute},
    {"degree/second", "°/s", kDegree * kDay},
    {"radian/day", "rad/d", 1},
    {"radian/hour", "rad/h", kDay / kHour},
    {"radian/minute", "rad/min", kDay / kMinute},
    {"radian/second", "rad/s", kDay},
    {"revolution/day", "r/d", 2 * kPi},
    {"revolution/hour", "r/h", 2 * kPi * kDay / kHour},
    {"revolution/minute", "r/min", 2 * kPi * kDay / kMinute},
    {"revolution/second", "r/s", 2 * kPi * kDay},
});
// clang-format on

// "Flow" (reference unit: centimeter³/hour).
inline constexpr long double kCubicCentimeterPerHour = kCubicCentimeter / kHour;  // in m³/s
// clang-format off
inline constexpr auto kFlowUnits = std::to_array<BuiltInUnit>({
    {"centimeter³/hour", "cm³/h", 1},
    {"centimeter³/minute", "cm³/min", kCubicCentimeter / kMinute / kCubicCentimeterPerHour},
    {"centimeter³/second", "cm³/s", kCubicCentimeter / kCubicCentimeterPerHour},
    {"foot³/hour", "ft³/h", kCubicFoot / kHour / kCubicCentimeterPerHour},
    {"foot³/minute", "ft³/min", kCubicFoot / kMinute / kCubicCentimeterPerHour},
    {"foot³/second", "ft³/s", kCubicFoot / kCubicCentimeterPerHour},
    {"gallon/day(UK)", "gal/d (UK)", kGallonUk / kDay / kCubicCentimeterPerHour},
    {"gallon/hour (UK)", "gal/h (UK)", kGallonUk / kHour / kCubicCentimeterPerHour},
    {"gallon/minute (UK)", "gal/min (UK)", kGallonUk / kMinute / kCubicCentimeterPerHour},
    {"gallon/second (UK)", "gal/s (UK)", kGallonUk / kCubicCentimeterPerHour},
    {"gallon/day", "gal/d", kGallonUs / kDay / kCubicCentimeterPerHour},
    {"gallon/hour", "gal/h", kGallonUs / kHour / kCubicCentimeterPerHour},
    {"gallon/minute", "gal/min", kGallonUs / kMinute / kCubicCentimeterPerHour},
    {"gallon/second", "gal/s", kGallonUs / kCubicCentimeterPerHour},
    {"liter/day", "L/d", kLiter / kDay / kCubicCentimeterPerHour},
    {"liter/hour", "L/h", kLiter / kHour / kCubicCentimeterPerHour},
    {"liter/minute", "L/min", kLiter / kMinute / kCubicCentimeterPerHour},
    {"liter/second", "L/s", kLiter / kCubicCentimeterPerHour},
    {"megaliter/day", "ML/d", kMega * kLiter / kDay / kCubicCentimeterPerHour},
    {"meter³/day", "m³/d", 1 / kDay / kCubicCentimeterPerHour},
    {"meter³/hour", "m³/h", 1 / kHour / kCubicCentimeterPerHour},
    {"meter³/minute", "m³/min", 1 / kMinute / kCubicCentimeterPerHour},
    {"meter³/second", "m³/s", 1 / kCubicCentimeterPerHour},
    {"million gallon/day", "10^6 g/d", kMega * kGallonUs / kDay / kCubicCentimeterPerHour},
    {"milliliter/hour", "mL/h", 1},
    {"milliliter/minute", "mL/min", kMilli * kLiter / kMinute / kCubicCentimeterPerHour},
    {"milliliter/second", "mL/s", kMilli * kLiter / kCubicCentimeterPerHour},
    {"ounce/hour (UK)", "oz/h (UK)", kFluidOunceUk / kHour / kCubicCentimeterPerHour},
    {"ounce/minute (UK)", "oz/min (UK)", kFluidOunceUk / kMinute / kCubicCentimeterPerHour},
    {"ounce/second (UK)", "oz/s (UK)", kFluidOunceUk / kCubicCentimeterPerHour},
    {"ounce/hour", "oz/h", kFluidOunceUs / kHour / kCubicCentimeterPerHour},
    {"ounce/minute", "oz/min", kFluidOunceUs / kMinute / kCubicCentimeterPerHour},
    {"ounce/second", "oz/s", kFluidOunceUs / kCubicCentimeterPerHour},
    {"yard³/hour", "yd³/h", kCubicYard / kHour / kCubicCentimeterPerHour},
    {"yard³/minute", "yd³/min", kCubicYard / kMinute / kCubicCentimeterPerHour},
    {"yard³/second", "yd³/s", kCubicYard / kCubicCentimeterPerHour},
});
// clang-format on

// "Fuel Consumption" (reference unit: kilometer/liter).
inline constexpr long double kKilometerPerLiter = kKilometer / kLiter;  // in m/m³
// clang-format off
inline constexpr auto kFuelConsumptionUnits = std::to_array<BuiltInUnit>({
    {"kilometer/gallon(UK)", "km/gal (UK)", kKilometer / kGallonUk / kKilometerPerLiter},
    {"kilometer/gallon(US)", "km/gal (US)", kKilometer / kGallonUs / kKilometerPerLiter},
    {"kilometer/liter", "km/L", 1},
    {"meter/gallon (US)", "m/gal (US)", 1 / kGallonUs / kKilometerPerLiter},
    {"meter/gallon (UK)", "m/gal (UK)", 1 / kGallonUk / kKilometerPerLiter},
    {"meter/liter", "m/L", 1 / kLiter / kKilometerPerLiter},
    {"mile/gallon(US)", "mi/gal (US)", kMile / kGallonUs / kKilometerPerLiter},
    {"mile/gallon(UK)", "mi/gal (UK)", kMile / kGallonUk / kKilometerPerLiter},
    {"mile/liter", "mi/L", kMile / kLiter / kKilometerPerLiter},
    {"nautical mile/gallon (UK)", "nmi/gal (UK)", kNauticalMile / kGallonUk / kKilometerPerLiter},
    {"nautical mile/gallon (US)", "nmi/gal (US)", kNauticalMile / kGallonUs / kKilometerPerLiter},
    {"nautical mile/liter", "nmi/L", kNauticalMile / kLiter / kKilometerPerLiter},
});
// clang-format on

// "Time" (reference unit: second).
// clang-format off
inline constexpr auto kTimeUnits = std::to_array<BuiltInUnit>({
    {"atomic unit of time", "au", 2.4188843265857e-17},  // CODATA 2018
    {"attosecond", "as", kAtto},
    {"Callippic cycle", " ", 27759 * kDay},  // 76 Julian years
    {"century", " ", 100 * kYear},
    {"century (Julian)", " ", 100 * kJulianYear},
    {"day", "d", kDay},
    {"day (sidereal)", "d (sidereal)", kSiderealDay},
    {"decade", " ", 10 * kYear},
    {"enneadecaeteris", " ", 6940 * kDay},  // 19 years, as the Metonic cycle
    {"femtosecond", "fs", kFemto},
    {"fortnight", " ", 14 * kDay},
    {"helek", " ", 10.0 / 3},
    {"Hipparchic cycle", " ", 111035 * kDay},  // 4 Callippic cycles less one day
    {"hour", "h", kHour},
    {"hour (sidereal)", "h (sidereal)", kSiderealDay / 24},
    {"jiffy", " ", 1.0 / 60},
    {"jiffy (alternate)", " ", 0.01},
    {"lustre", " ", 5 * kYear},
    {"lustrum", " ", 5 * kYear},
    {"Metonic cycle", " ", 6940 * kDay},  // 235 lunar months
    {"microsecond", "µs", kMicro},
    {"millennium", " ", 1000 * kYear},
    {"millennium (Gregorian)", " ", 1000 * kGregorianYear},
    {"millennium (Julian)", " ", 1000 * kJulianYear},
    {"millisecond", "ms", kMilli},
    {"minute", "min", kMinute},
    {"minute (sidereal)", "min (sidereal)", kSiderealDay / 1440},
    {"month (30 days)", " ", 30 * kDay},
    {"month (hollow)", " ", 29 * kDay},
    {"moment", " ", 90},
    {"nanosecond", "ns", kNano},
    {"octaeteris", " ", 2922 * kDay},  // 8 Julian years
    {"picosecond", "ps", kPico},
    {"Planck time", " ", 1.351211818e-43},
    {"second", "s", 1},
    {"second (sidereal)", "s (sidereal)", kSiderealDay / kDay},
    {"shake", " ", 10 * kNano},
    {"sigma", " ", kMicro},
    {"Sothic cycle", " ", 1461 * kYear},  // 1461 Egyptian years of 365 days
    {"svedberg", "S", 100 * kFemto},
    {"week", "wk", 7 * kDay},
    {"year", " ", kYear},
    {"year (365 days)", " ", kYear},
    {"year (Gregorian)", " ", kGregorianYear},
    {"year (Julian)", " ", kJulianYear},
    {"year (leap)", " ", 366 * kDay},
    {"year (sidereal)", " ", 365.256363004L * kDay},  // J2000
    // the tropical year 1900 that defined the ephemeris second
    {"year (tropical)", " ", 31556925.9747},
});
// clang-format on

// "Velocity" (reference unit: centimeter/hour).
inline constexpr long double kCentimeterPerHour = kCentimeter / kHour;  // in m/s
// clang-format off
inline constexpr auto kVelocityUnits = std::to_array<BuiltInUnit>({
    {"c", " ", kSpeedOfLight / kCentimeterPerHour},
    {"centimeter/hour", "cm/h", 1},
    {"centimeter/minute", "cm/min", kCentimeter / kMinute / kCentimeterPerHour},
    {"centimeter/second", "cm/s", kCentimeter / kCentimeterPerHour},
    {"feet/hour", "ft/h", kFoot / kHour / kCentimeterPerHour},
    {"feet/minute", "ft/min", kFoot / kMinute / kCentimeterPerHour},
    {"feet/second", "ft/s", kFoot / kCentimeterPerHour},
    {"kilometer/hour", "km/h", kKilometer / kHour / kCentimeterPerHour},
    {"kilometer/minute", "km/min", kKilometer / kMinute / kCentimeterPerHour},
    {"kilometer/second", "km/s", kKilometer / kCentimeterPerHour},
    {"knot", "kn", kNauticalMile / kHour / kCentimeterPerHour},
    {"mach", "M", 119325600},
    {"meter/hour", "m/h", 1 / kHour / kCentimeterPerHour},
    {"meter/minute", "m/min", 1 / kMinute / kCentimeterPerHour},
    {"meter/second", "m/s", 1 / kCentimeterPerHour},
    {"mile/hour", "mi/h", kMile / kHour / kCentimeterPerHour},
    {"mile/minute", "mi/min", kMile / kMinute / kCentimeterPerHour},
    {"mile/second", "mi/s", kMile / kCentimeterPerHour},
});
// clang-format on

}  // namespace korvane::builtin
