#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalogue/Misspelling.h"
#include "catalogue/UnitAliases.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitTiers.h"
#include "query/FreeFormReader.h"

// The rules the worked examples do not pin one by one: the order of the tiers, the 1 % rule,
// the numeric conventions, the category on show, the columns of refusals and hostile input.

namespace korvane::query {
namespace {

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    int Category(std::string_view name) const { return *catalogue_.TryFindCategory(name); }
    std::string CategoryOf(const Reading& r) const { return catalogue_.CategoryName(r.category); }
    std::string From(const Reading& r) const { return catalogue_.UnitName(r.category, r.fromUnit); }

    ReadResult Read(std::string_view text, DecimalSeparator decimal = DecimalSeparator::Point,
                    std::optional<int> shown = std::nullopt) const {
        return ReadFreeForm(catalogue_, text, {decimal, shown, nullptr});
    }

    UnitCatalogue catalogue_;
};

// ---- The tiers, scanned and indexed alike ---------------------------------------------------

struct TierRow {
    const char* text;
    const char* category;
    Tier tier;
    std::vector<std::string> units;
};

class Tiers : public Catalogue, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Lookups, Tiers, ::testing::Values(false, true),
                         [](const auto& row) { return row.param ? "Indexed" : "Scanned"; });

TEST_P(Tiers, TheFirstTierThatFindsAnythingDecidesInEachCategory) {
    using enum Tier;
    const TierRow rows[] = {
        {"meter", "Distance", Name, {"meter"}},
        {"in", "Distance", Abbreviation, {"inch"}},
        {"kWh", "Energy", Abbreviation, {"kilowatt hour"}},  // the middle dot ignored
        {"Nm", "Torque", Abbreviation, {"newton meter"}},
        {"nmi", "Distance", Abbreviation, {"nautical mile"}},  // one piece of "NM, nmi"
        {"NM", "Distance", Abbreviation, {"nautical mile"}},
        {"Meter", "Distance", NameAnyCase, {"meter"}},
        {"feet", "Distance", Alias, {"foot"}},
        {"inches", "Distance", Alias, {"inch"}},
        {"degrees Celsius", "Temperature", Alias, {"degree Celsius"}},  // no "Celsiu"
        {"metres", "Distance", Alias, {"meter"}},
        {"square feet", "Area", Alias, {"foot²"}},
        {"m^2", "Area", Alias, {"meter²"}},
        {"sq km", "Area", Alias, {"kilometer²"}},
        {"cu ft", "Volume", Alias, {"feet³"}},
        {"cubic meters", "Volume", Alias, {"meter³"}},
        {"UK gal", "Volume", Alias, {"gallon (UK)"}},
        {"miles per hour", "Velocity", Alias, {"mile/hour"}},
        {"mph", "Velocity", Alias, {"mile/hour"}},
        {"KB", "Data", AbbreviationAnyCase, {"kilobit", "kilobyte"}},
        {"MPH", "Velocity", AbbreviationAnyCase, {"mile/hour"}},
        {"kcal",
         "Energy",
         WithoutQualifier,
         {"kilocalorie (IT)", "kilocalorie (th)", "kilocalorie (mean)"}},
        {"therm", "Energy", WithoutQualifier, {"therm (EC)", "therm (US)"}},
        {"kilomet", "Distance", PartOfName, {"kilometer"}},
        {"gigabit/second (SI)", "Data Transfer", Name, {"gigabit/second (SI) "}},
    };
    const UnitTierIndex index(catalogue_);
    for (const TierRow& row : rows) {
        SCOPED_TRACE(row.text);
        UnitTextMatches matches(catalogue_, row.text, {}, GetParam() ? &index : nullptr);
        matches.AdvanceTo(Tier::PartOfName);
        const TierMatch& found = matches.In(Category(row.category));
        EXPECT_EQ(found.tier, row.tier);
        std::vector<std::string> names;
        for (int unit : found.units)
            names.push_back(catalogue_.UnitName(Category(row.category), unit));
        EXPECT_EQ(names, row.units);
    }
}

TEST_P(Tiers, PrefixesCountOnlyByTheirFullNames) {
    const UnitTierIndex index(catalogue_);
    const int prefixes = Category("SI Prefix");
    UnitTextMatches symbol(catalogue_, "m", {}, GetParam() ? &index : nullptr);
    symbol.AdvanceTo(Tier::PartOfName);
    EXPECT_FALSE(symbol.In(prefixes).Found());
    UnitTextMatches name(catalogue_, "milli", {}, GetParam() ? &index : nullptr);
    name.AdvanceTo(Tier::PartOfName);
    EXPECT_EQ(name.In(prefixes).tier, Tier::Name);
}

