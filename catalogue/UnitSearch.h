#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// "Contains, ignoring case" with the program's one case rule (FoldCase). A search box runs it
// for every entry on every keystroke, so both sides are folded ahead: the entries once when the
// list is built, the search text once per change. Folding maps code point to code point, so a
// byte search in folded UTF-8 finds exactly the folded character sequences. An empty search text
// is found in every text.
bool ContainsFolded(std::string_view foldedText, std::string_view foldedQuery);

// The same for texts that are not folded yet; folds both on each call.
bool ContainsIgnoringCase(std::string_view text, std::string_view query);

// One searchable unit: the text a list shows, its folded form, and where the unit lives, so a
// chosen entry needs no parsing of its text (a unit name may itself contain " [" or " >> ").
struct UnitSearchEntry {
    int category = 0;
    int unit = 0;
    std::string text;    // "Distance >> inch [in]"
    std::string folded;  // FoldCase(text)
};

// "Category >> unit", then " [abbreviation]" unless the unit carries the no-abbreviation marker;
// an empty abbreviation gives an empty pair of brackets ("Power >> MBH []").
std::string UnitEntryText(const UnitCatalogue& catalogue, int category, int unit);

// Every unit of the built-in categories, hidden ones and custom units added to them included,
// in category and table order. Custom categories are not searched.
std::vector<UnitSearchEntry> BuildUnitSearchEntries(const UnitCatalogue& catalogue);

inline bool EntryMatches(const UnitSearchEntry& entry, std::string_view foldedQuery) {
    return ContainsFolded(entry.folded, foldedQuery);
}

}  // namespace korvane
