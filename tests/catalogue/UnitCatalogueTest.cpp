#include <gtest/gtest.h>

#include <string>

#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

class UnitCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }
    int Category(std::string_view name) const { return catalogue_.FindCategory(name); }
    UnitCatalogue catalogue_;
};

TEST_F(UnitCatalogueTest, LookupsAreExactAndFallBackToZero) {
    const int distance = Category("Distance");
    EXPECT_EQ(distance, 15);
    EXPECT_EQ(Category("distance"), 0);
    EXPECT_EQ(Category("Distance "), 0);
    EXPECT_EQ(Category(""), 0);
    // With several free slots the last one wins.
    EXPECT_EQ(Category("Custom"), 46);

    const int transfer = Category("Data Transfer");
    EXPECT_NE(catalogue_.FindUnit(transfer, "H12 "), catalogue_.FindUnit(transfer, "H12"));
    EXPECT_EQ(catalogue_.UnitName(transfer, catalogue_.FindUnit(transfer, "H12 ")), "H12 ");
    EXPECT_EQ(catalogue_.FindUnit(distance, "Meter"), 0);
    EXPECT_EQ(catalogue_.FindUnit(distance, "no such unit"), 0);
    EXPECT_EQ(catalogue_.FindUnit(99, "meter"), 0);
}

TEST_F(UnitCatalogueTest, TryFindTellsAMissFromTheFirstEntry) {
    const int distance = Category("Distance");
    EXPECT_EQ(catalogue_.TryFindCategory("Acceleration"), 0);
    EXPECT_EQ(catalogue_.TryFindCategory("distance"), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindCategory(""), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindCategory("Custom"), 46);
    EXPECT_EQ(catalogue_.TryFindUnit(distance, catalogue_.UnitName(distance, 0)), 0);
    EXPECT_EQ(catalogue_.TryFindUnit(distance, "Meter"), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindUnit(distance, ""), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindUnit(99, "meter"), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindUnit(46, "meter"), std::nullopt);
    EXPECT_TRUE(catalogue_.HasUnit(distance, "meter"));
    EXPECT_FALSE(catalogue_.HasUnit(distance, "meter "));
}

TEST_F(UnitCatalogueTest, LastMatchWinsWhenANameOccursTwice) {
    const int slot = 44;
    catalogue_.SetCategoryName(slot, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(slot, "Euro", 1));
    ASSERT_TRUE(catalogue_.AppendUnit(slot, "Cent", 0.01));
    ASSERT_TRUE(catalogue_.AppendUnit(slot, "Euro", 2));
    EXPECT_EQ(catalogue_.FindUnit(slot, "Euro"), 2);
    EXPECT_EQ(catalogue_.TryFindUnit(slot, "Euro"), 2);
    catalogue_.SetCategoryName(45, "money");
    EXPECT_EQ(catalogue_.FindCategory("money"), 45);
}

TEST_F(UnitCatalogueTest, OutOfRangeAccessReadsEmpty) {
    EXPECT_EQ(catalogue_.UnitCount(-1), 0);
    EXPECT_EQ(catalogue_.UnitCount(47), 0);
    EXPECT_EQ(catalogue_.CategoryName(47), "");
    EXPECT_EQ(catalogue_.UnitName(0, -1), "");
    EXPECT_EQ(catalogue_.UnitName(0, 178), "");
    EXPECT_EQ(catalogue_.Record(0, kRecordsPerCategory).name, "");
}

TEST_F(UnitCatalogueTest, NewUnitsTakeTheAbbreviationOfTheirFreeRecord) {
    const int distance = Category("Distance");
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Rope", 500));
    EXPECT_EQ(catalogue_.UnitCount(distance), 101);
    EXPECT_EQ(catalogue_.UnitAbbreviation(distance, 100), "");
    EXPECT_EQ(catalogue_.UnitFactor(distance, 100), 500);

    catalogue_.SetCategoryName(42, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(42, "Euro", 1));
    EXPECT_EQ(catalogue_.UnitAbbreviation(42, 0), " ");
    EXPECT_FALSE(catalogue_.IsFreeSlot(42));
}

