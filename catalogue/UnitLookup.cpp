#include "catalogue/UnitLookup.h"

#include <algorithm>
#include <string>

#include "catalogue/CaseFold.h"

namespace korvane {

namespace {

constexpr std::array kMatchOrder{UnitMatch::Exact, UnitMatch::Abbreviation, UnitMatch::IgnoringCase,
                                 UnitMatch::PartOfName};

bool MatchesAbbreviation(std::string_view abbreviation, std::string_view text) {
    return abbreviation == text && !text.empty() && text != kNoAbbreviation;
}

// The folded unit names of one category: folded on the spot, or read from a cache that a caller
// looking up many texts filled once.
class FoldedNames {
  public:
    FoldedNames(const UnitCatalogue& catalogue, int category, const std::vector<std::string>* cache)
        : catalogue_(catalogue), category_(category), cache_(cache) {}

    // `scratch` holds a name folded on the spot.
    std::string_view Of(int unit, std::string& scratch) const {
        if (cache_)
            return (*cache_)[unit];
        scratch = FoldCase(catalogue_.UnitNameView(category_, unit));
        return scratch;
    }

  private:
    const UnitCatalogue& catalogue_;
    int category_;
    const std::vector<std::string>* cache_;
};

std::vector<int> LooseMatches(const UnitCatalogue& catalogue, int category, std::string_view text,
                              UnitMatch kind, const FoldedNames& names) {
    std::vector<int> units;
    // Blanks alone are part of too many names to mean one.
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return units;
    const std::string folded = FoldCase(text);
    std::string scratch;
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        const bool match =
            kind == UnitMatch::Abbreviation
                ? MatchesAbbreviation(catalogue.UnitAbbreviationView(category, u), text)
            : kind == UnitMatch::IgnoringCase ? names.Of(u, scratch) == folded
                                              : ContainsFolded(names.Of(u, scratch), folded);
        if (match)
            units.push_back(u);
    }
    // Units that start with the text first: "pars" lists "parsec" before "megaparsec".
    if (kind == UnitMatch::PartOfName) {
        std::stable_partition(units.begin(), units.end(), [&](int unit) {
            return names.Of(unit, scratch).starts_with(folded);
        });
    }
    return units;
}

std::vector<int> Matches(const UnitCatalogue& catalogue, int category, std::string_view text,
                         UnitMatch kind, const std::vector<std::string>* foldedNames) {
    if (kind == UnitMatch::Exact) {
        const auto unit = catalogue.TryFindUnit(category, text);
        return unit ? std::vector<int>{*unit} : std::vector<int>();
    }
    return LooseMatches(catalogue, category, text, kind,
                        FoldedNames(catalogue, category, foldedNames));
}

}  // namespace

std::vector<int> MatchUnits(const UnitCatalogue& catalogue, int category, std::string_view text,
                            UnitMatch kind) {
    return Matches(catalogue, category, text, kind, nullptr);
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

UnitFinder::FoldedCatalogue UnitFinder::FoldAllNames(const UnitCatalogue& catalogue) {
    FoldedCatalogue folded;
    for (int c = 0; c < kMaxCategories; ++c) {
        for (int u = 0; u < catalogue.UnitCount(c); ++u)
            folded[c].push_back(FoldCase(catalogue.UnitNameView(c, u)));
    }
    return folded;
}

UnitFinder::UnitFinder(const UnitCatalogue& catalogue, Index index) : catalogue_(catalogue) {
    if (index == Index::None)
        return;
    for (int c = 0; c < kMaxCategories; ++c) {
        if (catalogue.IsFreeSlot(c))
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            auto& places = exactNames_[catalogue.UnitNameView(c, u)];
            if (!places.empty() && places.back().first == c)
                places.back().second = u;  // the last occurrence wins, as in TryFindUnit
            else
                places.emplace_back(c, u);
        }
    }
    foldedNames_ = FoldAllNames(catalogue);
}

void UnitFinder::AddMatches(std::string_view text, UnitMatch kind, const FoldedCatalogue* folded,
                            Progress& progress) const {
    if (kind == UnitMatch::Exact && foldedNames_) {
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
        std::vector<int> units =
            Matches(catalogue_, c, text, kind, folded ? &(*folded)[c] : nullptr);
        if (!units.empty())
            progress.byCategory[c] = UnitLookup{kind, std::move(units)};
    }
}

UnitPairLookup UnitFinder::FindPair(std::string_view from, std::string_view to) const {
    Progress fromProgress;
    Progress toProgress;
    // The looser kinds compare folded names; both texts share one folding of the catalogue.
    std::optional<FoldedCatalogue> foldedHere;
    const FoldedCatalogue* folded = foldedNames_ ? &*foldedNames_ : nullptr;
    UnitPairLookup result;
    // Kind by kind, so the common case (two exact names) never folds or scans for parts.
    for (UnitMatch kind : kMatchOrder) {
        if (kind >= UnitMatch::IgnoringCase && !folded)
            folded = &foldedHere.emplace(FoldAllNames(catalogue_));
        AddMatches(from, kind, folded, fromProgress);
        AddMatches(to, kind, folded, toProgress);
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
