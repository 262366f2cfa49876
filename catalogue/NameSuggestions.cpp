#include "catalogue/NameSuggestions.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "catalogue/Blanks.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char decoded = DecodeUtf8(utf8, at);
        // A malformed byte stands for itself, kept apart from every real character.
        out += decoded.length == 0 ? char32_t(0x110000 + static_cast<unsigned char>(utf8[at]))
                                   : decoded.codePoint;
        at += decoded.length == 0 ? 1 : decoded.length;
    }
    return out;
}

// Edits (insert, delete, replace, swap of neighbours) that turn `a` into `b`.
std::size_t SlipCount(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    std::iota(previous.begin(), previous.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

struct Scored {
    int rank;
    std::size_t slips;
    std::size_t length;
    std::size_t order;
    std::string_view name;
};

std::optional<int> RankOf(std::string_view key, std::string_view name,
                          std::string_view abbreviation, std::size_t slips, std::size_t allowed) {
    const std::string folded = FoldCase(TrimSpaces(name));
    const bool hasAbbreviation = !abbreviation.empty() && abbreviation != kNoAbbreviation;
    const std::string foldedAbbreviation = hasAbbreviation ? FoldCase(abbreviation) : std::string();
    if (folded == key || (hasAbbreviation && foldedAbbreviation == key))
        return 1;
    if (folded.starts_with(key) || (hasAbbreviation && foldedAbbreviation.starts_with(key)))
        return 2;
    if (folded.find(key) != std::string::npos)
        return 3;
    if (slips <= allowed)
        return 4;
    return std::nullopt;
}

}  // namespace

std::vector<std::string> RankSuggestions(std::string_view wanted,
                                         const std::vector<SuggestionCandidate>& candidates,
                                         std::size_t limit) {
    const std::string key = FoldCase(TrimSpaces(wanted));
    if (key.empty())
        return {};
    const std::u32string keyPoints = CodePoints(key);
    const std::size_t allowed = std::max<std::size_t>(1, keyPoints.size() / 3);
    std::vector<Scored> scored;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const SuggestionCandidate& candidate = candidates[i];
        const std::u32string points = CodePoints(FoldCase(TrimSpaces(candidate.name)));
        const std::size_t slips = SlipCount(keyPoints, points);
        const auto rank = RankOf(key, candidate.name, candidate.abbreviation, slips, allowed);
        if (rank)
            scored.push_back({*rank, slips, points.size(), i, candidate.name});
    }
    std::sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) {
        return std::tie(a.rank, a.slips, a.length, a.order) <
               std::tie(b.rank, b.slips, b.length, b.order);
    });
    std::vector<std::string> names;
    for (const Scored& entry : scored) {
        if (names.size() == limit)
            break;
        if (std::find(names.begin(), names.end(), entry.name) == names.end())
            names.emplace_back(entry.name);
    }
    return names;
}

std::vector<std::string> SuggestNames(std::string_view wanted,
                                      const std::vector<std::string>& names, std::size_t limit) {
    std::vector<SuggestionCandidate> candidates;
    candidates.reserve(names.size());
    for (const std::string& name : names)
        candidates.push_back({name, {}});
    return RankSuggestions(wanted, candidates, limit);
}

std::vector<std::string> SuggestUnits(const UnitCatalogue& catalogue, std::optional<int> category,
                                      std::string_view wanted, std::size_t limit) {
    std::vector<SuggestionCandidate> candidates;
    for (int c = 0; c < kMaxCategories; ++c) {
        if ((category && c != *category) || catalogue.IsFreeSlot(c))
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            const UnitRecord& unit = catalogue.Unit(c, u);
            candidates.push_back({unit.name, unit.abbreviation});
        }
    }
    return RankSuggestions(wanted, candidates, limit);
}

}  // namespace korvane
