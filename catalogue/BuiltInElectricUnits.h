#pragma once

// Built-in units: electric and magnetic quantities, light and radiation.
// Each factor is the size of the unit in the category's reference unit (factor 1).
// Bare decimal numbers are stated sizes of units that have no single published definition.
// Included only by BuiltInUnitTable.cpp.

#include <array>

#include "catalogue/BuiltInUnitDefinitions.h"
#include "catalogue/BuiltInUnitTable.h"

namespace korvane::builtin {

// "Capacitance" (reference unit: abfarad).
inline constexpr long double kAbfarad = kGiga;  // in farads
// clang-format off
inline constexpr auto kCapacitanceUnits = std::to_array<BuiltInUnit>({
    {"abfarad", "abF", 1},
    {"EMU of capacitance", " ", 1},
    {"ESU of capacitance", " ", 1 / (kEsuPerEmu * kEsuPerEmu)},
    {"farad", "F", 1 / kAbfarad},
    {"microfarad", "µF", kMicro / kAbfarad},
    {"picofarad", "pF", kPico / kAbfarad},
    {"statfarad", "stF", 1 / (kEsuPerEmu * kEsuPerEmu)},
});
// clang-format on

// "Charge" (reference unit: abcoulomb).
inline constexpr long double kAbcoulomb = 10;  // in coulombs
// clang-format off
inline constexpr auto kChargeUnits = std::to_array<BuiltInUnit>({
    {"abcoulomb", "abC", 1},
    {"ampere hour", "A·h", kHour / kAbcoulomb},
    {"ampere minute", "A·min", kMinute / kAbcoulomb},
    {"ampere second", "A·s", 1 / kAbcoulomb},
    {"coulomb", "C", 1 / kAbcoulomb},
    {"faraday", "F", kFaraday / kAbcoulomb},  // the charge of one mole of electrons
    {"franklin", "Fr", 1 / kEsuPerEmu},
    {"statcoulomb", "statC", 1 / kEsuPerEmu},
});
// clang-format on

// "Conductance" (reference unit: abmho).
inline constexpr long double kAbmho = kGiga;  // in siemens
// clang-format off
inline constexpr auto kConductanceUnits = std::to_array<BuiltInUnit>({
    {"abmho", " ", 1},
    {"gemmho", " ", kMicro / kAbmho},
    {"kilosiemen", "kS", kKilo / kAbmho},
    {"megasiemen", "MS", kMega / kAbmho},
    {"mho", " ", 1 / kAbmho},
    {"micromho", " ", kMicro / kAbmho},
    {"microsiemen", "µS", kMicro / kAbmho},
    {"millisiemen", "mS", kMilli / kAbmho},
    {"siemens", "S", 1 / kAbmho},
    {"statmho", " ", 1 / (kEsuPerEmu * kEsuPerEmu)},
});
// clang-format on

// "Current" (reference unit: abampere).
inline constexpr long double kAbampere = 10;  // in amperes
// clang-format off
inline constexpr auto kCurrentUnits = std::to_array<BuiltInUnit>({
    {"abampere", "abA", 1},
    {"ampere", "A", 1 / kAbampere},
    {"EMU of current", " ", 1},
    {"ESU of current", " ", 1 / kEsuPerEmu},
    {"gilbert", " ", 0.07957747},
    {"microampere", "µA", kMicro / kAbampere},
    {"milliampere", "mA", kMilli / kAbampere},
    {"statampere", "stA", 1 / kEsuPerEmu},
});
// clang-format on

// "Inductance" (reference unit: abhenry).
inline constexpr long double kAbhenry = kNano;  // in henries
// clang-format off
inline constexpr auto kInductanceUnits = std::to_array<BuiltInUnit>({
    {"abhenry", "abH", 1},
    {"attohenry", "aH", kAtto / kAbhenry},
    {"centihenry", "cH", kCenti / kAbhenry},
    {"decihenry", "dH", kDeci / kAbhenry},
    {"dekahenry", "daH", kDeka / kAbhenry},
    {"EMU of inductance", " ", 1},
    {"ESU of inductance", " ", kEsuPerEmu * kEsuPerEmu},
    {"exahenry", "EH", kExa / kAbhenry},
    {"femtohenry", "fH", kFemto / kAbhenry},
    {"gigahenry", "GH", kGiga / kAbhenry},
    {"hectohenry", "hH", kHecto / kAbhenry},
    {"henry", "H", 1 / kAbhenry},
    {"kilohenry", "kH", kKilo / kAbhenry},
    {"megahenry", "MH", kMega / kAbhenry},
    {"microhenry", "µH", kMicro / kAbhenry},
    {"millihenry", "mH", kMilli / kAbhenry},
    {"nanohenry", "nH", kNano / kAbhenry},
    {"petahenry", "PH", kPeta / kAbhenry},
    {"picohenry", "pH", kPico / kAbhenry},
    {"stathenry", "stH", kEsuPerEmu * kEsuPerEmu},
    {"terahenry", "TH", kTera / kAbhenry},
});
// clang-format on

// "Illumination" (reference unit: centimeter·candle).
inline constexpr long double kPhot = 1 / (kCentimeter * kCentimeter);  // in lux
// clang-format off
inline constexpr auto kIlluminationUnits = std::to_array<BuiltInUnit>({
    {"centimeter·candle", "cm·c", 1},
    {"flame", " ", 0.004305564167},
    {"lumen/centimeter²", "lm/cm²", 1},
    {"lumen/foot²", "lm/ft²", 1 / (kFoot * kFoot) / kPhot},
    {"lumen/meter²", "lm/m²", 1 / kPhot},
    {"lux", "lx", 1 / kPhot},
    {"meter candle", "m·c", 1 / kPhot},
    {"nox", " ", 1e-07},
    {"phot", "ph", 1},
});
// clang-format on

// "Radiation" (reference unit: attogray/second).
// clang-format off
inline constexpr auto kRadiationUnits = std::to_array<BuiltInUnit>({
    {"attogray/second", "aGy/s", 1},
    {"centigray/second", "cGy/s", kCenti / kAtto},
    {"decigray/second", "dGy/s", kDeci / kAtto},
    {"dekagray/second", "daGy/s", kDeka / kAtto},
    {"exagray/second", "EGy/s", kExa / kAtto},
    {"femtogray/second", "fGy/s", kFemto / kAtto},
    {"gigagray/second", "GGy/s", kGiga / kAtto},
    {"gray/second", "Gy/s", 1 / kAtto},
    {"hectogray/second", "hGy/s", kHecto / kAtto},
    {"joule/kilogram/second", "J/kg/s", 1 / kAtto},
    {"kilogray/second", "kGy/s", kKilo / kAtto},
    {"megagray/second", "MGy/s", kMega / kAtto},
    {"microgray/second", "µGy/s", kMicro / kAtto},
    {"milligray/second", "mGy/s", kMilli / kAtto},
    {"nanogray/second", "nGy/s", kNano / kAtto},
    {"petagray/second", "PGy/s", kPeta / kAtto},
    {"picogray/second", "pGy/s", kPico / kAtto},
    {"rad/second", "rd/s", kCenti / kAtto},
    {"teragray/second", "TGy/s", kTera / kAtto},
});
// clang-format on

// "Radiation Exposure" (reference unit: coulomb/kilogram).
// Dose units convert at fixed stated ratios, whatever the radiation.
// clang-format off
inline constexpr auto kRadiationExposureUnits = std::to_array<BuiltInUnit>({
    {"coulomb/kilogram", "C/kg", 1},
    {"microcoulomb/kilogram", "µC/kg", kMicro},
    {"millicoulomb/kilogram", "mC/kg", kMilli},
    {"millicurie of intensity hour", " ", 0.00216204},
    {"millirem", "mrem", 2.16204e-08},
    {"parker", "", 0.000258},
    {"rem", " ", 2.16204e-05},
    {"rep", " ", 0.000258},
    {"roentgen", "R", 0.000258},
    {"sievert", "Sv", 0.00216204},
    {"tissue roentgen", " ", 0.000258},
});
// clang-format on

}  // namespace korvane::builtin