TEST_F(Catalogue, ACatalogueUnitShadowsAnAlias) {
    ASSERT_TRUE(catalogue_.AppendUnit(Category("Velocity"), "mph", 1.0));
    const ReadResult result = Read("10 mph to m/s");
    ASSERT_TRUE(result.Read()) << result.refusal.message;
    EXPECT_EQ(From(*result.reading), "mph");
}

// ---- Units inside one category and the choice between categories ----------------------------

TEST_F(Catalogue, UnitsWithinOnePercentTakeTheFirstOthersAreRefused) {
    const ReadResult btu = Read("1 Btu in J");
    ASSERT_TRUE(btu.Read());
    EXPECT_EQ(From(*btu.reading), "British thermal unit (IT)");

    const ReadResult acreFoot = Read("1 AF to L");  // the unqualified unit wins
    ASSERT_TRUE(acreFoot.Read());
    EXPECT_EQ(From(*acreFoot.reading), "acre-foot");

    const ReadResult fathom = Read("1 fm to m");
    ASSERT_FALSE(fathom.Read());
    EXPECT_EQ(fathom.refusal.candidates, (std::vector<std::string>{"fathom", "fermi"}));
    EXPECT_EQ(fathom.refusal.column, 3);

    // The cable (int.), (UK) and (US) lie 18 % apart: none is taken.
    EXPECT_FALSE(Read("1 cable to m").Read());
    EXPECT_TRUE(Read("1 therm to MJ").Read());

    const ReadResult kb = Read("5 KB");
    ASSERT_FALSE(kb.Read());
    EXPECT_EQ(kb.refusal.candidates, (std::vector<std::string>{"kilobit", "kilobyte"}));
}

TEST_F(Catalogue, TheUnitWithoutQualifierWinsWhereveritStands) {
    const int gadgets = kFirstCustomCategory;
    catalogue_.SetCategoryName(gadgets, "Gadgets");
    ASSERT_TRUE(catalogue_.AppendUnit(gadgets, "widget (old)", 1.0));
    ASSERT_TRUE(catalogue_.AppendUnit(gadgets, "widget", 3.0));
    const ReadResult result = Read("2 idget");  // both, by part of their names
    ASSERT_TRUE(result.Read()) << result.refusal.message;
    EXPECT_EQ(From(*result.reading), "widget");
}

TEST_F(Catalogue, BareTemperatureLettersReadAsTemperaturesOnlyInPairs) {
    const ReadResult pair = Read("72 F to C");
    ASSERT_TRUE(pair.Read());
    EXPECT_EQ(From(*pair.reading), "degree Fahrenheit");

    const ReadResult coulomb = Read("100 C");
    ASSERT_TRUE(coulomb.Read());
    EXPECT_EQ(From(*coulomb.reading), "coulomb");
    EXPECT_NE(coulomb.reading->echo.find("for Celsius type °C"), std::string::npos);

    const ReadResult farad = Read("72 F");
    ASSERT_FALSE(farad.Read());
    EXPECT_EQ(farad.refusal.candidates, (std::vector<std::string>{"Capacitance", "Charge"}));
}

TEST_F(Catalogue, TheCategoryOnShowWinsForAStrictTier) {
    const ReadResult celsius = Read("100 C", DecimalSeparator::Point, Category("Temperature"));
    ASSERT_TRUE(celsius.Read());
    EXPECT_EQ(From(*celsius.reading), "degree Celsius");
    // Not found there by tiers 1-5: the usual choice ("feet" is part of Velocity's names).
    const ReadResult meter = Read("5 m", DecimalSeparator::Point, Category("Time"));
    ASSERT_TRUE(meter.Read());
    EXPECT_EQ(CategoryOf(*meter.reading), "Distance");
    const ReadResult feet = Read("5 feet", DecimalSeparator::Point, Category("Velocity"));
    ASSERT_TRUE(feet.Read());
    EXPECT_EQ(CategoryOf(*feet.reading), "Distance");
}

