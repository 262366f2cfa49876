#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

struct ExpectedCategory {
    std::string_view name;
    int units;
    bool visible;
    // Units whose factor is exactly 1; none for the categories converted by formula.
    std::vector<std::string_view> references;
};

const std::vector<ExpectedCategory>& ExpectedCategories() {
    static const std::vector<ExpectedCategory> categories = {
        {"Acceleration", 10, true, {"centimeter/second²", "galileo"}},
        {"Amount of Substance", 4, false, {"mole"}},
        {"Angle", 16, true, {"circle", "revolution", "turn"}},
        {"Angle (Solid)", 7, false, {"square degree"}},
        {"Angular Velocity", 12, false, {"radian/day"}},
        {"Area", 18, true, {"acre"}},
        {"Capacitance", 7, false, {"abfarad", "EMU of capacitance"}},
        {"Charge", 8, true, {"abcoulomb"}},
        {"Concentration (Liquid)", 11, false, {"grain/gallon (UK)"}},
        {"Concentration (Molar)", 12, false, {"kilomole/centimeter³", "mole/millimeter³"}},
        {"Conductance", 10, true, {"abmho"}},
        {"Current", 8, true, {"abampere", "EMU of current"}},
        {"Data", 31, true, {"bit"}},
        {"Data Transfer", 169, true, {"bit/second"}},
        {"Density", 15, true, {"gram/centimeter³", "kilogram/liter"}},
        {"Distance", 100, true, {"centimeter"}},
        {"Energy", 27, true, {"joule", "watt second"}},
        {"Enthalpy (Mass)", 5, false, {"kilojoule/kilogram"}},
        {"Enthalpy (Molar)", 7, false, {"joule/mole"}},
        {"Enthalpy (Volume)", 5, false, {"megajoule/meter³"}},
        {"Flow", 36, false, {"centimeter³/hour", "milliliter/hour"}},
        {"Force", 13, true, {"dyne"}},
        {"Fuel Consumption", 12, true, {"kilometer/liter"}},
        {"Illumination", 9, false, {"centimeter·candle", "lumen/centimeter²", "phot"}},
        {"Inductance", 21, false, {"abhenry", "EMU of inductance", "nanohenry"}},
        {"Mass", 15, true, {"gram"}},
        {"Numbers", 35, true, {}},
        {"Power", 70, true, {"Btu/hour (int.)"}},
        {"Pressure", 22, true, {"atmosphere"}},
        {"Radiation", 19, false, {"attogray/second"}},
        {"Radiation Exposure", 11, false, {"coulomb/kilogram"}},
        {"SI Prefix", 18, true, {"unity"}},
        {"Surface Tension", 11, false, {"dyne/centimeter", "erg/centimeter²", "gram/second²"}},
        {"Temperature", 5, true, {}},
        {"Thermal Conductance (buildings)", 4, true, {}},
        {"Time", 48, true, {"second"}},
        {"Torque", 13, true, {"newton meter"}},
        {"Velocity", 18, true, {"centimeter/hour"}},
        {"Viscosity (Dynamic)", 23, false, {"centipoise", "millipascal·second"}},
        {"Viscosity (Kinematic)", 4, false, {"meter²/second"}},
        {"Volume", 28, true, {"centimeter³", "milliliter"}},
        {"Volume (Dry)", 8, true, {"barrel (US)"}},
    };
    return categories;
}

class BuiltInUnitTable : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    // The record of a unit found by its exact name; fails the test when the name is missing.
    const UnitRecord* Find(std::string_view category, std::string_view unit) const {
        const int c = catalogue_.FindCategory(category);
        EXPECT_EQ(catalogue_.CategoryName(c), category);
        const int u = catalogue_.FindUnit(c, unit);
        EXPECT_EQ(catalogue_.UnitName(c, u), unit) << "in " << category;
        return catalogue_.UnitName(c, u) == unit ? &catalogue_.Unit(c, u) : nullptr;
    }

    UnitCatalogue catalogue_;
};

