#include "ui/dialogs/FindEntries.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitCatalogue.h"
#include "ui/main/ListOrder.h"

namespace korvane {

std::string FindEntryText(std::string_view category, std::string_view unit,
                          std::string_view abbreviation) {
    std::string text;
    text.reserve(category.size() + unit.size() + abbreviation.size() + 7);
    text.append(category).append(" >> ").append(unit);
    if (abbreviation != kNoAbbreviation)
        text.append(" [").append(abbreviation).append("]");
    return text;
}

std::vector<FindEntry> BuildFindEntries(const UnitCatalogue& catalogue) {
    std::vector<FindEntry> entries;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        const std::string& category = catalogue.CategoryName(c);
        const int count = catalogue.UnitCount(c);
        for (int u = 0; u < count; ++u) {
            const UnitRecord& unit = catalogue.Unit(c, u);
            std::string text = FindEntryText(category, unit.name, unit.abbreviation);
            std::string folded = FoldCase(text);
            entries.push_back(FindEntry{c, u, std::move(text), std::move(folded)});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return ListTextLess(a.text, b.text);
    });
    return entries;
}

FindFilter::FindFilter(const std::vector<FindEntry>& entries) : entries_(entries) {
    matches_.resize(entries_.size());
    for (std::size_t i = 0; i < matches_.size(); ++i)
        matches_[i] = static_cast<int>(i);
}

const std::vector<int>& FindFilter::Apply(std::string_view searchText) {
    std::string needle = FoldCase(searchText);
    // Every entry that contains the new text contains the old one too, so a longer text only
    // needs the previous matches; anything else starts again from the whole table.
    const bool narrows = needle.find(needle_) != std::string::npos;
    std::vector<int> candidates;
    if (narrows) {
        candidates.swap(matches_);
    } else {
        candidates.resize(entries_.size());
        for (std::size_t i = 0; i < candidates.size(); ++i)
            candidates[i] = static_cast<int>(i);
    }
    matches_.clear();
    for (const int position : candidates) {
        if (entries_[static_cast<std::size_t>(position)].folded.find(needle) != std::string::npos)
            matches_.push_back(position);
    }
    needle_ = std::move(needle);
    return matches_;
}

}  // namespace korvane
