#pragma once

// Built-in units: angles, lengths, areas and volumes.
// Each factor is the size of the unit in the category's reference unit (factor 1).
// Bare decimal numbers are stated sizes of units that have no single published definition.
// Included only by BuiltInUnitTable.cpp.

#include <array>

#include "catalogue/BuiltInUnitDefinitions.h"
#include "catalogue/BuiltInUnitTable.h"

namespace korvane::builtin {

// "Angle" (reference unit: circle).
// clang-format off
inline constexpr auto kAngleUnits = std::to_array<BuiltInUnit>({
    {"circle", " ", 1},
    {"degree", "°", 1.0 / 360},
    {"gon", "gr", 0.0025},
    {"grade", "gr", 0.0025},
    {"mil", "µ", 0.00015625},  // a 6400th of a circle
    {"minute", "'", 1.0 / 21600},
    {"octant", " ", 1.0 / 8},
    {"point", " ", 0.03125},  // a 32nd of a circle, the compass point
    {"quadrant", " ", 1.0 / 4},
    {"radian", "rad", 1 / (2 * kPi)},
    {"revolution", "r", 1},
    {"right angle", " ", 1.0 / 4},
    {"second", "\"", 1.0 / 1296000},
    {"sign", " ", 1.0 / 12},
    {"sextant", " ", 1.0 / 6},
    {"turn", " ", 1},
});
// clang-format on

// "Angle (Solid)" (reference unit: square degree).
inline constexpr long double kSquareDegree = (kPi / 180) * (kPi / 180);  // in steradians
// clang-format off
inline constexpr auto kAngleSolidUnits = std::to_array<BuiltInUnit>({
    {"hemisphere", " ", 2 * kPi / kSquareDegree},
    {"square degree", " ", 1},
    {"square minute", " ", 1.0 / 3600},
    {"square second", " ", 1.0 / 12960000},
    {"steradian", " ", 1 / kSquareDegree},
    {"sphere", " ", 4 * kPi / kSquareDegree},
    {"spherical right angle", " ", kPi / 2 / kSquareDegree},  // an eighth of the sphere
});
// clang-format on

// "Area" (reference unit: acre).
// Flow of 1 cm³/s of a 1 cP fluid through 1 cm² under a gradient of 1 atm/cm.
inline constexpr long double kDarcy = kMilli * kCentimeter * kCentimeter / kAtmosphere;  // in m²
// clang-format off
inline constexpr auto kAreaUnits = std::to_array<BuiltInUnit>({
    {"acre", "ac", 1},
    {"barn", "b", 1e-28L / kAcre},
    {"centimeter²", "cm²", kCentimeter * kCentimeter / kAcre},
    {"darcy", " ", kDarcy / kAcre},
    {"foot²", "ft²", kFoot * kFoot / kAcre},
    {"hectare", "ha", kHecto * kHecto / kAcre},
    {"inch²", "in²", kInch * kInch / kAcre},
    {"kilometer²", "km²", kKilometer * kKilometer / kAcre},
    {"meter²", "m²", 1 / kAcre},
    {"mile²", "mi²", kMile * kMile / kAcre},
    {"millimeter²", "mm²", kMillimeter * kMillimeter / kAcre},
    {"rood", "ro", 1.0 / 4},
    {"section", " ", kMile * kMile / kAcre},
    {"square rod", " ", kRod * kRod / kAcre},
    {"square perch", " ", kRod * kRod / kAcre},
    {"sulung", " ", 200},
    {"township (US)", "twp", 36 * kMile * kMile / kAcre},  // 36 sections
    {"yard²", "yd²", kYard * kYard / kAcre},
});
// clang-format on

// "Distance" (reference unit: centimeter).
// clang-format off
inline constexpr auto kDistanceUnits = std::to_array<BuiltInUnit>({
    {"agate line", " ", kInch / 14 / kCentimeter},
    {"ångström", "Å", 1e-10L / kCentimeter},
    {"arm length", " ", 70},
    {"astronomical unit", "AU", kAstronomicalUnit / kCentimeter},
    {"atomic unit of length", "au", kBohrRadius / kCentimeter},
    {"bamboo", " ", 320},
    {"barleycorn", " ", kInch / 3 / kCentimeter},
    {"Bohr radius", "b", kBohrRadius / kCentimeter},
    {"bu (Japan)", " ", kShaku / 100 / kCentimeter},
    {"cable (int.)", " ", kNauticalMile / 10 / kCentimeter},
    {"cable (UK)", " ", 608 * kFoot / kCentimeter},  // a tenth of the Admiralty mile of 6080 ft
    {"cable (US)", " ", 720 * kFoot / kCentimeter},
    {"calibre", "cal", 2.54},
    {"centimeter", "cm", 1},
    {"chain (Gunter, Survey)", "ch", 66 * kFoot / kCentimeter},  // on the international foot
    {"chain (Ramsden, Engineer)", "ch", 100 * kFoot / kCentimeter},
    {"cho (Japan)", " ", 360 * kShaku / kCentimeter},
    {"cicero", " ", 12 * kPointDidot / kCentimeter},
    {"cubit", " ", 18 * kInch / kCentimeter},  // the English cubit
    {"decimeter", "dm", kDeci / kCentimeter},
    {"dekameter", "dam", kDeka / kCentimeter},
    {"ell (UK)", " ", 45 * kInch / kCentimeter},
    {"em (pica)", " ", kInch / 6 / kCentimeter},
    {"faden (German)", " ", 189.64656},
    {"fathom", "fm", 6 * kFoot / kCentimeter},
    {"fermi", "fm", kFemto / kCentimeter},
    {"finger", " ", 7 * kInch / 8 / kCentimeter},
    {"finger (cloth)", " ", 9 * kInch / 2 / kCentimeter},
    // Benoit's 1895 yard of 0.9143992 m (EPSG 9051)
    {"foot (Benoit)", "ft (Benoit)", 0.9143992L / 3 / kCentimeter},
    // Clarke's foot (EPSG 9005)
    {"foot (Clarke, Cape)", "ft (Clarke, Cape)", 0.3047972654L / kCentimeter},
    {"foot", "ft", kFoot / kCentimeter},
    {"foot (Indian)", "ft (Indian)", 12 / 39.370142L / kCentimeter},  // EPSG 9080
    {"foot (Sear)", "ft (Sear)", 12 / 39.370147L / kCentimeter},  // Sears' 1922 ratio (EPSG 9041)
    {"foot (US Survey)", "ft (US Survey)", kFootUsSurvey / kCentimeter},
    {"furlong", "fur", 660 * kFoot / kCentimeter},
    {"fuß (German)", " ", 31.60776},
    {"geographical mile", " ", 185379.36},
    {"hand", " ", 4 * kInch / kCentimeter},
    {"hectometer", "hm", kHecto / kCentimeter},
    {"inch", "in", kInch / kCentimeter},
    {"jo (Japan)", " ", 10 * kShaku / kCentimeter},
    {"ken (Japan)", " ", 6 * kShaku / kCentimeter},
    {"kilometer", "km", kKilometer / kCentimeter},
    {"klafter", " ", 189.64656},
    {"league", "lea", 3 * kMile / kCentimeter},
    {"league (nautical)", "lea (nautical)", 3 * kNauticalMile / kCentimeter},
    {"light day", " ", kSpeedOfLight * kDay / kCentimeter},
    {"light hour", " ", kSpeedOfLight * kHour / kCentimeter},
    {"light minute", " ", kSpeedOfLight * kMinute / kCentimeter},
    {"light second", " ", kSpeedOfLight / kCentimeter},
    {"light year", "ly", 9.460528405e+17},
    {"line", "li", kInch / 12 / kCentimeter},
    {"link (Gunter, Surveyor)", " ", 66 * kFoot / 100 / kCentimeter},
    {"link (Ramsden, Engineer)", " ", kFoot / kCentimeter},
    {"marathon", " ", 42195 / kCentimeter},
    {"megalithic yard", " ", 272 * kFoot / 100 / kCentimeter},  // Thom's 2.72 ft
    {"megameter", "Mm", kMega / kCentimeter},
    {"megaparsec", "Mpc", kMega * kParsec / kCentimeter},
    {"meile (German)", " ", 758586.24},
    {"meter", "m", kMeter / kCentimeter},
    {"mickey", " ", kInch / 200 / kCentimeter},
    {"microinch", "µin", kMicro * kInch / kCentimeter},
    {"micrometer", "µm", kMicro / kCentimeter},
    {"micron", "µ", kMicro / kCentimeter},
    {"mil", " ", kInch / 1000 / kCentimeter},
    {"mile", "mi", kMile / kCentimeter},
    {"mile (metric)", "mi (metric)", 1500 / kCentimeter},  // the 1500 m race
    {"millimeter", "mm", kMillimeter / kCentimeter},
    {"millimicron", "mµ", kNano / kCentimeter},
    {"milliparsec", "mpc", kMilli * kParsec / kCentimeter},
    {"mkono (Africa)", " ", 45.72},
    {"mo (Japan)", " ", kShaku / 10000 / kCentimeter},
    {"mondo point", " ", kMillimeter / kCentimeter},
    {"nail (cloth)", " ", 9 * kInch / 4 / kCentimeter},
    {"nanometer", "nm", kNano / kCentimeter},
    {"nautical mile", "NM, nmi", kNauticalMile / kCentimeter},
    {"parsec", "pc", kParsec / kCentimeter},
    {"pace", " ", 30 * kInch / kCentimeter},  // the English pace of 2.5 ft
    {"palm", " ", 3 * kInch / kCentimeter},
    {"perch", " ", kRod / kCentimeter},
    {"pica (ATA)", " ", 12 * kPointAta / kCentimeter},
    {"pica (PostScript)", " ", 12 * kPointPostScript / kCentimeter},
    {"pica (Tex)", " ", 12 * kPointTex / kCentimeter},
    {"picometer", "pm", kPico / kCentimeter},
    // the French foot of Quebec land titles
    {"pied (Canada)", " ", 12789 * kInch / 1000 / kCentimeter},
    {"point (ATA)", " ", kPointAta / kCentimeter},
    {"point (Didot, Europe)", " ", kPointDidot / kCentimeter},  // 1/864 of the French royal foot
    {"point (metric)", " ", 3 * kMillimeter / 8 / kCentimeter},
    {"point (PostScript)", " ", kPointPostScript / kCentimeter},
    {"point (Tex)", " ", kPointTex / kCentimeter},
    {"Planck", " ", kPlanckLength / kCentimeter},
    {"pole", " ", kRod / kCentimeter},
    {"siegbahn", " ", kXUnit / kCentimeter},
    {"ounce", " ", 7.62},
    {"span", " ", 15.24},
    {"span (cloth)", " ", 9 * kInch / kCentimeter},
    {"spat", "S", kTera / kCentimeter},
    {"twip", "twp", kPointPostScript / 20 / kCentimeter},
    {"x unit", "xu", kXUnit / kCentimeter},
    {"yard", "yd", kYard / kCentimeter},
});
// clang-format on

// "Volume" (reference unit: centimeter³).
// clang-format off
inline constexpr auto kVolumeUnits = std::to_array<BuiltInUnit>({
    {"acre-foot", "AF", kAcre * kFoot / kCubicCentimeter},
    {"acre-foot (US survey)", "AF",
     43560 * kFootUsSurvey * kFootUsSurvey * kFootUsSurvey / kCubicCentimeter},
    {"barrel (US liq.)", "bbl (US liq.)", 63 * kGallonUs / 2 / kCubicCentimeter},
    {"barrel (oil)", "bbl (oil)", 42 * kGallonUs / kCubicCentimeter},
    // the imperial beer barrel
    {"barrel (English)", "bbl (English)", 36 * kGallonUk / kCubicCentimeter},
    {"centimeter³", "cm³", 1},
    // the customary cup, not the 240 mL label cup
    {"cup", " ", 8 * kFluidOunceUs / kCubicCentimeter},
    {"drop (metric)", " ", 0.05},
    {"drop (U.S.) (alt)", "gtt", 0.064854231},
    {"drop (Imperial) (alt)", "gtt", 0.077886684},
    {"drop (U.S.)", "gtt", 0.082148693229},
    {"drop (medical)", " ", 0.083333333333},
    {"drop (Imperial)", "gtt", 0.098656467013},
    {"feet³", "ft³", kCubicFoot / kCubicCentimeter},
    {"gallon", "gal", kGallonUs / kCubicCentimeter},
    {"gallon (UK)", "gal (UK)", kGallonUk / kCubicCentimeter},
    {"inch³", "in³", kCubicInch / kCubicCentimeter},
    {"liter", "L", kLiter / kCubicCentimeter},
    {"meter³", "m³", 1 / kCubicCentimeter},
    {"milliliter", "mL", kMilli * kLiter / kCubicCentimeter},
    {"ounce", "fl oz", kFluidOunceUs / kCubicCentimeter},
    {"ounce (UK)", "fl oz (UK)", kFluidOunceUk / kCubicCentimeter},
    {"pint", "pt", kGallonUs / 8 / kCubicCentimeter},
    {"quart", "qt", kGallonUs / 4 / kCubicCentimeter},
    {"stere", "st", 1 / kCubicCentimeter},
    {"tablespoon", " ", kFluidOunceUs / 2 / kCubicCentimeter},
    {"teaspoon", " ", kFluidOunceUs / 6 / kCubicCentimeter},
    {"yard³", "yd³", kCubicYard / kCubicCentimeter},
});
// clang-format on

// "Volume (Dry)" (reference unit: barrel (US)).
// clang-format off
inline constexpr auto kVolumeDryUnits = std::to_array<BuiltInUnit>({
    {"barrel (US)", "bbl (US)", 1},
    {"bushel", "bu", kBushelUs / kBarrelUsDry},
    {"liter", "L", kLiter / kBarrelUsDry},
    {"peck", "pk", kBushelUs / 4 / kBarrelUsDry},
    {"pint", "pt", kBushelUs / 64 / kBarrelUsDry},
    {"quart", "qt", kBushelUs / 32 / kBarrelUsDry},
    {"gill (UK)", "gi (UK)", kGallonUk / 32 / kBarrelUsDry},
    // the liquid gill: there is no dry one
    {"gill (US)", "gi (US)", kGallonUs / 32 / kBarrelUsDry},
});
// clang-format on

}  // namespace korvane::builtin
