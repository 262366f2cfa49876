#include "catalogue/UnitTextCompare.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane::unit_text {

namespace {

constexpr char32_t kMiddleDot = 0xB7;

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

}  // namespace

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

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

void Keep(TierMatch& match, Tier tier, int unit) {
    if (tier > match.tier)
        return;
    if (tier < match.tier)
        match = TierMatch{tier, {}};
    AddUnit(match.units, unit);
}

}  // namespace korvane::unit_text
