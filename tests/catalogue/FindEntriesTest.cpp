#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/CaseFold.h"
#include "catalogue/FindEntries.h"
#include "catalogue/ListOrder.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

class FindEntriesTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    // The texts the Find list shows for `query`, through the filter the dialog runs.
    static std::vector<std::string> Found(const std::vector<FindEntry>& entries,
                                          std::string_view query) {
        FindFilter filter(entries);
        std::vector<std::string> texts;
        for (const int position : filter.Apply(query))
            texts.push_back(entries[static_cast<std::size_t>(position)].text);
        return texts;
    }

    std::string EntryText(int category, int unit) const {
        const UnitRecord& record = catalogue_.Unit(category, unit);
        return FindEntryText(catalogue_.CategoryName(category), record.name, record.abbreviation);
    }

    UnitCatalogue catalogue_;
};

TEST_F(FindEntriesTest, EntryTextsShowTheAbbreviationUnlessThereIsNone) {
    const int distance = *catalogue_.TryFindCategory("Distance");
    const int power = *catalogue_.TryFindCategory("Power");
    EXPECT_EQ(EntryText(distance, *catalogue_.TryFindUnit(distance, "inch")),
              "Distance >> inch [in]");
    EXPECT_EQ(EntryText(power, *catalogue_.TryFindUnit(power, "MBH")), "Power >> MBH []");
    const int transfer = *catalogue_.TryFindCategory("Data Transfer");
    EXPECT_EQ(EntryText(transfer, *catalogue_.TryFindUnit(transfer, "H12 ")),
              "Data Transfer >> H12 ");
    // The all-units pane's rows: the same text without the category.
    EXPECT_EQ(UnitEntryText("inch", "in"), "inch [in]");
    EXPECT_EQ(UnitEntryText("MBH", ""), "MBH []");
    EXPECT_EQ(UnitEntryText("H12 ", kNoAbbreviation), "H12 ");
}

TEST_F(FindEntriesTest, EntriesCoverTheBuiltInCategoriesOnly) {
    const int distance = *catalogue_.TryFindCategory("Distance");
    ASSERT_TRUE(catalogue_.AppendUnit(distance, "Rope [long]", 500));
    catalogue_.SetCategoryName(42, "money");
    ASSERT_TRUE(catalogue_.AppendUnit(42, "Euro", 1));

    const auto entries = BuildFindEntries(catalogue_);
    EXPECT_EQ(entries.size(), 926u);
    EXPECT_EQ(Found(entries, "rope ["), std::vector<std::string>{"Distance >> Rope [long] []"});
    EXPECT_TRUE(Found(entries, "euro >>").empty());
    // The entry says where its unit is, whatever its text holds.
    const auto rope = std::find_if(entries.begin(), entries.end(), [](const FindEntry& entry) {
        return entry.text == "Distance >> Rope [long] []";
    });
    ASSERT_NE(rope, entries.end());
    EXPECT_EQ(rope->category, distance);
    EXPECT_EQ(catalogue_.UnitName(rope->category, rope->unit), "Rope [long]");
}

TEST_F(FindEntriesTest, EntriesAreInListOrder) {
    const auto entries = BuildFindEntries(catalogue_);
    ASSERT_FALSE(entries.empty());
    const auto listOrder = [](const FindEntry& a, const FindEntry& b) {
        return ListTextLess(a.text, b.text);
    };
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), listOrder));
    for (const FindEntry& entry : entries) {
        EXPECT_EQ(entry.text, EntryText(entry.category, entry.unit));
        EXPECT_EQ(entry.folded, FoldCase(entry.text));
    }
}

TEST_F(FindEntriesTest, SearchIsASubstringIgnoringCase) {
    const auto entries = BuildFindEntries(catalogue_);
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

}  // namespace
}  // namespace korvane
