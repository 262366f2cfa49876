#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitLookup.h"

namespace korvane {
namespace {

class UnitLookupTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    int Category(std::string_view name) const { return *catalogue_.TryFindCategory(name); }
    std::vector<std::string> Names(int category, const std::vector<int>& units) const {
        std::vector<std::string> names;
        for (int unit : units)
            names.push_back(catalogue_.UnitName(category, unit));
        return names;
    }

    UnitCatalogue catalogue_;
};

struct InCategoryRow {
    const char* label;
    const char* category;
    const char* text;
    UnitMatch match;
    std::vector<std::string> units;  // empty: nothing found
};

TEST_F(UnitLookupTest, EachKindIsTriedInTurn) {
    using enum UnitMatch;
    const InCategoryRow rows[] = {
        {"exact name", "Distance", "meter", Exact, {"meter"}},
        {"abbreviation", "Distance", "in", Abbreviation, {"inch"}},
        {"abbreviations keep their case", "Data", "Mb", Abbreviation, {"megabit"}},
        {"the other case is another unit", "Data", "MB", Abbreviation, {"megabyte"}},
        {"abbreviation of two units", "Distance", "fm", Abbreviation, {"fathom", "fermi"}},
        {"name in another case", "Distance", "METER", IgnoringCase, {"meter"}},
        {"case folds beyond ASCII", "Distance", "ÅNGSTRÖM", IgnoringCase, {"ångström"}},
        {"part of one name", "Distance", "kilomet", PartOfName, {"kilometer"}},
        {"names starting with the part first",
         "Distance",
         "naut",
         PartOfName,
         {"nautical mile", "league (nautical)"}},
        {"several parts, prefixes first",
         "Distance",
         "PARS",
         PartOfName,
         {"parsec", "megaparsec", "milliparsec"}},
        {"trailing blank, exact", "Data Transfer", "H12 ", Exact, {"H12 "}},
        {"no trailing blank, exact", "Data Transfer", "H12", Exact, {"H12"}},
        {"case keeps the blank apart", "Data Transfer", "h12", IgnoringCase, {"H12"}},
        {"case with the blank", "Data Transfer", "h12 ", IgnoringCase, {"H12 "}},
        {"a blank more is no name", "Distance", "meter ", Exact, {}},
        {"empty text", "Distance", "", Exact, {}},
        {"blanks alone", "Distance", "  ", Exact, {}},
        {"the no-abbreviation marker", "Distance", " ", Exact, {}},
        {"unknown", "Distance", "xyzzy", Exact, {}},
    };
    for (const InCategoryRow& row : rows) {
        SCOPED_TRACE(row.label);
        const int category = Category(row.category);
        const UnitLookup lookup = LookUpUnit(catalogue_, category, row.text);
        EXPECT_EQ(Names(category, lookup.units), row.units);
        if (!row.units.empty()) {
            EXPECT_EQ(lookup.match, row.match);
        }
        EXPECT_EQ(lookup.Found(), row.units.size() == 1);
        EXPECT_EQ(lookup.Ambiguous(), row.units.size() > 1);
    }
}

TEST_F(UnitLookupTest, StricterKindsWinOverLooserOnes) {
    const int distance = Category("Distance");
    // Custom units take the empty abbreviation of a built-in row's free records.
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "in", 3));
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Cm", 4));
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Rope", 5));
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Rope", 6));

    const UnitLookup name = LookUpUnit(catalogue_, distance, "in");
    EXPECT_EQ(name.match, UnitMatch::Exact);
    EXPECT_EQ(Names(distance, name.units), std::vector<std::string>{"in"});

    const UnitLookup abbreviation = LookUpUnit(catalogue_, distance, "cm");
    EXPECT_EQ(abbreviation.match, UnitMatch::Abbreviation);
    EXPECT_EQ(Names(distance, abbreviation.units), std::vector<std::string>{"centimeter"});

    // The last of two equal names, as FindUnit answers.
    const UnitLookup twice = LookUpUnit(catalogue_, distance, "Rope");
    ASSERT_EQ(twice.units.size(), 1u);
    EXPECT_EQ(twice.units.front(), catalogue_.UnitCount(distance) - 1);

    // Their empty abbreviations match no empty text.
    EXPECT_TRUE(LookUpUnit(catalogue_, distance, "").units.empty());
}

