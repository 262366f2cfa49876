#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/NameSuggestions.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

class NameSuggestionsTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }
    UnitCatalogue catalogue_;
};

struct SuggestionRow {
    const char* label;
    const char* category;  // nullptr: every category
    const char* wanted;
    std::vector<std::string> first;  // the first suggestions, in order
};

TEST_F(NameSuggestionsTest, CloseMatchesAndPrefixesComeFirst) {
    const SuggestionRow rows[] = {
        {"abbreviation first, before names that contain it", nullptr, "in", {"inch"}},
        {"abbreviation in another case", nullptr, "IN", {"inch"}},
        {"abbreviation that starts with the text", "Pressure", "inH", {"inch of Mercury"}},
        {"other blanks around a name", "Distance", " meter  ", {"meter"}},
        {"one letter more, shortest first", "Distance", "meters", {"meter"}},
        {"swapped letters are one slip", nullptr, "metre", {"meter"}},
        {"prefix of several, nearest first", "Distance", "kilome", {"kilometer"}},
        {"a name once although two categories hold it", nullptr, "litre", {"liter"}},
    };
    for (const SuggestionRow& row : rows) {
        SCOPED_TRACE(row.label);
        const auto category =
            row.category ? catalogue_.TryFindCategory(row.category) : std::optional<int>();
        const auto names = SuggestUnits(catalogue_, category, row.wanted, 5);
        ASSERT_GE(names.size(), row.first.size());
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + row.first.size()),
                  row.first);
        for (std::size_t i = 0; i < names.size(); ++i) {
            for (std::size_t j = i + 1; j < names.size(); ++j)
                EXPECT_NE(names[i], names[j]);
        }
    }
}

TEST_F(NameSuggestionsTest, NothingCloseSuggestsNothing) {
    EXPECT_TRUE(SuggestUnits(catalogue_, std::nullopt, "xyzzy").empty());
    EXPECT_TRUE(SuggestUnits(catalogue_, std::nullopt, "").empty());
    EXPECT_TRUE(SuggestUnits(catalogue_, std::nullopt, "   ").empty());
    // A free slot's units are none, and its name is no category.
    EXPECT_TRUE(SuggestUnits(catalogue_, 46, "meter").empty());
}

TEST_F(NameSuggestionsTest, LimitAndCategoryNames) {
    EXPECT_EQ(SuggestUnits(catalogue_, std::nullopt, "in", 2).size(), 2u);
    const std::vector<std::string> categories{"Distance", "Data", "Data Transfer", "Density"};
    EXPECT_EQ(SuggestNames("distance", categories), std::vector<std::string>{"Distance"});
    EXPECT_EQ(SuggestNames("data", categories),
              (std::vector<std::string>{"Data", "Data Transfer"}));
}

}  // namespace
}  // namespace korvane
