#pragma once

// Sizes of the units the built-in tables are built from, in SI units (meter, kilogram, second,
// joule, ...). They are long double so that a factor computed from several of them is rounded
// to double once, when it is stored, and so lands on the double nearest its defined size.
// Included only by the built-in unit tables.

#include <numbers>

namespace korvane::builtin {

inline constexpr long double kPi = std::numbers::pi_v<long double>;

// SI prefixes.
inline constexpr long double kYotta = 1e24L;
inline constexpr long double kZetta = 1e21L;
inline constexpr long double kExa = 1e18L;
inline constexpr long double kPeta = 1e15L;
inline constexpr long double kTera = 1e12L;
inline constexpr long double kGiga = 1e9L;
inline constexpr long double kMega = 1e6L;
inline constexpr long double kKilo = 1e3L;
inline constexpr long double kHecto = 1e2L;
inline constexpr long double kDeka = 1e1L;
inline constexpr long double kDeci = 1e-1L;
inline constexpr long double kCenti = 1e-2L;
inline constexpr long double kMilli = 1e-3L;
inline constexpr long double kMicro = 1e-6L;
inline constexpr long double kNano = 1e-9L;
inline constexpr long double kPico = 1e-12L;
inline constexpr long double kFemto = 1e-15L;
inline constexpr long double kAtto = 1e-18L;

// Length (meter).
inline constexpr long double kMeter = 1;
inline constexpr long double kCentimeter = kCenti;
inline constexpr long double kMillimeter = kMilli;
inline constexpr long double kKilometer = kKilo;
inline constexpr long double kInch = 0.0254L;
inline constexpr long double kFoot = 12 * kInch;
inline constexpr long double kYard = 3 * kFoot;
inline constexpr long double kMile = 5280 * kFoot;
inline constexpr long double kRod = 33 * kFoot / 2;
inline constexpr long double kNauticalMile = 1852;
inline constexpr long double kFootUsSurvey = 1200.0L / 3937;
inline constexpr long double kSpeedOfLight = 299792458;  // m/s
inline constexpr long double kAstronomicalUnit = 149597870700;
inline constexpr long double kParsec = kAstronomicalUnit * 648000 / kPi;
inline constexpr long double kBohrRadius = 5.29177210903e-11L;  // CODATA 2018
inline constexpr long double kPlanckLength = 1.616255e-35L;     // CODATA 2018
inline constexpr long double kXUnit = 1.00207697e-13L;          // copper x unit, CODATA 2018
inline constexpr long double kShaku = 10.0L / 33;               // Japanese foot, 1891 law
inline constexpr long double kPiedDuRoi = 9000.0L / 27706;      // French royal foot, 1799
inline constexpr long double kPointPostScript = kInch / 72;
inline constexpr long double kPointTex = kInch * 100 / 7227;       // 1/72.27 inch
inline constexpr long double kPointAta = 13837 * kInch / 1000000;  // 0.013837 inch
inline constexpr long double kPointDidot = kPiedDuRoi / 864;

// Area (square meter) and volume (cubic meter).
inline constexpr long double kAcre = 43560 * kFoot * kFoot;  // on the international foot
inline constexpr long double kCubicCentimeter = kCentimeter * kCentimeter * kCentimeter;
inline constexpr long double kCubicMillimeter = kMillimeter * kMillimeter * kMillimeter;
inline constexpr long double kCubicInch = kInch * kInch * kInch;
inline constexpr long double kCubicFoot = kFoot * kFoot * kFoot;
inline constexpr long double kCubicYard = kYard * kYard * kYard;
inline constexpr long double kLiter = kMilli;
inline constexpr long double kGallonUs = 231 * kCubicInch;
inline constexpr long double kGallonUk = 4.54609L * kLiter;
inline constexpr long double kFluidOunceUs = kGallonUs / 128;
inline constexpr long double kFluidOunceUk = kGallonUk / 160;
inline constexpr long double kBushelUs = 2150.42L * kCubicInch;
inline constexpr long double kBarrelUsDry = 7056 * kCubicInch;

// Time (second).
inline constexpr long double kMinute = 60;
inline constexpr long double kHour = 3600;
inline constexpr long double kDay = 86400;
inline constexpr long double kYear = 365 * kDay;  // "year" counts whole days, no leap day
inline constexpr long double kJulianYear = 1461 * kDay / 4;
inline constexpr long double kGregorianYear = 146097 * kDay / 400;
inline constexpr long double kSiderealDay = 86164.0905L;  // mean sidereal day (IERS)

// Mass (kilogram).
inline constexpr long double kGram = kMilli;
inline constexpr long double kMilligram = kMilli * kGram;
inline constexpr long double kPound = 0.45359237L;
inline constexpr long double kOunce = kPound / 16;
inline constexpr long double kGrain = kPound / 7000;  // 64.79891 mg
inline constexpr long double kTroyOunce = 480 * kGrain;
inline constexpr long double kShortTon = 2000 * kPound;
inline constexpr long double kLongTon = 2240 * kPound;

// Force (newton) and pressure (pascal).
inline constexpr long double kStandardGravity = 9.80665L;  // m/s²
inline constexpr long double kDyne = 1e-5L;
inline constexpr long double kGramForce = kGram * kStandardGravity;
inline constexpr long double kKilogramForce = kStandardGravity;
inline constexpr long double kPoundForce = kPound * kStandardGravity;
inline constexpr long double kPoundal = kPound * kFoot;  // 1 lb accelerated at 1 ft/s²
inline constexpr long double kSlug = kPoundForce / kFoot;
inline constexpr long double kAtmosphere = 101325;
inline constexpr long double kBar = 1e5L;
inline constexpr long double kTorr = kAtmosphere / 760;
// Conventional mercury column: 13.5951 g/cm³ under standard gravity.
inline constexpr long double kMillimeterOfMercury = 13595.1L * kStandardGravity * kMillimeter;

// Energy (joule) and power (watt).
inline constexpr long double kErg = 1e-7L;
inline constexpr long double kCalorieIt = 4.1868L;
inline constexpr long double kCalorieTh = 4.184L;
// A Btu heats one pound of water by 1 °F as a calorie heats one gram by 1 °C.
inline constexpr long double kBtuIt = kCalorieIt * (kPound / kGram) * 5 / 9;  // 1055.05585262 J
inline constexpr long double kBtuTh = kCalorieTh * (kPound / kGram) * 5 / 9;
inline constexpr long double kWattHour = kHour;
inline constexpr long double kElectronvolt = 1.602176634e-19L;
inline constexpr long double kHorsepower = 550 * kFoot * kPoundForce;  // per second
inline constexpr long double kMetricHorsepower = 75 * kKilogramForce;  // meter per second

// Electromagnetic CGS units: the speed of light in centimeters per second is the number of
// electrostatic units in one electromagnetic unit of charge and current.
inline constexpr long double kEsuPerEmu = kSpeedOfLight / kCentimeter;
inline constexpr long double kFaraday = 6.02214076e23L * 1.602176634e-19L;  // N_A · e, coulomb

// The factors of "Data" from zetta downwards are powers of two.
constexpr double PowerOfTwo(int exponent) {
    double value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 2;
    return value;
}

}  // namespace korvane::builtin
