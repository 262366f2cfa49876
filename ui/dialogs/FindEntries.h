#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class UnitCatalogue;

// One searchable unit: the text the Find list shows ("Distance >> inch [in]") and where the
// unit lives, so a choice never has to be parsed back out of the text (a unit name may itself
// contain " >> " or "[").
struct FindEntry {
    int category = 0;
    int unit = 0;  // unit index in the category (record number - 1)
    std::string text;
    std::string folded;  // `text` through the core's case folding, for the substring test
};

// "Category >> unit [abbreviation]"; no brackets when the abbreviation is the " " marker.
std::string FindEntryText(std::string_view category, std::string_view unit,
                          std::string_view abbreviation);

// Every unit of the built-in categories, hidden ones and custom units included (custom
// categories are not searched), in list order.
std::vector<FindEntry> BuildFindEntries(const UnitCatalogue& catalogue);

// The entries whose text contains the search text, ignoring case, as positions into the entry
// table, in table order. Typing one more character only re-tests the entries that matched
// before, which is what keeps each keystroke cheap on a full catalogue.
class FindFilter {
  public:
    explicit FindFilter(const std::vector<FindEntry>& entries);

    // Returns the matching positions for `searchText` (UTF-8; empty matches everything).
    const std::vector<int>& Apply(std::string_view searchText);
    const std::vector<int>& Matches() const { return matches_; }

  private:
    const std::vector<FindEntry>& entries_;
    std::string needle_;  // folded search text of the last Apply
    std::vector<int> matches_;
};

}  // namespace korvane
