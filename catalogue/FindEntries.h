#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitAliases.h"

namespace korvane {

class UnitCatalogue;

// The units a search text finds: the Find dialog's entries and their filter, and the text the
// all-units pane filters its rows on. Standard library only, so the rules are tested without a
// window.

// One searchable unit: the text the Find list shows ("Distance >> inch [in]") and where the
// unit lives, so a choice never has to be parsed back out of the text (a unit name may itself
// contain " >> " or "[").
struct FindEntry {
    int category = 0;
    int unit = 0;  // unit index in the category (record number - 1)
    std::string text;
    std::string folded;  // `text` through the core's case folding (FoldCase), for ContainsFolded
};

// "unit [abbreviation]"; no brackets when the abbreviation is the no-abbreviation marker " ",
// an empty pair when it is empty ("MBH []"). The all-units pane filters its rows on this text.
std::string UnitEntryText(std::string_view unit, std::string_view abbreviation);

// "Category >> " and then UnitEntryText: what the Find list shows.
std::string FindEntryText(std::string_view category, std::string_view unit,
                          std::string_view abbreviation);

// Every unit of the built-in categories, hidden ones and custom units included (custom
// categories are not searched), in list order: sorted by text with the one comparator of the
// lists (catalogue/ListOrder.h), units of equal text in category and table order.
std::vector<FindEntry> BuildFindEntries(const UnitCatalogue& catalogue);

// The entries whose text contains the search text, ignoring case, as positions into the entry
// table, in table order. What keeps each keystroke cheap on a full catalogue: a longer text
// only re-tests the entries that matched a shorter text it contains, and a backspace returns
// to the matches that text already had.
class FindFilter {
  public:
    explicit FindFilter(const std::vector<FindEntry>& entries);

    // Returns the matching positions for `searchText` (UTF-8; empty matches everything).
    const std::vector<int>& Apply(std::string_view searchText);
    const std::vector<int>& Matches() const { return steps_.back().matches; }

  private:
    // Each step's folded text contains the one below it; the bottom is the empty text.
    struct Step {
        std::string needle;
        std::vector<int> matches;
    };

    const std::vector<FindEntry>& entries_;
    std::vector<Step> steps_;
};

// Find's second pass: the units a search text names without its accents ("angstrom" for
// ångström) or by an everyday alias ("mph" for mile/hour), which no entry text contains. They
// are listed after the entries the text itself matches, so those keep their places.
class FindAliasMatches {
  public:
    FindAliasMatches(const UnitCatalogue& catalogue, const std::vector<FindEntry>& entries);

    // `firstPass` (the matching positions, in table order), then the positions of the entries
    // only this pass finds, in table order.
    std::vector<int> Extend(std::string_view searchText, const std::vector<int>& firstPass) const;

  private:
    AliasAndAccentIndex index_;
    std::size_t entryCount_ = 0;
    // The entry position of each unit, by category and unit index; -1 for units Find does not
    // list (custom categories).
    std::vector<std::vector<int>> positions_;
};

}  // namespace korvane
