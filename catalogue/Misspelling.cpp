#include "catalogue/Misspelling.h"

#include <algorithm>
#include <array>
#include <vector>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitAliases.h"
#include "catalogue/UnitTiers.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

constexpr std::size_t kMinLength = 3;

std::u32string CodePoints(std::string_view text) {
    std::u32string out;
    const std::string folded = FoldCase(text);
    for (std::size_t at = 0; at < folded.size();) {
        const Utf8Char c = DecodeUtf8(folded, at);
        out += c.length == 0 ? static_cast<char32_t>(static_cast<unsigned char>(folded[at]))
                             : c.codePoint;
        at += c.length == 0 ? 1 : c.length;
    }
    return out;
}

constexpr std::size_t kLongest = 64;  // longer texts are not compared

// Optimal string alignment distance, given up past `limit`; three rolling rows on the stack,
// since this runs for every name, abbreviation and alias of the catalogue.
std::size_t Distance(const std::u32string& a, const std::u32string& b, std::size_t limit) {
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > limit || a.size() >= kLongest || b.size() >= kLongest)
        return limit + 1;
    std::array<std::size_t, kLongest> before{};
    std::array<std::size_t, kLongest> previous{};
    std::array<std::size_t, kLongest> current{};
    for (std::size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        std::size_t best = current[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
            best = std::min(best, current[j]);
        }
        if (best > limit)
            return limit + 1;
        before = previous;
        previous = current;
    }
    return previous[b.size()];
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

struct Best {
    std::size_t distance;
    std::optional<Misspelling> found;
};

// Everyday categories are searched first, so a tie goes to the unit people mean more often.
std::vector<int> SearchOrder(const UnitCatalogue& catalogue) {
    constexpr std::string_view kFirst[] = {"Distance", "Mass",     "Volume", "Temperature",
                                           "Time",     "Velocity", "Area",   "Pressure",
                                           "Energy",   "Power",    "Data"};
    std::vector<int> order;
    for (std::string_view name : kFirst) {
        if (const auto c = catalogue.TryFindCategory(name))
            order.push_back(*c);
    }
    for (int c = 0; c < kMaxCategories; ++c) {
        if (std::find(order.begin(), order.end(), c) == order.end())
            order.push_back(c);
    }
    return order;
}

void Consider(const std::vector<std::u32string>& wanted, std::string_view candidate, int category,
              int unit, const UnitCatalogue& catalogue, Best& best) {
    if (candidate.empty() || candidate == kNoAbbreviation)
        return;
    // Most candidates differ too much in length to be near: skip them before folding.
    const std::size_t length = CharacterCount(candidate);
    const bool nearInLength = std::any_of(wanted.begin(), wanted.end(), [&](const auto& w) {
        const std::size_t gap = w.size() > length ? w.size() - length : length - w.size();
        return gap < best.distance;
    });
    if (!nearInLength)
        return;
    const std::u32string text = CodePoints(candidate);
    for (const std::u32string& w : wanted) {
        const std::size_t distance = Distance(w, text, best.distance - 1);
        if (distance < best.distance) {
            best.distance = distance;
            best.found =
                Misspelling{category, unit,
                            std::string(WithoutTrailingBlanks(catalogue.UnitName(category, unit)))};
        }
    }
}

}  // namespace

std::optional<Misspelling> FindMisspelling(const UnitCatalogue& catalogue, std::string_view typed) {
    const std::size_t length = CharacterCount(typed);
    if (length < kMinLength)
        return std::nullopt;
    std::vector<std::u32string> wanted;
    for (const std::string& form : AliasForms(typed)) {
        if (CharacterCount(form) >= kMinLength)
            wanted.push_back(CodePoints(form));
    }
    Best best{std::max<std::size_t>(1, length / 3) + 1, std::nullopt};
    for (int c : SearchOrder(catalogue)) {
        if (!IsLookupCategory(catalogue, c) || catalogue.CategoryName(c) == "SI Prefix")
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            Consider(wanted, WithoutTrailingBlanks(catalogue.UnitName(c, u)), c, u, catalogue,
                     best);
            Consider(wanted, catalogue.UnitAbbreviation(c, u), c, u, catalogue, best);
        }
        for (const UnitAlias& alias : UnitAliases()) {
            if (alias.category != catalogue.CategoryName(c) || alias.scope != AliasScope::Always)
                continue;
            if (const auto unit = FindUnitIgnoringTrailingBlanks(catalogue, c, alias.unit))
                Consider(wanted, alias.alias, c, *unit, catalogue, best);
        }
    }
    if (best.found && best.distance == 0)
        return std::nullopt;  // found as typed: not a misspelling
    return best.found;
}

std::optional<Misspelling> FindIntendedUnit(const UnitCatalogue& catalogue,
                                            std::string_view typed) {
    UnitTextMatches matches(catalogue, std::string(typed));
    matches.AdvanceTo(Tier::WithoutQualifier);
    const Tier best = matches.BestTier();
    std::optional<Misspelling> found;
    for (int c = 0; c < kMaxCategories; ++c) {
        const TierMatch& match = matches.In(c);
        if (!match.Found() || match.tier != best)
            continue;
        if (found || match.units.size() != 1)
            return FindMisspelling(catalogue, typed);  // several: no single answer
        const int unit = match.units.front();
        found =
            Misspelling{c, unit, std::string(WithoutTrailingBlanks(catalogue.UnitName(c, unit)))};
    }
    return found ? found : FindMisspelling(catalogue, typed);
}

}  // namespace korvane
