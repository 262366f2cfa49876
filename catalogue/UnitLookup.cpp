#include "catalogue/UnitLookup.h"

#include <algorithm>
#include <array>
#include <string>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitSearch.h"

namespace korvane {

namespace {

constexpr std::array kMatchOrder{UnitMatch::Exact, UnitMatch::Abbreviation, UnitMatch::IgnoringCase,
                                 UnitMatch::PartOfName};

bool MatchesAbbreviation(std::string_view abbreviation, std::string_view text) {
    return abbreviation == text && !text.empty() && text != kNoAbbreviation;
}

// Units that start with the text first: "kilo" lists "kilometer" before "dekakilo...".
void PutPrefixesFirst(const UnitCatalogue& catalogue, int category, std::string_view folded,
                      std::vector<int>& units) {
    std::stable_partition(units.begin(), units.end(), [&](int unit) {
        return FoldCase(catalogue.UnitName(category, unit)).starts_with(folded);
    });
}

std::vector<int> LooseMatches(const UnitCatalogue& catalogue, int category, std::string_view text,
                              UnitMatch kind) {
    std::vector<int> units;
    // Blanks alone are part of too many names to mean one.
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return units;
    const std::string folded = FoldCase(text);
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        const UnitRecord& unit = catalogue.Unit(category, u);
        const bool match =
            kind == UnitMatch::Abbreviation   ? MatchesAbbreviation(unit.abbreviation, text)
            : kind == UnitMatch::IgnoringCase ? FoldCase(unit.name) == folded
                                              : ContainsFolded(FoldCase(unit.name), folded);
        if (match)
            units.push_back(u);
    }
    if (kind == UnitMatch::PartOfName)
        PutPrefixesFirst(catalogue, category, folded, units);
    return units;
}

}  // namespace

std::vector<int> MatchUnits(const UnitCatalogue& catalogue, int category, std::string_view text,
                            UnitMatch kind) {
    if (kind == UnitMatch::Exact) {
        const auto unit = catalogue.TryFindUnit(category, text);
        return unit ? std::vector<int>{*unit} : std::vector<int>();
    }
    return LooseMatches(catalogue, category, text, kind);
}

UnitLookup LookUpUnit(const UnitCatalogue& catalogue, int category, std::string_view text) {
    for (UnitMatch kind : kMatchOrder) {
        std::vector<int> units = MatchUnits(catalogue, category, text, kind);
        if (!units.empty())
            return {kind, std::move(units)};
    }
    return {};
}

// One text's lookups so far: per category, the first kind of match that found anything.
struct UnitFinder::Progress {
    std::array<std::optional<UnitLookup>, kMaxCategories> byCategory;

    bool AnyStricterThanPart() const {
        return std::any_of(byCategory.begin(), byCategory.end(), [](const auto& lookup) {
            return lookup && lookup->match != UnitMatch::PartOfName;
        });
    }
};

UnitFinder::UnitFinder(const UnitCatalogue& catalogue, Index index) : catalogue_(catalogue) {
    if (index == Index::None)
        return;
    for (int c = 0; c < kMaxCategories; ++c) {
        if (catalogue.IsFreeSlot(c))
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            auto& places = exactNames_[catalogue.UnitName(c, u)];
            if (!places.empty() && places.back().first == c)
                places.back().second = u;  // the last occurrence wins, as in TryFindUnit
            else
                places.emplace_back(c, u);
        }
    }
}

void UnitFinder::AddMatches(std::string_view text, UnitMatch kind, Progress& progress) const {
    if (kind == UnitMatch::Exact && !exactNames_.empty()) {
        const auto places = exactNames_.find(text);
        if (places == exactNames_.end())
            return;
        for (const auto& [category, unit] : places->second)
            progress.byCategory[category] = UnitLookup{kind, {unit}};
        return;
    }
    for (int c = 0; c < kMaxCategories; ++c) {
        if (progress.byCategory[c] || catalogue_.IsFreeSlot(c))
            continue;
        std::vector<int> units = MatchUnits(catalogue_, c, text, kind);
        if (!units.empty())
            progress.byCategory[c] = UnitLookup{kind, std::move(units)};
    }
}

UnitPairLookup UnitFinder::FindPair(std::string_view from, std::string_view to) const {
    Progress fromProgress;
    Progress toProgress;
    UnitPairLookup result;
    // Kind by kind, so the common case (two exact names) never folds or scans for parts.
    for (UnitMatch kind : kMatchOrder) {
        AddMatches(from, kind, fromProgress);
        AddMatches(to, kind, toProgress);
        std::pair<UnitMatch, UnitMatch> best{UnitMatch::PartOfName, UnitMatch::PartOfName};
        for (int c = 0; c < kMaxCategories; ++c) {
            const auto& a = fromProgress.byCategory[c];
            const auto& b = toProgress.byCategory[c];
            if (!a || !b ||
                (a->match == UnitMatch::PartOfName && b->match == UnitMatch::PartOfName))
                continue;
            const std::pair rank{std::max(a->match, b->match), std::min(a->match, b->match)};
            if (result.categories.empty() || rank < best) {
                best = rank;
                result.categories.clear();
            }
            if (rank == best)
                result.categories.push_back(c);
        }
        if (!result.categories.empty())
            break;
    }
    result.fromKnown = fromProgress.AnyStricterThanPart();
    result.toKnown = toProgress.AnyStricterThanPart();
    if (result.categories.size() == 1) {
        result.from = *fromProgress.byCategory[result.categories.front()];
        result.to = *toProgress.byCategory[result.categories.front()];
    }
    return result;
}

}  // namespace korvane
