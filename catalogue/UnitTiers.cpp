#include "catalogue/UnitTiers.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitStarts.h"
#include "catalogue/UnitTextForms.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

constexpr char32_t kMiddleDot = 0xB7;
constexpr std::string_view kSiPrefix = "SI Prefix";
constexpr std::string_view kNumbers = "Numbers";

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The next code point of `text` from `at`, case folded when asked; middle dots skipped when
// asked. Malformed bytes come one by one, as themselves.
char32_t NextCodePoint(std::string_view text, std::size_t& at, bool fold, bool skipDots) {
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        char32_t c = byte;
        if (byte < 0x80) {
            ++at;
        } else {
            const Utf8Char decoded = DecodeUtf8(text, at);
            c = decoded.length == 0 ? byte : decoded.codePoint;
            at += decoded.length == 0 ? 1 : decoded.length;
        }
        if (skipDots && c == kMiddleDot)
            continue;
        return fold ? FoldCodePoint(c) : c;
    }
    return 0;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Equal texts, without allocating: the lookups compare every name of the catalogue, so the
// common case (ASCII on both sides, where folding keeps the length) never decodes.
bool SameText(std::string_view a, std::string_view b, bool fold, bool skipDots) {
    if (!fold && !skipDots)
        return a == b;
    // Most candidates differ in their first letter; no unit text starts with a middle dot.
    if (!a.empty() && !b.empty()) {
        const auto x = static_cast<unsigned char>(a.front());
        const auto y = static_cast<unsigned char>(b.front());
        if (x < 0x80 && y < 0x80 &&
            (fold ? LowerAscii(a.front()) != LowerAscii(b.front()) : x != y))
            return false;
    }
    const bool ascii = IsAscii(a) && IsAscii(b);
    if (ascii && a.size() != b.size())
        return false;
    if (ascii) {
        return fold ? std::equal(a.begin(), a.end(), b.begin(),
                                 [](char x, char y) { return LowerAscii(x) == LowerAscii(y); })
                    : a == b;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (NextCodePoint(a, i, fold, skipDots) != NextCodePoint(b, j, fold, skipDots))
            return false;
    }
    return true;
}

std::string WithoutDots(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\xC2\xB7") == 0) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

// Calls `match` with each piece of an abbreviation: "NM, nmi" has two; a comma inside brackets
// ("ft (Clarke, Cape)") does not split. No pieces for the no-abbreviation marker.
template <typename Match>
bool AnyPiece(std::string_view abbreviation, Match match) {
    if (abbreviation.find(',') == std::string_view::npos) {
        std::string_view piece = TrimRight(abbreviation);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        return !piece.empty() && match(piece);
    }
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= abbreviation.size(); ++i) {
        const bool end = i == abbreviation.size();
        if (!end && abbreviation[i] == '(')
            ++depth;
        if (!end && abbreviation[i] == ')')
            depth = std::max(0, depth - 1);
        if (!end && !(depth == 0 && abbreviation[i] == ',' && i + 1 < abbreviation.size() &&
                      abbreviation[i + 1] == ' '))
            continue;
        std::string_view piece = TrimRight(abbreviation.substr(start, i - start));
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        if (!piece.empty() && match(piece))
            return true;
        start = i + 1;
    }
    return false;
}

// "therm (EC)" -> "therm", "cal (mean" -> "cal", "ounce(troy)" -> "ounce"; empty when the text
// has no trailing bracket or nothing before it.
std::string_view WithoutQualifier(std::string_view text) {
    text = TrimRight(text);
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos || open == 0)
        return {};
    const std::string_view tail = text.substr(open);
    const std::size_t close = tail.find(')');
    if (close != std::string_view::npos && close + 1 != tail.size())
        return {};
    return TrimRight(text.substr(0, open));
}

bool ContainsFoldedText(std::string_view name, std::string_view foldedText) {
    if (!IsAscii(name))
        return FoldCase(name).find(foldedText) != std::string::npos;
    const auto found = std::search(name.begin(), name.end(), foldedText.begin(), foldedText.end(),
                                   [](char a, char b) { return LowerAscii(a) == b; });
    return found != name.end();
}