TEST_F(UnitCatalogueTest, RemovingAUnitClosesTheGap) {
    catalogue_.SetCategoryName(42, "money");
    for (const char* name : {"Euro", "Cent", "Pound"})
        ASSERT_TRUE(catalogue_.AppendUnit(42, name, 1));
    ASSERT_TRUE(catalogue_.RemoveUnit(42, 0));
    EXPECT_EQ(catalogue_.UnitCount(42), 2);
    EXPECT_EQ(catalogue_.Record(42, 0).factor, 2.0);
    EXPECT_EQ(catalogue_.UnitName(42, 0), "Cent");
    EXPECT_EQ(catalogue_.UnitName(42, 1), "Pound");
    EXPECT_EQ(catalogue_.Record(42, 3).name, "");
    EXPECT_EQ(catalogue_.Record(42, 3).abbreviation, " ");
    EXPECT_FALSE(catalogue_.RemoveUnit(42, 2));
    EXPECT_FALSE(catalogue_.RemoveUnit(42, -1));

    catalogue_.FreeCustomCategory(42);
    EXPECT_TRUE(catalogue_.IsFreeSlot(42));
    EXPECT_EQ(catalogue_.UnitCount(42), 0);
    catalogue_.FreeCustomCategory(Category("Distance"));  // built-in rows are never freed
    EXPECT_EQ(catalogue_.UnitCount(15), 100);
}

TEST_F(UnitCatalogueTest, ARowHoldsAtMost178Units) {
    const int transfer = Category("Data Transfer");
    for (int i = catalogue_.UnitCount(transfer); i < kMaxUnitsPerCategory; ++i) {
        ASSERT_TRUE(catalogue_.AppendUnit(transfer, "link " + std::to_string(i), 1));
    }
    EXPECT_EQ(catalogue_.UnitCount(transfer), 178);
    EXPECT_FALSE(catalogue_.AppendUnit(transfer, "one too many", 1));
    EXPECT_EQ(catalogue_.UnitCount(transfer), 178);
    EXPECT_FALSE(catalogue_.AppendUnit(47, "nowhere", 1));
}

TEST_F(UnitCatalogueTest, ReloadingForgetsCustomChanges) {
    catalogue_.SetCategoryName(42, "money");
    catalogue_.AppendUnit(42, "Euro", 1);
    catalogue_.AppendUnit(0, "g-unit", 1);
    catalogue_.LoadBuiltInTables();
    EXPECT_TRUE(catalogue_.IsFreeSlot(42));
    EXPECT_EQ(catalogue_.UnitCount(0), 10);
}

// Built-in rows are read from the compiled-in tables until they change: the string readers, the
// views and the factors must agree on every record, before and after a row takes copies.
void ExpectReadersAgree(const UnitCatalogue& catalogue, int category) {
    SCOPED_TRACE(catalogue.CategoryName(category));
    for (int u = -1; u <= catalogue.UnitCount(category); ++u) {
        const UnitRecord& record = catalogue.Unit(category, u);
        EXPECT_EQ(catalogue.UnitNameView(category, u), record.name);
        EXPECT_EQ(catalogue.UnitAbbreviationView(category, u), record.abbreviation);
        EXPECT_EQ(catalogue.UnitFactor(category, u), record.factor);
        EXPECT_EQ(catalogue.UnitName(category, u), record.name);
        if (u >= 0) {
            EXPECT_EQ(&catalogue.Record(category, u + 1), &record);
        }
    }
}

