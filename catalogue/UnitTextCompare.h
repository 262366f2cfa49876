#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitAliases.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitTiers.h"

// How the lookup tiers compare a typed text with a unit's name and abbreviation: shared by the
// tiers of one category, the pass over all units and the index. For the catalogue's own files.
namespace korvane::unit_text {

inline constexpr std::string_view kSiPrefix = "SI Prefix";

// The text without the blanks at its end: every tier ignores them in catalogue names.
std::string_view TrimRight(std::string_view text);

// Equal texts, without allocating: the lookups compare every name of the catalogue, so the
// common case (ASCII on both sides, where folding keeps the length) never decodes.
bool SameText(std::string_view a, std::string_view b, bool fold, bool skipDots);

// The text without its middle dots ("kW·h" -> "kWh"), as the abbreviation tiers compare.
std::string WithoutDots(std::string_view text);

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
std::string_view WithoutQualifier(std::string_view text);

// Whether `name`, case folded, contains `foldedText`: the part-of-name tier.
bool ContainsFoldedText(std::string_view name, std::string_view foldedText);

// A unit as the scan reads it: views, so a one-shot reading never builds the catalogue's strings.
struct UnitTexts {
    std::string_view name;  // trailing blanks dropped
    std::string_view abbreviation;
};

UnitTexts TextsOf(const UnitCatalogue& catalogue, int category, int unit);

// Whether `text` names the unit by exactly this tier (not the alias tier); `foldedText` is
// read by the part-of-name tier only.
bool MatchesUnit(const UnitTexts& unit, std::string_view text, Tier tier,
                 std::string_view foldedText);

// A form the alias tier made from the text: the whole name in any case or an abbreviation.
bool MatchesForm(const UnitTexts& unit, std::string_view form);

// Whether the alias may be read in this context: a time-group alias only in a mixed quantity.
bool AliasApplies(const UnitAlias& alias, const TierContext& context);

// Adds the unit once.
void AddUnit(std::vector<int>& units, int unit);

// The strictest of the tiers Name to WithoutQualifier, and no looser than `limit`, by which
// `text` or one of its forms names the unit; None when none does. A prefix counts only by its
// full name.
Tier StrictestTier(const UnitTexts& unit, std::string_view text,
                   const std::vector<std::string>& forms, bool prefix, Tier limit);

// The tier by which the alias table names a unit for `text`: the alias tier for the text or
// one of its forms as written, the case-folded abbreviation tier for the text in any case.
Tier AliasTier(const UnitAlias& alias, std::string_view text, const std::vector<std::string>& forms,
               const TierContext& context);

// Adds a unit found with `tier` to a category's match when no stricter tier found one there.
void Keep(TierMatch& match, Tier tier, int unit);

}  // namespace korvane::unit_text
