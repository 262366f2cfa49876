#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "catalogue/UnitCatalogue.h"
#include "cli/UnitChoice.h"

namespace korvane::cli {
namespace {

using Request = std::tuple<std::string, std::string, std::string>;

void ExpectSameChoice(const UnitChoice& remembered, const UnitChoice& fresh) {
    EXPECT_EQ(remembered.category, fresh.category);
    EXPECT_EQ(remembered.from, fresh.from);
    EXPECT_EQ(remembered.to, fresh.to);
    EXPECT_EQ(remembered.fromMatch, fresh.fromMatch);
    EXPECT_EQ(remembered.toMatch, fresh.toMatch);
    EXPECT_EQ(remembered.message, fresh.message);
}

// A remembered choice must be the one a fresh lookup makes, whether it comes from memory, from a
// chooser that is full, or for texts that differ only in where one ends and the next begins.
TEST(UnitChooser, AnswersAsAFreshLookupDoes) {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    const UnitFinder finder(catalogue);
    const std::vector<Request> requests{
        {"foot", "inch", ""},
        {"ft", "in", ""},
        {"foot", "inch", "Mass"},
        {"foot", "inch", "Distance"},
        {"meter", "", ""},
        {"mete", "rinch", ""},
        {"meterinch", "", ""},
        {"kilomet", "Meter", "Distance"},
        {"Euro", "Cent", ""},
        {"foot", "inch", "no such category"},
        {"", "", ""},
        {std::string("a\0b", 3), "inch", ""},
    };
    for (const std::size_t remembered : {std::size_t{0}, std::size_t{3}, std::size_t{100}}) {
        UnitChooser chooser(catalogue, UnitFinder::Index::ExactNames, remembered);
        for (int round = 0; round < 2; ++round) {
            for (const auto& [from, to, category] : requests) {
                SCOPED_TRACE(from + " | " + to + " | " + category);
                ExpectSameChoice(chooser.Choose(from, to, category),
                                 ChooseUnits(catalogue, finder, from, to, category));
            }
        }
    }
}

}  // namespace
}  // namespace korvane::cli