TEST_F(BuiltInUnitTable, LoadedCatalogueHasEveryCategoryAndUnitInPlace) {
    const auto& expected = ExpectedCategories();
    ASSERT_EQ(expected.size(), std::size_t{kBuiltInCategories});
    int total = 0;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        const ExpectedCategory& want = expected[c];
        SCOPED_TRACE(std::string(want.name));
        const UnitRecord& header = catalogue_.Record(c, 0);
        EXPECT_EQ(header.name, want.name);
        EXPECT_EQ(header.abbreviation, " ");
        EXPECT_EQ(header.factor, double(want.units));
        ASSERT_EQ(catalogue_.UnitCount(c), want.units);
        total += want.units;

        std::set<std::string> names;
        for (int record = 1; record <= want.units; ++record) {
            const UnitRecord& unit = catalogue_.Record(c, record);
            EXPECT_FALSE(unit.name.empty()) << "gap at record " << record;
            EXPECT_TRUE(names.insert(unit.name).second) << "duplicate " << unit.name;
            if (want.references.empty()) {
                EXPECT_EQ(unit.factor, 0.0) << unit.name;
            } else {
                EXPECT_TRUE(std::isfinite(unit.factor) && unit.factor > 0) << unit.name;
            }
        }
        for (int record = want.units + 1; record < kRecordsPerCategory; ++record) {
            EXPECT_EQ(catalogue_.Record(c, record).name, "") << "record " << record;
            EXPECT_EQ(catalogue_.Record(c, record).abbreviation, "") << "record " << record;
        }
        for (std::string_view reference : want.references) {
            const int u = catalogue_.FindUnit(c, reference);
            EXPECT_EQ(catalogue_.UnitName(c, u), reference);
            EXPECT_EQ(catalogue_.UnitFactor(c, u), 1.0) << reference;
        }
    }
    EXPECT_EQ(total, 925);

    for (int c = kFirstCustomCategory; c < kMaxCategories; ++c) {
        EXPECT_EQ(catalogue_.CategoryName(c), "Custom");
        EXPECT_EQ(catalogue_.UnitCount(c), 0);
        for (int record = 0; record < kRecordsPerCategory; ++record)
            EXPECT_EQ(catalogue_.Record(c, record).abbreviation, " ");
    }
}

TEST_F(BuiltInUnitTable, DefaultVisibilityShowsTwentyFiveCategories) {
    const CategoryVisibility visibility;
    int shown = 0;
    for (const ExpectedCategory& want : ExpectedCategories()) {
        const int c = catalogue_.FindCategory(want.name);
        EXPECT_EQ(visibility.IsVisible(c), want.visible) << want.name;
        shown += visibility.IsVisible(c) ? 1 : 0;
    }
    EXPECT_EQ(shown, 25);
}

// Look-alikes and trailing blanks are separate units, not typing slips to be merged.
TEST_F(BuiltInUnitTable, LookAlikeNamesAreDistinctUnits) {
    const std::pair<std::string_view, std::string_view> pairs[] = {
        {"H12 ", "H12"},
        {"IDE (PlO mode 4) ", "IDE (PIO mode 4)"},
        {"IDE (PlO mode 2)", "IDE (PIO mode 2)"},
        {"TO (payload) ", "T0 (payload)"},
        {"Ti (signal) ", "T1 (signal)"},
        {"Hil ", "H11"},
        {"HO ", "H0"},
        {"SCSI (LVD Ultral6O) ", "SCSI (LVD Ultra160)"},
        {"firewire (IEEE-i394) ", "firewire (IEEE-1394)"},
        {"gigabit/second (SI) ", "gigabit/second (SI def.)"},
    };
    const int c = catalogue_.FindCategory("Data Transfer");
    for (const auto& [odd, plain] : pairs) {
        const int oddIndex = catalogue_.FindUnit(c, odd);
        const int plainIndex = catalogue_.FindUnit(c, plain);
        EXPECT_EQ(catalogue_.UnitName(c, oddIndex), odd);
        EXPECT_EQ(catalogue_.UnitName(c, plainIndex), plain);
        EXPECT_NE(oddIndex, plainIndex) << odd;
    }
}

