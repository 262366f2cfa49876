#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitLookup.h"

namespace korvane::cli {

// The units a convert request names, found through the catalogue's lookup (exact name,
// abbreviation, name in any case, part of a name), and the words for what it found.
struct UnitChoice {
    int category = -1;  // -1: not resolved; `message` says why
    int from = 0;
    int to = 0;
    UnitMatch fromMatch = UnitMatch::Exact;
    UnitMatch toMatch = UnitMatch::Exact;
    std::string message;
};

// `categoryName` empty: the category is the one that holds both units best (UnitFinder).
UnitChoice ChooseUnits(const UnitCatalogue& catalogue, const UnitFinder& finder,
                       std::string_view from, std::string_view to, std::string_view categoryName);

// Two lines for --verbose: which unit each text chose, how, and in which category.
std::vector<std::string> DescribeChoice(const UnitCatalogue& catalogue, const UnitChoice& choice,
                                        std::string_view from, std::string_view to);

}  // namespace korvane::cli
