#include "ui/dialogs/FindEntries.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/ListOrder.h"
#include "catalogue/UnitCatalogue.h"

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
    Step everything;
    everything.matches.resize(entries_.size());
    for (std::size_t i = 0; i < everything.matches.size(); ++i)
        everything.matches[i] = static_cast<int>(i);
    steps_.push_back(std::move(everything));
}

const std::vector<int>& FindFilter::Apply(std::string_view searchText) {
    std::string needle = FoldCase(searchText);
    // An entry that contains the new text contains every text inside it, so the deepest step
    // whose text the new one contains already holds every candidate.
    while (steps_.size() > 1 && needle.find(steps_.back().needle) == std::string::npos)
        steps_.pop_back();
    if (steps_.back().needle == needle)
        return steps_.back().matches;
    Step next;
    for (const int position : steps_.back().matches) {
        if (entries_[static_cast<std::size_t>(position)].folded.find(needle) != std::string::npos)
            next.matches.push_back(position);
    }
    next.needle = std::move(needle);
    steps_.push_back(std::move(next));
    return steps_.back().matches;
}

}  // namespace korvane