// The odd ones are kept, except those that named another unit (corrected: the labels show them
// and a lookup by abbreviation would pick the wrong unit).
TEST_F(BuiltInUnitTable, UnusualAbbreviationsAreKept) {
    struct Case {
        std::string_view category, unit, abbreviation;
    };
    const Case cases[] = {
        {"Power", "MBH", ""},
        {"Radiation Exposure", "parker", ""},
        {"Radiation Exposure", "rem", " "},
        {"Angle", "second", "\""},
        {"Angle", "minute", "'"},
        {"Energy", "calorie (mean)", "cal (mean"},
        {"Energy", "British thermal unit (39 ºF)", "Btu (39 ºF)"},
        {"Force", "millinewton", "mN"},
        {"Power", "horsepower (boiler)", "hp (boiler)"},
        {"Concentration (Molar)", "kilomole/centimeter³", "kmol/cm³"},
        {"Concentration (Molar)", "kilomole/millimeter³", "kmol/mm³"},
        {"Flow", "yard³/minute", "yd³/min"},
        {"Surface Tension", "gram-force/centimeter", "gf/cm²"},
        {"Distance", "micron", "µ"},
        {"Distance", "ångström", "Å"},
    };
    for (const Case& test : cases) {
        if (const UnitRecord* unit = Find(test.category, test.unit)) {
            EXPECT_EQ(unit->abbreviation, test.abbreviation) << test.unit;
        }
    }
}

// Every text is printable ASCII or one of the few Latin-1 signs the tables use, so a Greek mu
// or a stray encoding slip shows up here.
TEST_F(BuiltInUnitTable, TextsUseOnlyTheExpectedCharacters) {
    const std::string_view allowed[] = {"²", "³", "·", "µ", "°", "º", "Å", "å", "ä", "ö", "ß"};
    auto check = [&](const std::string& text) {
        for (std::size_t i = 0; i < text.size();) {
            const unsigned char byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x20 && byte < 0x7F) {
                ++i;
                continue;
            }
            bool known = false;
            for (std::string_view sign : allowed) {
                if (text.compare(i, sign.size(), sign) == 0) {
                    i += sign.size();
                    known = true;
                    break;
                }
            }
            if (!known) {
                ADD_FAILURE() << "unexpected byte " << int(byte) << " in \"" << text << "\"";
                return;
            }
        }
    };
    for (int c = 0; c < kBuiltInCategories; ++c) {
        check(catalogue_.CategoryName(c));
        for (int u = 0; u < catalogue_.UnitCount(c); ++u) {
            check(catalogue_.UnitName(c, u));
            check(catalogue_.UnitAbbreviation(c, u));
        }
    }
}

// One unit expressed in another of the same category: 1 `unit` = `expected` `in`.
struct Ratio {
    std::string_view category, unit, in;
    double expected;
};

constexpr double kPi = 3.141592653589793;

