#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
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

// ChooseUnits with a memory: batch requests repeat the same few unit pairs, and looking a pair
// up costs several times its conversion. The catalogue must outlive the chooser and stay
// unchanged. At most `remembered` different requests are kept, so a long file of distinct texts
// cannot grow it without bound; beyond that they are looked up each time.
class UnitChooser {
  public:
    UnitChooser(const UnitCatalogue& catalogue, UnitFinder::Index index, std::size_t remembered);

    // Valid until the next call.
    const UnitChoice& Choose(std::string_view from, std::string_view to,
                             std::string_view categoryName);

  private:
    const UnitCatalogue& catalogue_;
    UnitFinder finder_;
    std::size_t remembered_;
    std::unordered_map<std::string, UnitChoice> choices_;
    std::string key_;
    UnitChoice latest_;
};

// Two lines for --verbose: which unit each text chose, how, and in which category.
std::vector<std::string> DescribeChoice(const UnitCatalogue& catalogue, const UnitChoice& choice,
                                        std::string_view from, std::string_view to);

}  // namespace korvane::cli
