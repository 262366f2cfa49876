#include "catalogue/UnitTiers.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitStarts.h"
#include "catalogue/UnitTextCompare.h"
#include "catalogue/UnitTextForms.h"
#include "catalogue/Utf8.h"

namespace korvane {

using namespace unit_text;

namespace {

constexpr std::string_view kNumbers = "Numbers";

std::vector<int> AliasMatches(const UnitCatalogue& catalogue, int category, std::string_view text,
                              const std::vector<std::string>& forms, Tier tier,
                              const TierContext& context) {
    std::vector<int> units;
    const std::string& categoryName = catalogue.CategoryName(category);
    for (const UnitAlias& alias : UnitAliases()) {
        if (alias.category != categoryName || !AliasApplies(alias, context) ||
            (tier != Tier::Alias && (alias.scope != AliasScope::Always || alias.exactCase)))
            continue;
        const bool hit = tier == Tier::Alias
                             ? std::any_of(forms.begin(), forms.end(),
                                           [&](const std::string& f) { return f == alias.alias; })
                             : SameText(alias.alias, text, true, false);
        if (hit) {
            if (const auto unit = FindUnitIgnoringTrailingBlanks(catalogue, category, alias.unit))
                AddUnit(units, *unit);
        }
    }
    if (tier != Tier::Alias)
        return units;
    for (int u = 0, count = catalogue.UnitCount(category); u < count; ++u) {
        const UnitTexts unit = TextsOf(catalogue, category, u);
        for (const std::string& form : forms) {
            if (form != text && MatchesForm(unit, form))
                AddUnit(units, u);
        }
    }
    std::sort(units.begin(), units.end());
    return units;
}

std::vector<int> MatchTierWithForms(const UnitCatalogue& catalogue, int category,
                                    std::string_view text, Tier tier,
                                    const std::vector<std::string>& forms,
                                    const std::string& foldedText, const TierContext& context) {
    // A prefix counts only by its full name: "m" is the meter, not milli.
    if (catalogue.CategoryName(category) == kSiPrefix && tier != Tier::Name &&
        tier != Tier::NameAnyCase)
        return {};
    if (tier == Tier::PartOfName && CharacterCount(text) < 3)
        return {};
    if (tier == Tier::Alias || tier == Tier::AbbreviationAnyCase) {
        std::vector<int> units = AliasMatches(catalogue, category, text, forms, tier, context);
        if (tier == Tier::Alias)
            return units;
        for (int u = 0, count = catalogue.UnitCount(category); u < count; ++u) {
            if (MatchesUnit(TextsOf(catalogue, category, u), text, tier, foldedText))
                AddUnit(units, u);
        }
        std::sort(units.begin(), units.end());
        return units;
    }
    std::vector<int> units;
    for (int u = 0, count = catalogue.UnitCount(category); u < count; ++u) {
        if (MatchesUnit(TextsOf(catalogue, category, u), text, tier, foldedText))
            units.push_back(u);
    }
    return units;
}

}  // namespace

bool IsLookupCategory(const UnitCatalogue& catalogue, int category) {
    return !catalogue.IsFreeSlot(category) && catalogue.CategoryName(category) != kNumbers &&
           catalogue.UnitCount(category) > 0;
}

std::vector<int> MatchTier(const UnitCatalogue& catalogue, int category, std::string_view text,
                           Tier tier, const TierContext& context) {
    const std::vector<std::string> forms =
        tier == Tier::Alias ? AliasForms(text) : std::vector<std::string>();
    const std::string folded = tier == Tier::PartOfName ? FoldCase(text) : std::string();
    return MatchTierWithForms(catalogue, category, text, tier, forms, folded, context);
}

std::vector<std::string> AliasForms(std::string_view text) {
    return TextForms(text);
}

UnitTextMatches::UnitTextMatches(const UnitCatalogue& catalogue, std::string text,
                                 TierContext context, const UnitTierIndex* index)
    : catalogue_(catalogue),
      index_(index),
      text_(std::move(text)),
      context_(context),
      unitScan_(index ? nullptr : std::make_shared<UnitScan>()) {}

UnitTextMatches::UnitTextMatches(const UnitTextMatches& sameText, TierContext context)
    : catalogue_(sameText.catalogue_),
      index_(sameText.index_),
      text_(sameText.text_),
      context_(context),
      unitScan_(sameText.unitScan_) {}

// Every one of the strict tiers compares a whole name, piece or form, so a unit none of whose
// texts begins as the typed text or one of its forms does is passed over without a comparison,
// and most of them are not even visited.
void UnitTextMatches::ScanUnits() {
    UnitScan& scan = *unitScan_;
    scan.forms = TextForms(text_);
    const TypedStarts& starts = scan.starts.emplace(text_, scan.forms);
    int category = -1;
    bool prefixes = false;
    const auto consider = [&](int c, int u, bool mayName) {
        if (c != category) {
            category = c;
            prefixes = catalogue_.CategoryName(c) == kSiPrefix;
        }
        const UnitCatalogue::RecordView record = catalogue_.UnitView(c, u);
        if (!mayName && !starts.MayName(record.name, record.abbreviation))
            return;
        const UnitTexts unit{TrimRight(record.name), record.abbreviation};
        // Once a unit of the category is found, only as strict a tier can add another.
        const Tier limit = std::min(scan.byCategory[c].tier, Tier::WithoutQualifier);
        const Tier tier = StrictestTier(unit, text_, scan.forms, prefixes, limit);
        if (tier != Tier::None)
            Keep(scan.byCategory[c], tier, u);
    };
    if (!starts.AnyInitial()) {
        for (const UnitRef& unit : CandidateUnits(catalogue_, starts))
            consider(unit.category, unit.unit, unit.mayName);
    } else {
        for (int c = 0; c < kMaxCategories; ++c) {
            if (!IsLookupCategory(catalogue_, c))
                continue;
            for (int u = 0, count = catalogue_.UnitCount(c); u < count; ++u)
                consider(c, u, false);
        }
    }
    scan.done = true;
}

void UnitTextMatches::AdvanceTo(Tier tier) {
    const int first = done_ == Tier::None ? 1 : static_cast<int>(done_) + 1;
    if (first > static_cast<int>(tier) || text_.empty())
        return;
    if (index_) {
        for (int t = first; t <= static_cast<int>(tier); ++t)
            AddIndexed(static_cast<Tier>(t));
        done_ = tier;
        return;
    }
    if (!strict_)
        ScanStrictTiers();
    const auto& strict = *strict_;
    // A category takes what the one pass found there only once the caller asks for that tier,
    // so the tiers still reveal themselves in order.
    for (int c = 0; c < kMaxCategories; ++c) {
        if (!byCategory_[c].Found() && strict[c].Found() && strict[c].tier <= tier)
            byCategory_[c] = strict[c];
    }
    const bool partsDone = done_ != Tier::None && done_ >= Tier::PartOfName;
    if (tier >= Tier::PartOfName && !partsDone) {
        const std::string folded = FoldCase(text_);
        for (int c = 0; c < kMaxCategories; ++c) {
            if (byCategory_[c].Found() || !IsLookupCategory(catalogue_, c))
                continue;
            std::vector<int> units = MatchTierWithForms(catalogue_, c, text_, Tier::PartOfName,
                                                        forms_, folded, context_);
            if (!units.empty())
                byCategory_[c] = TierMatch{Tier::PartOfName, std::move(units)};
        }
    }
    done_ = tier;
}

// Tiers Name to WithoutQualifier: for each category the strictest tier that finds anything and
// the units it finds. The pass over the units is shared with the same text in another context;
// the alias table, which the context changes, is read for each.
void UnitTextMatches::ScanStrictTiers() {
    if (!unitScan_->done)
        ScanUnits();
    forms_ = unitScan_->forms;
    strict_ = std::make_unique<std::array<TierMatch, kMaxCategories>>(unitScan_->byCategory);
    auto& strict = *strict_;
    for (const UnitAlias& alias : UnitAliases()) {
        const TypedStarts& starts = *unitScan_->starts;
        if (alias.alias.empty() || !starts.MayBeginWith(alias.alias.front()) ||
            !starts.MayStart(alias.alias))
            continue;
        const Tier tier = AliasTier(alias, text_, forms_, context_);
        if (tier == Tier::None)
            continue;
        for (int c = 0; c < kMaxCategories; ++c) {
            if (catalogue_.CategoryName(c) != alias.category || !IsLookupCategory(catalogue_, c) ||
                catalogue_.CategoryName(c) == kSiPrefix)
                continue;
            if (const auto unit = FindUnitIgnoringTrailingBlanks(catalogue_, c, alias.unit)) {
                Keep(strict[c], tier, *unit);
                std::sort(strict[c].units.begin(), strict[c].units.end());
            }
        }
    }
}

bool UnitTextMatches::FoundBy(Tier tier) const {
    return std::any_of(byCategory_.begin(), byCategory_.end(),
                       [tier](const TierMatch& m) { return m.Found() && m.tier <= tier; });
}

Tier UnitTextMatches::BestTier() const {
    Tier best = Tier::None;
    for (const TierMatch& match : byCategory_) {
        if (match.Found())
            best = std::min(best, match.tier);
    }
    return best;
}

}  // namespace korvane