const Ratio kRatios[] = {
    {"Distance", "foot", "inch", 12},
    {"Distance", "mile", "foot", 5280},
    {"Distance", "inch", "centimeter", 2.54},
    {"Distance", "yard", "meter", 0.9144},
    {"Distance", "nautical mile", "meter", 1852},
    {"Distance", "furlong", "foot", 660},
    {"Distance", "chain (Gunter, Survey)", "link (Gunter, Surveyor)", 100},
    {"Distance", "foot (US Survey)", "meter", 0.3048006096012192},
    {"Distance", "light second", "meter", 299792458},
    {"Distance", "light year", "centimeter", 9.460528405e+17},
    {"Distance", "parsec", "astronomical unit", 206264.80624709636},
    {"Distance", "point (PostScript)", "inch", 1.0 / 72},
    {"Distance", "fuß (German)", "centimeter", 31.60776},
    {"Distance", "faden (German)", "klafter", 1},
    {"Area", "acre", "foot²", 43560},
    {"Area", "acre", "meter²", 4046.8564224},
    {"Area", "section", "acre", 640},
    {"Area", "hectare", "meter²", 10000},
    {"Area", "sulung", "acre", 200},
    {"Volume", "gallon", "inch³", 231},
    {"Volume", "gallon", "liter", 3.785411784},
    {"Volume", "gallon", "ounce", 128},
    {"Volume", "gallon (UK)", "liter", 4.54609},
    {"Volume", "gallon (UK)", "ounce (UK)", 160},
    {"Volume", "pint", "cup", 2},
    {"Volume", "cup", "tablespoon", 16},
    {"Volume", "tablespoon", "teaspoon", 3},
    {"Volume", "barrel (oil)", "gallon", 42},
    {"Volume", "acre-foot", "feet³", 43560},
    {"Volume", "drop (metric)", "milliliter", 0.05},
    {"Volume (Dry)", "bushel", "peck", 4},
    {"Volume (Dry)", "bushel", "pint", 64},
    {"Volume (Dry)", "barrel (US)", "liter", 115.627123584},
    {"Mass", "pound", "ounce", 16},
    {"Mass", "pound", "gram", 453.59237},
    {"Mass", "pound", "grain", 7000},
    {"Mass", "ton", "pound", 2000},
    {"Mass", "ton(long)", "pound", 2240},
    {"Mass", "ounce(troy)", "grain", 480},
    {"Force", "pound-force", "newton", 4.4482216152605},
    {"Force", "kilogram-force", "newton", 9.80665},
    {"Force", "ton-force (2000 lbf)", "pound-force", 2000},
    {"Pressure", "atmosphere", "pascal", 101325},
    {"Pressure", "atmosphere", "torr", 760},
    {"Pressure", "pound-force/inch²", "pascal", 6894.757293168362},
    {"Pressure", "psi", "pound-force/inch²", 1},
    {"Pressure", "millimeter of mercury", "pascal", 133.322387415},
    {"Energy", "kilowatt hour", "joule", 3.6e6},
    {"Energy", "British thermal unit (IT)", "joule", 1055.05585262},
    {"Energy", "British thermal unit (th)", "joule", 1054.3502644888888},
    {"Energy", "calorie (IT)", "joule", 4.1868},
    {"Energy", "calorie (th)", "joule", 4.184},
    {"Energy", "foot pound-force", "joule", 1.3558179483314003},
    {"Energy", "quad", "British thermal unit (IT)", 1e15},
    {"Enthalpy (Mass)", "British thermal units/pound", "kilojoule/kilogram", 2.326},
    {"Enthalpy (Molar)", "kilocalorie/mole", "calorie/mole", 1000},
    {"Power", "horsepower", "watt", 745.69987158227022},
    {"Power", "horsepower (metric)", "watt", 735.49875},
    {"Power", "Btu/hour (int.)", "watt", 0.2930710701722222},
    {"Power", "MBH", "Btu/hour (int.)", 1000},
    {"Power", "MBtu/hour", "Btu/hour (int.)", 1000},
    {"Power", "ton (refrigeration)", "Btu/hour (int.)", 12000},
    {"Power", "foot pound-force/second", "watt", 1.3558179483314003},
    {"Velocity", "knot", "kilometer/hour", 1.852},
    {"Velocity", "mile/hour", "kilometer/hour", 1.609344},
    {"Velocity", "mach", "meter/second", 331.46},
    {"Velocity", "c", "meter/second", 299792458},
    {"Acceleration", "free fall", "meter/second²", 9.80665},
    {"Acceleration", "foot/second²", "galileo", 30.48},
    {"Fuel Consumption", "mile/gallon(US)", "kilometer/liter", 0.425143707430272},
    {"Flow", "gallon/minute", "liter/minute", 3.785411784},
    {"Flow", "meter³/second", "liter/second", 1000},
    {"Density", "pound/foot³", "kilogram/meter³", 16.018463373960138},
    {"Density", "ton/yard³", "pound/yard³", 2000},
    {"Concentration (Liquid)", "pound/gallon (UK)", "grain/gallon (UK)", 7000},
    {"Time", "year", "day", 365},
    {"Time", "century", "year", 100},
    {"Time", "year (Julian)", "day", 365.25},
    {"Time", "year (Gregorian)", "day", 365.2425},
    {"Time", "week", "second", 604800},
    {"Time", "jiffy", "second", 1.0 / 60},
    {"Time", "helek", "second", 10.0 / 3},
    {"Time", "Planck time", "second", 1.351211818e-43},
    {"Angle", "circle", "degree", 360},
    {"Angle", "degree", "second", 3600},
    {"Angle", "radian", "degree", 180 / kPi},
    {"Angle", "mil", "circle", 1.0 / 6400},
    {"Angle", "grade", "degree", 0.9},
    {"Angle (Solid)", "sphere", "steradian", 4 * kPi},
    {"Angular Velocity", "revolution/minute", "radian/second", 2 * kPi / 60},
    {"Data", "kilobyte", "bit", 8192},
    {"Data", "megabyte", "kilobyte", 1024},
    {"Data", "exabyte", "bit", 9223372036854775808.0},
    {"Data", "zettabyte", "bit", 9444732965739290427392.0},
    {"Data Transfer", "kilobyte/second (SI)", "bit/second", 8000},
    {"Data Transfer", "kilobyte/second", "bit/second", 8192},
    {"Data Transfer", "megabit/second", "bit/second", 1048576},
    {"Data Transfer", "gigabyte/second (SI) ", "bit/second", 8e9},
    {"Data Transfer", "terabit/second", "bit/second", 1099510000000},
    {"Data Transfer", "H12 ", "H12", 1},
    {"Data Transfer", "VLB", "bit/second", 533333333.3},
    {"Charge", "ampere hour", "coulomb", 3600},
    {"Charge", "abcoulomb", "coulomb", 10},
    {"Current", "ampere", "statampere", 2997924580},
    {"Capacitance", "farad", "statfarad", 898755178736.8176},
    {"Inductance", "henry", "nanohenry", 1e9},
    {"Conductance", "siemens", "mho", 1},
    {"Illumination", "phot", "lux", 1e4},
    {"Illumination", "lumen/foot²", "lux", 10.763910416709722},
    {"Radiation", "gray/second", "rad/second", 100},
    {"Radiation Exposure", "roentgen", "coulomb/kilogram", 0.000258},
    {"Radiation Exposure", "sievert", "rem", 100},
    {"SI Prefix", "yotta", "unity", 1e24},
    {"SI Prefix", "micro", "unity", 1e-6},
    {"Surface Tension", "newton/meter", "dyne/centimeter", 1000},
    {"Torque", "pound-force foot", "pound-force inch", 12},
    {"Torque", "kilogram-force meter", "newton meter", 9.80665},
    {"Viscosity (Dynamic)", "poise", "centipoise", 100},
    {"Viscosity (Dynamic)", "reyn", "pound-force·second/inch²", 1},
    {"Viscosity (Kinematic)", "stokes", "centistokes", 100},
    {"Amount of Substance", "kilomole", "millimole", 1e6},
    {"Concentration (Molar)", "kilomole/millimeter³", "kilomole/centimeter³", 1000},
    {"Enthalpy (Volume)", "kilojoule/meter³", "megajoule/meter³", 1e-3},
};

TEST_F(BuiltInUnitTable, FactorsGiveTheDefinedSizes) {
    for (const Ratio& ratio : kRatios) {
        const UnitRecord* unit = Find(ratio.category, ratio.unit);
        const UnitRecord* in = Find(ratio.category, ratio.in);
        if (unit == nullptr || in == nullptr)
            continue;
        const double actual = unit->factor / in->factor;
        EXPECT_NEAR(actual / ratio.expected, 1.0, 1e-15)
            << "1 " << ratio.unit << " = " << actual << " " << ratio.in << ", expected "
            << ratio.expected;
    }
}

}  // namespace
}  // namespace korvane