struct PairRow {
    const char* label;
    const char* from;
    const char* to;
    std::vector<std::string> categories;
    std::vector<std::string> fromUnits;  // in the category, when it is the only one
    std::vector<std::string> toUnits;
    bool fromKnown = true;
    bool toKnown = true;
};

TEST_F(UnitLookupTest, PairsFindTheirCategoryWithAndWithoutTheIndex) {
    const PairRow rows[] = {
        {"two exact names", "meter", "inch", {"Distance"}, {"meter"}, {"inch"}},
        {"two abbreviations", "in", "cm", {"Distance"}, {"inch"}, {"centimeter"}},
        // A part of a name finds its unit, but the category comes from the other text.
        {"exact and part of a name",
         "meter",
         "kilomet",
         {"Distance"},
         {"meter"},
         {"kilometer"},
         true,
         false},
        {"names in another case", "METER", "Inch", {"Distance"}, {"meter"}, {"inch"}},
        {"blank kept apart", "H12 ", "h12", {"Data Transfer"}, {"H12 "}, {"H12"}},
        {"units of two categories", "liter", "pint", {"Volume", "Volume (Dry)"}, {}, {}},
        {"ambiguous within the category", "gr", "rad", {"Angle"}, {"gon", "grade"}, {"radian"}},
        {"no category holds both", "meter", "gram", {}, {}, {}},
        {"two parts of names choose nothing", "Euro", "Cent", {}, {}, {}, false, false},
        {"unknown first", "xyzzy", "m", {}, {}, {}, false, true},
        {"unknown second", "m", "", {}, {}, {}, true, false},
    };
    for (const auto index : {UnitFinder::Index::None, UnitFinder::Index::ExactNames}) {
        const UnitFinder finder(catalogue_, index);
        for (const PairRow& row : rows) {
            SCOPED_TRACE(std::string(row.label) +
                         (index == UnitFinder::Index::None ? ", scan" : ", index"));
            const UnitPairLookup pair = finder.FindPair(row.from, row.to);
            std::vector<std::string> categories;
            for (int c : pair.categories)
                categories.push_back(catalogue_.CategoryName(c));
            EXPECT_EQ(categories, row.categories);
            if (pair.categories.size() == 1) {
                EXPECT_EQ(Names(pair.categories.front(), pair.from.units), row.fromUnits);
                EXPECT_EQ(Names(pair.categories.front(), pair.to.units), row.toUnits);
            }
            EXPECT_EQ(pair.fromKnown, row.fromKnown);
            EXPECT_EQ(pair.toKnown, row.toKnown);
        }
    }
}

TEST_F(UnitLookupTest, PairsSkipFreeSlotsAndFindCustomCategories) {
    catalogue_.SetCategoryName(44, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(44, "Euro", 1));
    ASSERT_TRUE(catalogue_.AppendUnit(44, "Cent", 0.01));
    for (const auto index : {UnitFinder::Index::None, UnitFinder::Index::ExactNames}) {
        const UnitPairLookup pair = UnitFinder(catalogue_, index).FindPair("euro", "Cent");
        EXPECT_EQ(pair.categories, std::vector<int>{44});
        EXPECT_EQ(pair.from.match, UnitMatch::IgnoringCase);
    }
    catalogue_.FreeCustomCategory(44);
    EXPECT_TRUE(UnitFinder(catalogue_).FindPair("Euro", "Cent").categories.empty());
}

}  // namespace
}  // namespace korvane
