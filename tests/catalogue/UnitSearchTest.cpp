#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitSearch.h"

namespace korvane {
namespace {

class UnitSearchTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    std::vector<std::string> Found(const std::vector<UnitSearchEntry>& entries,
                                   std::string_view query) const {
        const std::string folded = FoldCase(query);
        std::vector<std::string> texts;
        for (const UnitSearchEntry& entry : entries) {
            if (EntryMatches(entry, folded))
                texts.push_back(entry.text);
        }
        return texts;
    }

    UnitCatalogue catalogue_;
};

TEST_F(UnitSearchTest, EntryTextsShowTheAbbreviationUnlessThereIsNone) {
    const int distance = *catalogue_.TryFindCategory("Distance");
    const int power = *catalogue_.TryFindCategory("Power");
    EXPECT_EQ(UnitEntryText(catalogue_, distance, *catalogue_.TryFindUnit(distance, "inch")),
              "Distance >> inch [in]");
    EXPECT_EQ(UnitEntryText(catalogue_, power, *catalogue_.TryFindUnit(power, "MBH")),
              "Power >> MBH []");
    const int transfer = *catalogue_.TryFindCategory("Data Transfer");
    EXPECT_EQ(UnitEntryText(catalogue_, transfer, *catalogue_.TryFindUnit(transfer, "H12 ")),
              "Data Transfer >> H12 ");
}

TEST_F(UnitSearchTest, EntriesCoverTheBuiltInCategoriesOnly) {
    const int distance = *catalogue_.TryFindCategory("Distance");
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Rope [long]", 500));
    catalogue_.SetCategoryName(42, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(42, "Euro", 1));

    const auto entries = BuildUnitSearchEntries(catalogue_);
    EXPECT_EQ(entries.size(), 926u);
    EXPECT_EQ(Found(entries, "rope ["), std::vector<std::string>{"Distance >> Rope [long] []"});
    EXPECT_TRUE(Found(entries, "euro >>").empty());
    // The entry says where its unit is, whatever its text holds.
    const UnitSearchEntry& last = entries.back();
    EXPECT_EQ(catalogue_.UnitName(last.category, last.unit),
              catalogue_.UnitName(kBuiltInCategories - 1,
                                  catalogue_.UnitCount(kBuiltInCategories - 1) - 1));
}

TEST_F(UnitSearchTest, SearchIsASubstringIgnoringCase) {
    const auto entries = BuildUnitSearchEntries(catalogue_);
    const auto inch = Found(entries, "INCH");
    EXPECT_NE(std::find(inch.begin(), inch.end(), "Distance >> inch [in]"), inch.end());
    EXPECT_NE(std::find(inch.begin(), inch.end(), "Area >> inch² [in²]"), inch.end());
    for (const std::string& text : inch)
        EXPECT_NE(FoldCase(text).find("inch"), std::string::npos) << text;

    EXPECT_EQ(Found(entries, "").size(), entries.size());
    EXPECT_EQ(Found(entries, ">>").size(), entries.size());
    EXPECT_EQ(Found(entries, "ÅNGSTRÖM"), std::vector<std::string>{"Distance >> ångström [Å]"});
    EXPECT_EQ(Found(entries, "kPa"), std::vector<std::string>{"Pressure >> kilopascal [kPa]"});
    EXPECT_TRUE(Found(entries, "no such unit").empty());
}

TEST(ContainsIgnoringCaseTest, FoldsBothSides) {
    EXPECT_TRUE(ContainsIgnoringCase("Distance >> Meter", "METER"));
    EXPECT_TRUE(ContainsIgnoringCase("ÆTHER", "æth"));
    EXPECT_TRUE(ContainsIgnoringCase("anything", ""));
    EXPECT_FALSE(ContainsIgnoringCase("meter", "meters"));
}

}  // namespace
}  // namespace korvane