// A unit as the scan reads it: views, so a one-shot reading never builds the catalogue's strings.
struct UnitTexts {
    std::string_view name;  // trailing blanks dropped
    std::string_view abbreviation;
};

UnitTexts TextsOf(const UnitCatalogue& catalogue, int category, int unit) {
    const UnitCatalogue::RecordView record = catalogue.UnitView(category, unit);
    return {TrimRight(record.name), record.abbreviation};
}

bool MatchesUnit(const UnitTexts& unit, std::string_view text, Tier tier,
                 std::string_view foldedText) {
    const std::string_view name = unit.name;
    switch (tier) {
        case Tier::Name:
            return name == text;
        case Tier::Abbreviation:
            return AnyPiece(unit.abbreviation,
                            [&](std::string_view p) { return SameText(p, text, false, true); });
        case Tier::NameAnyCase:
            return SameText(name, text, true, false);
        case Tier::AbbreviationAnyCase:
            return AnyPiece(unit.abbreviation,
                            [&](std::string_view p) { return SameText(p, text, true, true); });
        case Tier::WithoutQualifier: {
            const std::string_view bare = WithoutQualifier(name);
            if (!bare.empty() && SameText(bare, text, true, false))
                return true;
            return AnyPiece(unit.abbreviation, [&](std::string_view p) {
                const std::string_view piece = WithoutQualifier(p);
                return !piece.empty() && SameText(piece, text, true, true);
            });
        }
        case Tier::PartOfName:
            return ContainsFoldedText(name, foldedText);
        default:
            return false;
    }
}

// A form the alias tier made from the text: the whole name in any case or an abbreviation.
bool MatchesForm(const UnitTexts& unit, std::string_view form) {
    return SameText(unit.name, form, true, false) ||
           AnyPiece(unit.abbreviation,
                    [&](std::string_view p) { return SameText(p, form, false, true); });
}

bool AliasApplies(const UnitAlias& alias, const TierContext& context) {
    return alias.scope == AliasScope::Always || context.timeGroup;
}

void AddUnit(std::vector<int>& units, int unit) {
    if (std::find(units.begin(), units.end(), unit) == units.end())
        units.push_back(unit);
}

// The strictest of the tiers Name to WithoutQualifier, and no looser than `limit`, by which
// `text` or one of its forms names the unit; None when none does. A prefix counts only by its
// full name.
Tier StrictestTier(const UnitTexts& unit, std::string_view text,
                   const std::vector<std::string>& forms, bool prefix, Tier limit) {
    for (const Tier tier : {Tier::Name, Tier::Abbreviation, Tier::NameAnyCase}) {
        if (tier > limit)
            return Tier::None;
        if ((!prefix || tier != Tier::Abbreviation) && MatchesUnit(unit, text, tier, {}))
            return tier;
    }
    if (prefix || Tier::Alias > limit)
        return Tier::None;
    for (const std::string& form : forms) {
        if (form != text && MatchesForm(unit, form))
            return Tier::Alias;
    }
    for (const Tier tier : {Tier::AbbreviationAnyCase, Tier::WithoutQualifier}) {
        if (tier > limit)
            return Tier::None;
        if (MatchesUnit(unit, text, tier, {}))
            return tier;
    }
    return Tier::None;
}

// The tier by which the alias table names a unit for `text`: the alias tier for the text or
// one of its forms as written, the case-folded abbreviation tier for the text in any case.
Tier AliasTier(const UnitAlias& alias, std::string_view text, const std::vector<std::string>& forms,
               const TierContext& context) {
    if (!AliasApplies(alias, context))
        return Tier::None;
    if (std::find(forms.begin(), forms.end(), alias.alias) != forms.end())
        return Tier::Alias;
    if (alias.scope == AliasScope::Always && !alias.exactCase &&
        SameText(alias.alias, text, true, false))
        return Tier::AbbreviationAnyCase;
    return Tier::None;
}

// Adds a unit found with `tier` to a category's match when no stricter tier found one there.
void Keep(TierMatch& match, Tier tier, int unit) {
    if (tier > match.tier)
        return;
    if (tier < match.tier)
        match = TierMatch{tier, {}};
    AddUnit(match.units, unit);
}

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
    const TypedStarts starts(text_, scan.forms);
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
    scan.starts = starts;
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
