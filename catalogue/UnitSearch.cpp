#include "catalogue/UnitSearch.h"

#include "catalogue/CaseFold.h"

namespace korvane {

bool ContainsFolded(std::string_view foldedText, std::string_view foldedQuery) {
    return foldedText.find(foldedQuery) != std::string_view::npos;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view query) {
    return ContainsFolded(FoldCase(text), FoldCase(query));
}

std::string UnitEntryText(const UnitCatalogue& catalogue, int category, int unit) {
    const UnitRecord& record = catalogue.Unit(category, unit);
    std::string text = catalogue.CategoryName(category) + " >> " + record.name;
    if (record.abbreviation != kNoAbbreviation)
        text += " [" + record.abbreviation + "]";
    return text;
}

std::vector<UnitSearchEntry> BuildUnitSearchEntries(const UnitCatalogue& catalogue) {
    std::vector<UnitSearchEntry> entries;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            std::string text = UnitEntryText(catalogue, c, u);
            std::string folded = FoldCase(text);
            entries.push_back({c, u, std::move(text), std::move(folded)});
        }
    }
    return entries;
}

}  // namespace korvane
