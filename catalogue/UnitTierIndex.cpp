#include "catalogue/UnitTiers.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitTextCompare.h"
#include "catalogue/UnitTextForms.h"
#include "catalogue/Utf8.h"

// The index of the lookup tiers, and the lookups answered from it.
namespace korvane {

using namespace unit_text;

void UnitTierIndex::Add(int table, std::string key, Hit hit) {
    Hits& hits = tables_[table][std::move(key)];
    const bool known = std::any_of(hits.begin(), hits.end(), [&](const Hit& h) {
        return h.category == hit.category && h.unit == hit.unit;
    });
    if (!known)
        hits.push_back(hit);
}

UnitTierIndex::UnitTierIndex(const UnitCatalogue& catalogue) : catalogue_(catalogue) {
    for (int c = 0; c < kMaxCategories; ++c) {
        if (!IsLookupCategory(catalogue, c))
            continue;
        const bool prefixes = catalogue.CategoryName(c) == kSiPrefix;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            const UnitRecord& unit = catalogue.Unit(c, u);
            const std::string_view name = TrimRight(unit.name);
            folded_[c].push_back(FoldCase(name));
            Add(kName, std::string(name), {c, u});
            Add(kNameFolded, folded_[c].back(), {c, u});
            if (prefixes)
                continue;  // a prefix counts only by its full name
            const std::string_view bare = WithoutQualifier(name);
            if (!bare.empty())
                Add(kBareNameFolded, FoldCase(bare), {c, u});
            AnyPiece(unit.abbreviation, [&](std::string_view piece) {
                const std::string plain = WithoutDots(piece);
                Add(kAbbreviation, plain, {c, u});
                Add(kAbbreviationFolded, FoldCase(plain), {c, u});
                const std::string_view barePiece = WithoutQualifier(piece);
                if (!barePiece.empty())
                    Add(kBareAbbreviationFolded, FoldCase(WithoutDots(barePiece)), {c, u});
                return false;
            });
        }
        for (const UnitAlias& alias : UnitAliases()) {
            if (alias.category != catalogue.CategoryName(c))
                continue;
            const auto unit = FindUnitIgnoringTrailingBlanks(catalogue, c, alias.unit);
            if (!unit)
                continue;
            const bool timeGroup = alias.scope == AliasScope::TimeGroup;
            Add(kAlias, std::string(alias.alias), {c, *unit, timeGroup});
            if (!timeGroup && !alias.exactCase)
                Add(kAliasFolded, FoldCase(alias.alias), {c, *unit});
        }
    }
}

const UnitTierIndex::Hits* UnitTierIndex::Find(int table, const std::string& key) const {
    const auto found = tables_[table].find(key);
    return found == tables_[table].end() ? nullptr : &found->second;
}

void UnitTextMatches::AddHits(const UnitTierIndex::Hits* hits,
                              std::vector<UnitTierIndex::Hit>& found) const {
    if (!hits)
        return;
    for (const UnitTierIndex::Hit& hit : *hits) {
        if (!byCategory_[hit.category].Found() && (!hit.timeGroupOnly || context_.timeGroup))
            found.push_back(hit);
    }
}

// The same tiers as the scan, answered from the index's tables.
void UnitTextMatches::AddIndexed(Tier tier) {
    using I = UnitTierIndex;
    std::vector<I::Hit> found;
    switch (tier) {
        case Tier::Name:
            AddHits(index_->Find(I::kName, text_), found);
            break;
        case Tier::Abbreviation:
            AddHits(index_->Find(I::kAbbreviation, WithoutDots(text_)), found);
            break;
        case Tier::NameAnyCase:
            AddHits(index_->Find(I::kNameFolded, FoldCase(text_)), found);
            break;
        case Tier::Alias:
            if (forms_.empty())
                forms_ = TextForms(text_);
            for (const std::string& form : forms_) {
                AddHits(index_->Find(I::kAlias, form), found);
                if (form == text_)
                    continue;
                AddHits(index_->Find(I::kNameFolded, FoldCase(form)), found);
                AddHits(index_->Find(I::kAbbreviation, WithoutDots(form)), found);
            }
            break;
        case Tier::AbbreviationAnyCase:
            AddHits(index_->Find(I::kAbbreviationFolded, FoldCase(WithoutDots(text_))), found);
            AddHits(index_->Find(I::kAliasFolded, FoldCase(text_)), found);
            break;
        case Tier::WithoutQualifier:
            AddHits(index_->Find(I::kBareNameFolded, FoldCase(text_)), found);
            AddHits(index_->Find(I::kBareAbbreviationFolded, FoldCase(WithoutDots(text_))), found);
            break;
        case Tier::PartOfName:
            if (CharacterCount(text_) < 3)
                break;
            for (int c = 0; c < kMaxCategories; ++c) {
                if (byCategory_[c].Found() || !IsLookupCategory(catalogue_, c) ||
                    catalogue_.CategoryName(c) == kSiPrefix)
                    continue;
                const std::string folded = FoldCase(text_);
                for (int u = 0; u < catalogue_.UnitCount(c); ++u) {
                    if (index_->FoldedName(c, u).find(folded) != std::string::npos)
                        found.push_back({c, u});
                }
            }
            break;
        default:
            break;
    }
    // The prefixes' abbreviations and aliases are not indexed, so a hit there is by a name.
    for (const I::Hit& hit : found) {
        TierMatch& match = byCategory_[hit.category];
        match.tier = tier;
        AddUnit(match.units, hit.unit);
    }
    for (TierMatch& match : byCategory_) {
        if (match.tier == tier)
            std::sort(match.units.begin(), match.units.end());
    }
}

}  // namespace korvane