TEST_F(UnitCatalogueTest, ViewsAndStringsAgreeBeforeAndAfterARowChanges) {
    for (int c = 0; c < kMaxCategories; ++c)
        ExpectReadersAgree(catalogue_, c);

    const int distance = Category("Distance");
    const std::string first = catalogue_.UnitName(distance, 0);
    const std::string last = catalogue_.UnitName(distance, 99);
    ASSERT_TRUE(catalogue_.RemoveUnit(distance, 0));
    EXPECT_EQ(catalogue_.UnitCount(distance), 99);
    EXPECT_EQ(catalogue_.Record(distance, 0).factor, 99.0);
    EXPECT_EQ(catalogue_.UnitName(distance, 98), last);
    EXPECT_EQ(catalogue_.TryFindUnit(distance, first), std::nullopt);
    EXPECT_EQ(catalogue_.TryFindUnit(distance, last), 98);
    ExpectReadersAgree(catalogue_, distance);

    ASSERT_TRUE(catalogue_.AppendUnit(Category("Mass"), "stone (big)", 12.5));
    ExpectReadersAgree(catalogue_, Category("Mass"));
    catalogue_.SetCategoryName(43, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(43, "Euro", 1));
    ExpectReadersAgree(catalogue_, 43);
    EXPECT_EQ(catalogue_.UnitAbbreviationView(43, 0), " ");
    EXPECT_EQ(catalogue_.UnitAbbreviationView(43, 1), " ");
    EXPECT_EQ(catalogue_.UnitAbbreviationView(distance, 99), "");
}

TEST_F(UnitCatalogueTest, CopiesChangeIndependently) {
    const int distance = Category("Distance");
    UnitCatalogue copy = catalogue_;
    ASSERT_TRUE(copy.AppendUnit(distance, "Rope", 500));
    ASSERT_TRUE(copy.RemoveUnit(distance, 0));
    EXPECT_EQ(catalogue_.UnitCount(distance), 100);
    EXPECT_EQ(catalogue_.UnitName(distance, 0), catalogue_.UnitNameView(distance, 0));
    EXPECT_FALSE(catalogue_.HasUnit(distance, "Rope"));
    EXPECT_EQ(copy.UnitCount(distance), 100);
    EXPECT_EQ(copy.FindUnit(distance, "Rope"), 99);

    UnitCatalogue fresh;
    fresh.LoadBuiltInTables();
    for (int c = 0; c < kMaxCategories; ++c) {
        ASSERT_EQ(fresh.UnitCount(c), catalogue_.UnitCount(c));
        for (int u = 0; u < fresh.UnitCount(c); ++u)
            EXPECT_EQ(fresh.UnitName(c, u), catalogue_.UnitName(c, u));
    }
}

TEST(UnitCatalogueUnloaded, ReadsEmptyAndRefusesChanges) {
    UnitCatalogue catalogue;
    EXPECT_EQ(catalogue.UnitCount(0), 0);
    EXPECT_EQ(catalogue.CategoryName(0), "");
    EXPECT_EQ(catalogue.Record(42, 0).abbreviation, " ");
    EXPECT_EQ(catalogue.UnitAbbreviationView(42, 0), " ");
    EXPECT_EQ(catalogue.UnitNameView(0, 0), "");
    EXPECT_FALSE(catalogue.AppendUnit(0, "unit", 1));
    EXPECT_FALSE(catalogue.RemoveUnit(0, 0));
    catalogue.SetCategoryName(42, "money");
    EXPECT_EQ(catalogue.CategoryName(42), "");
    EXPECT_EQ(catalogue.TryFindUnit(0, ""), std::nullopt);
}

TEST(CategoryVisibility, DefaultsAndBounds) {
    CategoryVisibility visibility;
    EXPECT_TRUE(visibility.IsVisible(0));    // Acceleration
    EXPECT_FALSE(visibility.IsVisible(1));   // Amount of Substance
    EXPECT_FALSE(visibility.IsVisible(42));  // custom rows have no flag
    visibility.SetFlag(1, 7);
    EXPECT_TRUE(visibility.IsVisible(1));
    visibility.SetFlag(-1, 1);
    visibility.SetFlag(42, 1);
    EXPECT_EQ(visibility.Flag(42), 0);
}

}  // namespace
}  // namespace korvane
