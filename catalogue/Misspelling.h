#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The catalogue name a misspelt unit text was probably meant to be: the nearest name,
// abbreviation or alias by edit distance (a swap of neighbours is one slip; at most one slip per
// three characters), its plural and British forms tried too ("inchs" -> "inch", "mhp" ->
// "mile/hour"). Texts under 3 characters get none: too many units lie one slip away. A
// misspelling is only ever offered, never read.
struct Misspelling {
    int category = 0;
    int unit = 0;
    std::string name;  // the catalogue's name, without trailing blanks
};
std::optional<Misspelling> FindMisspelling(const UnitCatalogue& catalogue, std::string_view typed);

// What a text that the plain lookup (UnitLookup) does not know probably names: the one unit the
// alias table, the plurals or the case-insensitive abbreviations find ("mph" -> "mile/hour",
// "℃"-free "degC" -> "degree Celsius"), else the nearest misspelling. For "did you mean" lists.
std::optional<Misspelling> FindIntendedUnit(const UnitCatalogue& catalogue, std::string_view typed);

}  // namespace korvane
