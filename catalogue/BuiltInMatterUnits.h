#pragma once

// Built-in units: mass, amount of substance, force and the properties of materials.
// Each factor is the size of the unit in the category's reference unit (factor 1).
// Bare decimal numbers are stated sizes of units that have no single published definition.
// Included only by BuiltInUnitTable.cpp.

#include <array>

#include "catalogue/BuiltInUnitDefinitions.h"
#include "catalogue/BuiltInUnitTable.h"

namespace korvane::builtin {

// "Amount of Substance" (reference unit: mole).
// clang-format off
inline constexpr auto kAmountOfSubstanceUnits = std::to_array<BuiltInUnit>({
    {"kilomole", "kmol", kKilo},
    {"micromole", "µmol", kMicro},
    {"millimole", "mmol", kMilli},
    {"mole", "mol", 1},
});
// clang-format on

// "Concentration (Liquid)" (reference unit: grain/gallon (UK)).
inline constexpr long double kGrainPerGallonUk = kGrain / kGallonUk;  // in kg/m³
// clang-format off
inline constexpr auto kConcentrationLiquidUnits = std::to_array<BuiltInUnit>({
    {"grain/gallon (UK)", "gr/gal (UK)", 1},
    {"grain/gallon (US)", "gr/gal (US)", kGrain / kGallonUs / kGrainPerGallonUk},
    {"gram/liter", "g/L", kGram / kLiter / kGrainPerGallonUk},
    {"kilogram/liter", "kg/L", 1 / kLiter / kGrainPerGallonUk},
    {"milligram/liter", "mg/L", kMilligram / kLiter / kGrainPerGallonUk},
    // by mass, in water of 1 kg/L
    {"part/million", "ppm", kMilligram / kLiter / kGrainPerGallonUk},
    {"pound/foot³", "lb/ft³", kPound / kCubicFoot / kGrainPerGallonUk},
    {"pound/gallon (UK)", "lb/gal (UK)", kPound / kGallonUk / kGrainPerGallonUk},
    {"pound/gallon (US)", "lb/gal (US)", kPound / kGallonUs / kGrainPerGallonUk},
    {"pound/million gallon (UK)", "lb/10^6 gal (UK)",
     kPound / (kMega * kGallonUk) / kGrainPerGallonUk},
    {"pound/million gallon (US)", "lb/10^6 gal (US)",
     kPound / (kMega * kGallonUs) / kGrainPerGallonUk},
});
// clang-format on

// "Concentration (Molar)" (reference unit: kilomole/centimeter³).
inline constexpr long double kKilomolePerCubicCentimeter = kKilo / kCubicCentimeter;  // in mol/m³
// clang-format off
inline constexpr auto kConcentrationMolarUnits = std::to_array<BuiltInUnit>({
    {"kilomole/centimeter³", "kmol/cm³", 1},
    {"kilomole/meter³", "kmol/m³", kKilo / kKilomolePerCubicCentimeter},
    {"kilomole/millimeter³", "kmol/mm³", kKilo / kCubicMillimeter / kKilomolePerCubicCentimeter},
    {"kilomole/liter", "kmol/L", kKilo / kLiter / kKilomolePerCubicCentimeter},
    {"millimole/centimeter³", "mmol/cm³", kMilli / kCubicCentimeter / kKilomolePerCubicCentimeter},
    {"millimole/meter³", "mmol/m³", kMilli / kKilomolePerCubicCentimeter},
    {"millimole/millimeter³", "mmol/mm³", kMilli / kCubicMillimeter / kKilomolePerCubicCentimeter},
    {"millimole/liter", "mmol/L", kMilli / kLiter / kKilomolePerCubicCentimeter},
    {"mole/centimeter³", "mol/cm³", 1 / kCubicCentimeter / kKilomolePerCubicCentimeter},
    {"mole/liter", "mol/L", 1 / kLiter / kKilomolePerCubicCentimeter},
    {"mole/meter³", "mol/m³", 1 / kKilomolePerCubicCentimeter},
    {"mole/millimeter³", "mol/mm³", 1 / kCubicMillimeter / kKilomolePerCubicCentimeter},
});
// clang-format on

// "Density" (reference unit: gram/centimeter³).
inline constexpr long double kGramPerCubicCentimeter = kGram / kCubicCentimeter;  // in kg/m³
// clang-format off
inline constexpr auto kDensityUnits = std::to_array<BuiltInUnit>({
    {"grain/gallon (US)", "gr/gal (US)", kGrain / kGallonUs / kGramPerCubicCentimeter},
    {"gram/centimeter³", "g/cm³", 1},
    {"gram/liter", "g/L", kGram / kLiter / kGramPerCubicCentimeter},
    {"gram/meter³", "g/m³", kGram / kGramPerCubicCentimeter},
    {"kilogram/meter³", "kg/m³", 1 / kGramPerCubicCentimeter},
    {"kilogram/liter", "kg/L", 1 / kLiter / kGramPerCubicCentimeter},
    {"milligram/meter³", "mg/m³", kMilligram / kGramPerCubicCentimeter},
    {"ounce/gallon", "oz/gal", kOunce / kGallonUs / kGramPerCubicCentimeter},
    {"pound/foot³", "lb/ft³", kPound / kCubicFoot / kGramPerCubicCentimeter},
    {"pound/gallon (UK)", "lb/gal (UK)", kPound / kGallonUk / kGramPerCubicCentimeter},
    {"pound/gallon (US)", "lb/gal (US)", kPound / kGallonUs / kGramPerCubicCentimeter},
    {"pound/inch³", "lb/in³", kPound / kCubicInch / kGramPerCubicCentimeter},
    {"pound/yard³", "lb/yd³", kPound / kCubicYard / kGramPerCubicCentimeter},
    {"slug/foot³", "slug/ft³", kSlug / kCubicFoot / kGramPerCubicCentimeter},
    {"ton/yard³", "t/yd³", kShortTon / kCubicYard / kGramPerCubicCentimeter},
});
// clang-format on

// "Force" (reference unit: dyne).
// clang-format off
inline constexpr auto kForceUnits = std::to_array<BuiltInUnit>({
    {"dyne", "dyn", 1},
    {"gram-force", "gf", kGramForce / kDyne},
    {"joule/centimeter", "J/cm", 1 / kCentimeter / kDyne},
    {"joule/meter", "J/m", 1 / kDyne},
    {"kilogram-force", "kgf", kKilogramForce / kDyne},
    {"kilonewton", "kN", kKilo / kDyne},
    {"kip", "kip", kKilo * kPoundForce / kDyne},
    {"millinewton", "mN", kMilli / kDyne},
    {"newton", "N", 1 / kDyne},
    {"ounce-force", "ozf", kPoundForce / 16 / kDyne},
    {"pound-force", "lbf", kPoundForce / kDyne},
    {"poundal", "pdl", kPoundal / kDyne},
    {"ton-force (2000 lbf)", "tf (2000 lbf)", 2000 * kPoundForce / kDyne},
});
// clang-format on

// "Mass" (reference unit: gram).
// clang-format off
inline constexpr auto kMassUnits = std::to_array<BuiltInUnit>({
    {"carat", "kt", 200 * kMilligram / kGram},  // the metric carat
    {"grain", "gr", kGrain / kGram},
    {"gram", "g", 1},
    {"kilogram", "kg", kKilo},
    {"microgram", "µg", kMicro},
    {"milligram", "mg", kMilli},
    {"ounce", "oz", kOunce / kGram},
    {"ounce(troy)", "oz (tr)", kTroyOunce / kGram},
    {"pennyweight", "dwt", 24 * kGrain / kGram},
    {"pound", "lb", kPound / kGram},
    {"pound(troy)", "lb (tr)", 12 * kTroyOunce / kGram},
    {"stone", "st", 14 * kPound / kGram},
    {"ton", " ", kShortTon / kGram},
    {"ton(long)", " ", kLongTon / kGram},
    {"ton(metric)", "t", kMega},
});
// clang-format on

// "Pressure" (reference unit: atmosphere).
// clang-format off
inline constexpr auto kPressureUnits = std::to_array<BuiltInUnit>({
    {"atmosphere", "atm", 1},
    {"bar", " ", kBar / kAtmosphere},
    {"centimeter of mercury", "cmHg", 10 * kMillimeterOfMercury / kAtmosphere},
    {"dyne/centimeter²", "dyn/cm²", kDyne / (kCentimeter * kCentimeter) / kAtmosphere},
    {"hectopascal", "hPa", kHecto / kAtmosphere},
    {"inch of Mercury", "inHg", kMillimeterOfMercury * kInch / kMillimeter / kAtmosphere},
    {"kilogram/centimeter²", "kg/cm²", kKilogramForce / (kCentimeter * kCentimeter) / kAtmosphere},
    {"kilogram/meter²", "kg/m²", kKilogramForce / kAtmosphere},
    {"kilopascal", "kPa", kKilo / kAtmosphere},
    {"megapascal", "MPa", kMega / kAtmosphere},
    {"microbar", "µbar", kMicro * kBar / kAtmosphere},
    {"millibar", "mbar", kMilli * kBar / kAtmosphere},
    {"millimeter of mercury", "mmHg", kMillimeterOfMercury / kAtmosphere},
    {"newton/meter²", "N/m²", 1 / kAtmosphere},
    {"newton/mm²", "N/mm²", 1 / (kMillimeter * kMillimeter) / kAtmosphere},
    {"pascal", "Pa", 1 / kAtmosphere},
    {"pound-force/foot²", "lbf/ft²", kPoundForce / (kFoot * kFoot) / kAtmosphere},
    {"pound-force/inch²", "lbf/in²", kPoundForce / (kInch * kInch) / kAtmosphere},
    {"psi", "psi", kPoundForce / (kInch * kInch) / kAtmosphere},
    {"ton-force/foot²", "tf/ft²", 2000 * kPoundForce / (kFoot * kFoot) / kAtmosphere},
    {"ton-force/inch²", "tf/in²", 2000 * kPoundForce / (kInch * kInch) / kAtmosphere},
    {"torr", "torr", kTorr / kAtmosphere},
});
// clang-format on

// "Surface Tension" (reference unit: dyne/centimeter).
inline constexpr long double kDynePerCentimeter = kDyne / kCentimeter;  // in N/m
// clang-format off
inline constexpr auto kSurfaceTensionUnits = std::to_array<BuiltInUnit>({
    {"dyne/centimeter", "dyn/cm", 1},
    {"erg/centimeter²", "erg/cm²", kErg / (kCentimeter * kCentimeter) / kDynePerCentimeter},
    {"erg/millimeter²", "erg/mm²", kErg / (kMillimeter * kMillimeter) / kDynePerCentimeter},
    {"gram-force/centimeter", "gf/cm²", kGramForce / kCentimeter / kDynePerCentimeter},
    {"gram/second²", "g/s²", kGram / kDynePerCentimeter},
    {"joule/meter²", "J/m²", 1 / kDynePerCentimeter},
    {"kilogram/second²", "kg/s²", 1 / kDynePerCentimeter},
    {"pound-force/foot", "lbf/ft", kPoundForce / kFoot / kDynePerCentimeter},
    {"pound-force/inch", "lbf/in", kPoundForce / kInch / kDynePerCentimeter},
    {"poundal/inch", "pdl/in", kPoundal / kInch / kDynePerCentimeter},
    {"newton/meter", "N/m", 1 / kDynePerCentimeter},
});
// clang-format on

// "Torque" (reference unit: newton meter).
// clang-format off
inline constexpr auto kTorqueUnits = std::to_array<BuiltInUnit>({
    {"dyne centimeter", "dyn·cm", kDyne * kCentimeter},
    {"gram-force centimeter", "gf·cm", kGramForce * kCentimeter},
    {"kilogram-force meter", "kgf·m", kKilogramForce},
    {"kilonewton meter", "kN·m", kKilo},
    {"kilopond meter", "kp·m", kKilogramForce},
    {"meganewton meter", "MN·m", kMega},
    {"micronewton meter", "µN·m", kMicro},
    {"millinewton meter", "mN·m", kMilli},
    {"newton meter", "N·m", 1},
    {"ounce-force foot", "ozf·ft", kPoundForce / 16 * kFoot},
    {"ounce-force inch", "ozf·in", kPoundForce / 16 * kInch},
    {"pound-force foot", "lbf·ft", kPoundForce * kFoot},
    {"pound-force inch", "lbf·in", kPoundForce * kInch},
});
// clang-format on

// "Viscosity (Dynamic)" (reference unit: centipoise).
inline constexpr long double kCentipoise = kMilli;  // in Pa·s
inline constexpr long double kPoise = kDeci;        // in Pa·s
inline constexpr long double kHyl =
    kStandardGravity;  // in kg: the mass 1 kgf accelerates at 1 m/s²
// clang-format off
inline constexpr auto kViscosityDynamicUnits = std::to_array<BuiltInUnit>({
    {"centipoise", "cP", 1},
    {"decipoise", "dP", kDeci * kPoise / kCentipoise},
    {"dyne second/centimeter²", "dyn·s/cm²", kDyne / (kCentimeter * kCentimeter) / kCentipoise},
    {"gram-force·second/centimeter²", "gf·s/cm²",
     kGramForce / (kCentimeter * kCentimeter) / kCentipoise},
    {"gram/centimeter·second", "g/cm·s", kGram / kCentimeter / kCentipoise},
    {"hyl/meter·second", "hyl/m·s", kHyl / kCentipoise},
    {"kilogram-force·second/meter²", "kgf·s/m²", kKilogramForce / kCentipoise},
    {"kilogram/meter·hour", "kg/m·h", 1 / kHour / kCentipoise},
    {"kilogram/meter·second", "kg/m·s", 1 / kCentipoise},
    {"millipascal·second", "mPa·s", kMilli / kCentipoise},
    {"millipoise", "mP", kMilli * kPoise / kCentipoise},
    {"newton·second/meter²", "N·s/m²", 1 / kCentipoise},
    {"pascal·second", "Pa·s", 1 / kCentipoise},
    {"poise", "P", kPoise / kCentipoise},
    {"poiseuille", " ", 1 / kCentipoise},
    {"pound-force·second/foot²", "lbf·s/ft²", kPoundForce / (kFoot * kFoot) / kCentipoise},
    {"pound-force·second/inch²", "lbf·s/in²", kPoundForce / (kInch * kInch) / kCentipoise},
    {"pound/foot·hour", "lb/ft·h", kPound / kFoot / kHour / kCentipoise},
    {"pound/foot·second", "lb/ft·s", kPound / kFoot / kCentipoise},
    {"poundal·hour/foot²", "pdl·h/ft²", kPoundal * kHour / (kFoot * kFoot) / kCentipoise},
    {"poundal·second/foot²", "pdl·s/ft²", kPoundal / (kFoot * kFoot) / kCentipoise},
    {"reyn", " ", kPoundForce / (kInch * kInch) / kCentipoise},
    {"slug/foot·second", "slug/ft·s", kSlug / kFoot / kCentipoise},
});
// clang-format on

// "Viscosity (Kinematic)" (reference unit: meter²/second).
inline constexpr long double kStokes = kCentimeter * kCentimeter;  // in m²/s
// clang-format off
inline constexpr auto kViscosityKinematicUnits = std::to_array<BuiltInUnit>({
    {"centistokes", "cSt", kCenti * kStokes},
    {"meter²/second", "m²/s", 1},
    {"foot²/second", "ft²/s", kFoot * kFoot},
    {"stokes", "St", kStokes},
});
// clang-format on

}  // namespace korvane::builtin
