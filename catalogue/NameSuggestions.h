#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// What a text that named nothing was probably meant to be, best first, each name once:
//   1. the same name in another case or with other blanks around it, or a unit whose
//      abbreviation is the text in any case ("IN" -> "inch");
//   2. names and abbreviations that start with the text ("inc" -> "inch", "inch²", ...);
//   3. names that contain it;
//   4. names a few typing slips away ("meters" -> "meter"; one slip per three characters,
//      at least one; a swap of neighbours is one slip).
// Within a rank, the nearer name, then the shorter, then the earlier comes first. All
// comparisons fold case with FoldCase.
struct SuggestionCandidate {
    std::string_view name;
    std::string_view abbreviation;  // empty or the no-abbreviation marker: none
};

std::vector<std::string> RankSuggestions(std::string_view wanted,
                                         const std::vector<SuggestionCandidate>& candidates,
                                         std::size_t limit = 3);

// Candidates without abbreviations, such as category names.
std::vector<std::string> SuggestNames(std::string_view wanted,
                                      const std::vector<std::string>& names, std::size_t limit = 3);

// Units of one category, or of every category in use when none is given.
std::vector<std::string> SuggestUnits(const UnitCatalogue& catalogue, std::optional<int> category,
                                      std::string_view wanted, std::size_t limit = 3);

}  // namespace korvane