TEST_F(Catalogue, EverydayOrderAndPreferencesBreakTies) {
    struct Row {
        const char* text;
        const char* category;
        const char* unit;
    };
    const Row rows[] = {
        {"2 liters", "Volume", "liter"},  // Volume before Volume (Dry)
        {"3 ounces", "Mass", "ounce"},    // the preference table
        {"2 pt", "Volume", "pint"},
        {"5 g", "Mass", "gram"},
        {"20 gr", "Mass", "grain"},
        {"1 bbl to gal", "Volume", "barrel (oil)"},
        {"200 Cal", "Energy", "kilocalorie (IT)"},  // the food Calorie, by its capital
        {"1 cal to J", "Energy", "calorie (IT)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ReadResult result = Read(row.text);
        ASSERT_TRUE(result.Read()) << result.refusal.message;
        EXPECT_EQ(CategoryOf(*result.reading), row.category);
        EXPECT_EQ(From(*result.reading), row.unit);
    }
}

// ---- Numbers ---------------------------------------------------------------------------------

struct NumberRow {
    const char* text;
    DecimalSeparator decimal;
    double value;  // NaN: refused
    bool echoed;   // a separator read against the convention is said
};

TEST_F(Catalogue, NumbersFollowThePassedConvention) {
    constexpr auto P = DecimalSeparator::Point;
    constexpr auto C = DecimalSeparator::Comma;
    const double refused = NAN;
    const NumberRow rows[] = {
        {"1,500 ft", P, 1500, false},       {"12,345,678 ft", P, 12345678, false},
        {"1,5 ft", P, 1.5, true},           {"1,50 ft", P, 1.5, true},
        {"1,234.5 ft", P, 1234.5, false},   {"1.234,5 ft", P, 1234.5, true},
        {"1,2,3 ft", P, refused, false},    {"1.2.3 ft", P, refused, false},
        {"10 000 ft", P, 10000, false},     {"1 1/2 ft", P, 1.5, false},
        {"1-1/2 ft", P, 1.5, false},        {"1,5 ft", C, 1.5, false},
        {"1.234,5 ft", C, 1234.5, false},   {"1.234.567 ft", C, 1234567, false},
        {"12.5 ft", C, 12.5, true},         {"1.500 ft", C, refused, false},
        {"1,234.5 ft", C, 1234.5, true},    {"2*12 ft", P, 24, false},
        {"(1,5+1) ft", C, 2.5, false},      {"1.5e3 ft", P, 1500, false},
        {"1e999 ft", P, refused, false},    {"- 3 ft", P, -3, false},
        {"1234 567 ft", P, refused, false}, {"12 345 ft", P, 12345, false},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE(std::string(row.text) + (row.decimal == C ? " (comma)" : " (point)"));
        const ReadResult result = Read(row.text, row.decimal);
        if (std::isnan(row.value)) {
            EXPECT_FALSE(result.Read());
            continue;
        }
        ASSERT_TRUE(result.Read()) << result.refusal.message;
        EXPECT_DOUBLE_EQ(result.reading->value, row.value);
        EXPECT_EQ(result.reading->echo.find("decimal") != std::string::npos, row.echoed)
            << result.reading->echo;
    }
}

TEST_F(Catalogue, AnAmbiguousPointSaysHowToWriteIt) {
    const ReadResult result = Read("1.500 m in km", DecimalSeparator::Comma);
    ASSERT_FALSE(result.Read());
    EXPECT_NE(result.refusal.message.find("1500 or 1,5"), std::string::npos);
    EXPECT_EQ(result.refusal.column, 1);
}

// ---- Quantities, separators and refusals -----------------------------------------------------

TEST_F(Catalogue, MixedQuantitiesSumInTheLastUnitUnderOneSign) {
    const ReadResult result = Read("-5 ft 6 in");
    ASSERT_TRUE(result.Read());
    EXPECT_EQ(From(*result.reading), "inch");
    EXPECT_DOUBLE_EQ(result.reading->value, -66);
    EXPECT_TRUE(Read("1 ft + 2 in").Read());
    EXPECT_FALSE(Read("5 °C 3 °C").Read());  // temperatures are never added
    EXPECT_FALSE(Read("5 ft 3 kg").Read());
}

TEST_F(Catalogue, MarksAreFeetAndInchesOrWithADegreeAngles) {
    const ReadResult height = Read("5'10 to cm");  // the inch mark may be left out
    ASSERT_TRUE(height.Read());
    EXPECT_DOUBLE_EQ(height.reading->value, 70);
    EXPECT_FALSE(Read("1'000 to m").Read());      // an apostrophe does not group thousands
    const ReadResult spaced = Read("5 ″ to cm");  // a mark after a blank is still a mark
    ASSERT_TRUE(spaced.Read());
    EXPECT_EQ(From(*spaced.reading), "inch");
    const ReadResult angle = Read("30' 30\" in °");
    ASSERT_TRUE(angle.Read());
    EXPECT_EQ(CategoryOf(*angle.reading), "Angle");
    EXPECT_DOUBLE_EQ(angle.reading->value, 1830);
}

TEST_F(Catalogue, SeparatorsSplitFromTheRight) {
    const ReadResult implied = Read("12 in cm");
    ASSERT_TRUE(implied.Read());
    EXPECT_EQ(From(*implied.reading), "inch");
    EXPECT_EQ(catalogue_.UnitName(implied.reading->category, *implied.reading->toUnit),
              "centimeter");
    const ReadResult arrow = Read("3 ft → in");
    ASSERT_TRUE(arrow.Read());
    EXPECT_TRUE(arrow.reading->toUnit.has_value());
    const ReadResult typing = Read("5 ft 7 in to");
    ASSERT_TRUE(typing.Read());
    EXPECT_FALSE(typing.reading->toUnit.has_value());
}

TEST_F(Catalogue, RefusalsPointAtTheColumnAsTyped) {
    struct Row {
        const char* text;
        int column;
    };
    const Row rows[] = {
        {"1 ½ inchs to cm", 5},  // ½ is one character, however it is normalised
        {"−40 qqq", 5},          // so is the minus sign
        {"12 ft to xyzzy", 10}, {"5 ft 7", 6}, {"1\xC2\xA0qq", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ReadResult result = Read(row.text);
        ASSERT_FALSE(result.Read());
        EXPECT_EQ(result.refusal.column, row.column) << result.refusal.message;
    }
}

TEST_F(Catalogue, PartsOfNamesNeedThreeCharacters) {
    EXPECT_FALSE(Read("5 xt").Read());  // part of "sextant" alone, were two enough
    const ReadResult three = Read("5 kilomet");
    ASSERT_TRUE(three.Read());
    EXPECT_NE(three.reading->echo.find("part of its name"), std::string::npos);
}

TEST_F(Catalogue, ValidExpressionsAndLoneUnitsAreNotRead) {
    for (const char* text : {"2+3", "1 1/2", "t", "mph", "", "   ", "to"}) {
        SCOPED_TRACE(text);
        const ReadResult result = Read(text);
        EXPECT_FALSE(result.Read());
        EXPECT_FALSE(result.refusal.message.empty());
    }
}

TEST_F(Catalogue, HostileTextsAreRefusedWithAMessage) {
    std::string nested(120, '(');
    nested += "1" + std::string(120, ')') + " m";
    std::string separators = "1 m";
    for (int i = 0; i < 500; ++i)
        separators += " to m";
    std::string shortSeparators = "1 m";
    for (int i = 0; i < 40; ++i)
        shortSeparators += " in m";
    const std::vector<std::string> texts = {
        std::string(10000, '9') + " m",
        std::string(10000, 'x'),
        "12 \xFF\xFE in",
        "12\x01 in",
        "12\tin",
        separators,
        shortSeparators,
        nested,
        std::string(200, '\''),
        std::string(100, '5') + " m",
        "°°°°",
        "1e-99999 m",
        "((((1 m",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        const ReadResult result = Read(text);
        if (!result.Read()) {
            EXPECT_FALSE(result.refusal.message.empty());
        }
    }
    EXPECT_FALSE(Read(std::string(10000, '9') + " m").Read());
    EXPECT_FALSE(Read("12 \xFF in").Read());
    EXPECT_FALSE(Read("12\x01 in").Read());
}

// ---- What Find and the suggestions share ------------------------------------------------------

TEST_F(Catalogue, FindMatchesAliasesAndNamesWithoutAccents) {
    auto finds = [&](std::string_view typed, std::string_view category, std::string_view unit) {
        for (const AliasMatch& m : MatchAliasesAndAccents(catalogue_, typed)) {
            if (catalogue_.CategoryName(m.category) == category &&
                catalogue_.UnitName(m.category, m.unit) == unit)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(finds("angstrom", "Distance", "ångström"));
    EXPECT_TRUE(finds("ANGSTROM", "Distance", "ångström"));
    EXPECT_TRUE(finds("mph", "Velocity", "mile/hour"));
    EXPECT_TRUE(finds("pferdestarke", "Power", "pferdestärke"));
    EXPECT_FALSE(finds("mph", "Distance", "mile"));
}

TEST_F(Catalogue, MisspellingsAreFoundAmongNamesAbbreviationsAndAliases) {
    struct Row {
        const char* typed;
        const char* name;  // empty: nothing offered
    };
    const Row rows[] = {{"inchs", "inch"},
                        {"mhp", "mile/hour"},
                        {"kilogramm", "kilogram"},
                        {"farenheit", "degree Fahrenheit"},
                        {"xq", ""},
                        {"qqqqqqqq", ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const auto found = FindMisspelling(catalogue_, row.typed);
        EXPECT_EQ(found ? found->name : "", row.name);
    }
    // For texts the plain lookup misses, the alias tiers answer first; several units, none.
    EXPECT_EQ(FindIntendedUnit(catalogue_, "mph")->name, "mile/hour");
    EXPECT_EQ(FindIntendedUnit(catalogue_, "Nm")->name, "newton meter");
    EXPECT_EQ(FindIntendedUnit(catalogue_, "inchs")->name, "inch");
    EXPECT_FALSE(FindIntendedUnit(catalogue_, "KB").has_value());
}

}  // namespace
}  // namespace korvane::query
