#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// Where an alias applies. Most apply wherever the text is read; a few only make sense beside
// other units ("m" is a minute only in "1h20m").
enum class AliasScope { Always, TimeGroup };

// What people type for a unit that the catalogue spells otherwise: everyday symbols (mph, tsp,
// lbs), spellings the plural and British rules do not reach (feet), and the context aliases
// (oz as the fluid ounce, bare C/F/K/R inside Temperature). The unit is named by its exact
// catalogue name, trailing blanks aside. Shared by the free-form reader, Find and the
// suggestions, so all three know the same words.
struct UnitAlias {
    std::string_view category;
    std::string_view alias;
    std::string_view unit;
    AliasScope scope = AliasScope::Always;
    bool exactCase = false;  // "Cal" is the kilocalorie, "cal" is not
};

std::span<const UnitAlias> UnitAliases();

// Units the catalogue does not have but people ask for: "Hz" names frequency. Said plainly
// instead of "unknown unit" or a far-fetched suggestion.
struct MissingUnit {
    std::string_view text;
    std::string_view what;
};
std::optional<MissingUnit> FindMissingUnit(std::string_view text);

// Single-unit tie-breakers between categories and inside one: "oz" is the Mass ounce, "bbl" the
// oil barrel. `unit` empty: only the category is preferred.
struct UnitPreference {
    std::string_view text;  // compared ignoring case
    std::string_view category;
    std::string_view unit;
};
std::span<const UnitPreference> UnitPreferences();

// A unit found by Find's second pass.
struct AliasMatch {
    int category = 0;
    int unit = 0;
};

// Units whose name without accents, or one of whose aliases, contains a typed text (case and
// accents ignored): "angstrom" finds ångström, "mph" finds mile/hour. Built-in and custom
// categories in catalogue order, each unit once. Find lists these after its own matches.
// The names and aliases are folded once, when the index is built, since Find asks again at
// every keystroke; the catalogue must not change while the index is in use.
class AliasAndAccentIndex {
  public:
    explicit AliasAndAccentIndex(const UnitCatalogue& catalogue);

    std::vector<AliasMatch> Match(std::string_view typed) const;

  private:
    struct Entry {
        std::string folded;  // a unit name or an alias, accents and case folded
        AliasMatch unit;
    };
    std::vector<Entry> entries_;  // in catalogue order, each unit's name before its aliases
};

// One query without keeping the index.
std::vector<AliasMatch> MatchAliasesAndAccents(const UnitCatalogue& catalogue,
                                               std::string_view typed);

// The unit `name` names in `category`, ignoring blanks at the end of catalogue names.
std::optional<int> FindUnitIgnoringTrailingBlanks(const UnitCatalogue& catalogue, int category,
                                                  std::string_view name);

}  // namespace korvane
