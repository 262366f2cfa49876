#include "catalogue/FindEntries.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/ListOrder.h"
#include "catalogue/UnitAliases.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

namespace {

void AppendUnitEntryText(std::string& text, std::string_view unit, std::string_view abbreviation) {
    text.append(unit);
    if (abbreviation != kNoAbbreviation)
        text.append(" [").append(abbreviation).append("]");
}

}  // namespace

std::string UnitEntryText(std::string_view unit, std::string_view abbreviation) {
    std::string text;
    text.reserve(unit.size() + abbreviation.size() + 3);
    AppendUnitEntryText(text, unit, abbreviation);
    return text;
}

std::string FindEntryText(std::string_view category, std::string_view unit,
                          std::string_view abbreviation) {
    std::string text;
    text.reserve(category.size() + unit.size() + abbreviation.size() + 7);
    text.append(category).append(" >> ");
    AppendUnitEntryText(text, unit, abbreviation);
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
        if (ContainsFolded(entries_[static_cast<std::size_t>(position)].folded, needle))
            next.matches.push_back(position);
    }
    next.needle = std::move(needle);
    steps_.push_back(std::move(next));
    return steps_.back().matches;
}

FindAliasMatches::FindAliasMatches(const UnitCatalogue& catalogue,
                                   const std::vector<FindEntry>& entries)
    : index_(catalogue), entryCount_(entries.size()), positions_(kBuiltInCategories) {
    for (int c = 0; c < kBuiltInCategories; ++c)
        positions_[static_cast<std::size_t>(c)].assign(
            static_cast<std::size_t>(std::max(catalogue.UnitCount(c), 0)), -1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto& units = positions_[static_cast<std::size_t>(entries[i].category)];
        units[static_cast<std::size_t>(entries[i].unit)] = static_cast<int>(i);
    }
}

std::vector<int> FindAliasMatches::Extend(std::string_view searchText,
                                          const std::vector<int>& firstPass) const {
    std::vector<int> shown = firstPass;
    // Every entry contains the empty text already.
    if (searchText.empty() || firstPass.size() == entryCount_)
        return shown;
    std::vector<bool> listed(entryCount_, false);
    for (const int position : firstPass)
        listed[static_cast<std::size_t>(position)] = true;
    std::vector<int> more;
    for (const AliasMatch& match : index_.Match(searchText)) {
        if (match.category < 0 || match.category >= kBuiltInCategories)
            continue;
        const auto& units = positions_[static_cast<std::size_t>(match.category)];
        if (match.unit < 0 || static_cast<std::size_t>(match.unit) >= units.size())
            continue;
        const int position = units[static_cast<std::size_t>(match.unit)];
        if (position >= 0 && !listed[static_cast<std::size_t>(position)]) {
            listed[static_cast<std::size_t>(position)] = true;
            more.push_back(position);
        }
    }
    std::sort(more.begin(), more.end());
    shown.insert(shown.end(), more.begin(), more.end());
    return shown;
}

}  // namespace korvane
