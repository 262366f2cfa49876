#include "query/UnitChoice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "catalogue/CaseFold.h"
#include "catalogue/Conversion.h"

namespace korvane::query {

namespace {

constexpr std::array<std::string_view, 12> kEveryday{
    "Distance", "Mass", "Volume",   "Volume (Dry)", "Temperature", "Time",
    "Velocity", "Area", "Pressure", "Energy",       "Power",       "Data"};
constexpr int kNotEveryday = 1000;
constexpr double kSameSize = 1.01;

using Rank = std::pair<Tier, Tier>;  // the looser tier of the texts, then the stricter

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string TemperatureHint(std::string_view letter) {
    return "; for " +
           std::string(letter == "C"   ? "Celsius"
                       : letter == "F" ? "Fahrenheit"
                       : letter == "R" ? "Rankine"
                                       : "Kelvin") +
           " type °" + std::string(letter);
}

std::optional<std::string_view> PreferredCategory(std::string_view text) {
    for (const UnitPreference& preference : UnitPreferences()) {
        if (EqualsIgnoringCase(preference.text, text))
            return preference.category;
    }
    return std::nullopt;
}

bool Allowed(const UnitCatalogue& catalogue, int category, const ChoiceRequest& request) {
    if (!IsLookupCategory(catalogue, category))
        return false;
    return std::all_of(request.texts.begin(), request.texts.end(), [&](const UnitText& t) {
        return !t.forcedCategory || *t.forcedCategory == category;
    });
}

std::optional<Rank> RankIn(const std::vector<UnitTextMatches*>& matches, int category, Tier limit) {
    Rank rank{Tier::Name, Tier::None};
    for (const UnitTextMatches* m : matches) {
        const TierMatch& found = m->In(category);
        if (!found.Found() || found.tier > limit)
            return std::nullopt;
        rank.first = std::max(rank.first, found.tier);
        rank.second = std::min(rank.second, found.tier);
    }
    return rank;
}

// Several categories hold every text equally well: the preference table, then the everyday
// order decide; otherwise the user picks.
std::optional<int> BreakTie(const UnitCatalogue& catalogue, const std::vector<int>& categories,
                            const ChoiceRequest& request) {
    for (const UnitText& text : request.texts) {
        if (const auto preferred = PreferredCategory(text.text)) {
            for (int c : categories) {
                if (catalogue.CategoryName(c) == *preferred)
                    return c;
            }
        }
    }
    int best = -1;
    for (int c : categories) {
        if (best < 0 ||
            EverydayRank(catalogue.CategoryName(c)) < EverydayRank(catalogue.CategoryName(best)))
            best = c;
    }
    if (EverydayRank(catalogue.CategoryName(best)) == kNotEveryday)
        return std::nullopt;
    return best;
}

// The category a text alone would read in, for messages.
int BestCategoryOf(const UnitCatalogue& catalogue, UnitTextMatches& matches) {
    matches.AdvanceTo(Tier::PartOfName);
    int best = -1;
    for (int c = 0; c < kMaxCategories; ++c) {
        const TierMatch& m = matches.In(c);
        if (!m.Found())
            continue;
        const TierMatch* current = best < 0 ? nullptr : &matches.In(best);
        if (!current || m.tier < current->tier ||
            (m.tier == current->tier &&
             EverydayRank(catalogue.CategoryName(c)) < EverydayRank(catalogue.CategoryName(best))))
            best = c;
    }
    return best;
}

std::string Described(const UnitCatalogue& catalogue, const UnitText& text, int category) {
    if (category < 0)
        return Quoted(text.text);
    return Quoted(text.text) + " (" + catalogue.CategoryName(category) + ")";
}

// "12 pt to mm": a short text that names no unit of the partner's category may still be part
// of exactly one name there ("point (PostScript)"); that unit is offered, never read.
void OfferPartnerUnit(const UnitCatalogue& catalogue, LookupCache& cache,
                      const ChoiceRequest& request, ReadError& error) {
    for (std::size_t i = 0; i < 2; ++i) {
        const UnitText& text = request.texts[i];
        const int partner =
            BestCategoryOf(catalogue, cache.Get(request.texts[1 - i].text, request.timeGroup));
        if (partner < 0 || text.text.size() < 2)
            continue;
        const std::string folded = FoldCase(text.text);
        std::vector<int> units;
        for (int u = 0; u < catalogue.UnitCount(partner); ++u) {
            if (FoldCase(catalogue.UnitName(partner, u)).find(folded) != std::string::npos)
                units.push_back(u);
        }
        if (units.size() != 1)
            continue;
        error.unit = text.text;
        error.at = text.at;
        error.suggestion = catalogue.UnitName(partner, units.front());
        return;
    }
}

void NoCommonCategory(const UnitCatalogue& catalogue, LookupCache& cache,
                      const ChoiceRequest& request, UnitChoice& choice) {
    std::string described;
    for (const UnitText& text : request.texts) {
        const int category = BestCategoryOf(catalogue, cache.Get(text.text, request.timeGroup));
        described += (described.empty() ? "" : ", ") + Described(catalogue, text, category);
        if (category >= 0)
            choice.candidates.push_back(catalogue.CategoryName(category));
    }
    const std::string what = request.hasTarget ? "the units are in different categories: "
                                               : "the parts are in different categories: ";
    choice.error = ReadError{what + described, request.texts.back().at};
    if (request.hasTarget && request.texts.size() == 2)
        OfferPartnerUnit(catalogue, cache, request, *choice.error);
}

std::optional<int> ChooseCategory(const UnitCatalogue& catalogue,
                                  const std::vector<UnitTextMatches*>& matches,
                                  const ChoiceRequest& request, UnitChoice& choice) {
    // Rule T: two bare temperature letters are temperatures ("72 F to C").
    const auto temperature = catalogue.TryFindCategory("Temperature");
    if (request.hasTarget && request.texts.size() == 2 && temperature &&
        IsBareTemperatureLetter(request.texts[0].text) &&
        IsBareTemperatureLetter(request.texts[1].text)) {
        for (UnitTextMatches* m : matches)
            m->AdvanceTo(Tier::Alias);
        if (RankIn(matches, *temperature, Tier::Alias))
            return *temperature;
    }
    if (request.shownCategory && Allowed(catalogue, *request.shownCategory, request)) {
        for (UnitTextMatches* m : matches)
            m->AdvanceTo(Tier::AbbreviationAnyCase);
        if (RankIn(matches, *request.shownCategory, Tier::AbbreviationAnyCase))
            return *request.shownCategory;
    }
    for (int t = static_cast<int>(Tier::Name); t <= static_cast<int>(Tier::PartOfName); ++t) {
        const auto tier = static_cast<Tier>(t);
        for (UnitTextMatches* m : matches)
            m->AdvanceTo(tier);
        std::vector<int> best;
        Rank bestRank{Tier::None, Tier::None};
        for (int c = 0; c < kMaxCategories; ++c) {
            // Most categories hold nothing of the first text: one look rules them out.
            if (!matches.front()->In(c).Found())
                continue;
            auto rank = RankIn(matches, c, tier);
            if (rank && !Allowed(catalogue, c, request))
                rank.reset();
            if (!rank || *rank > bestRank)
                continue;
            if (*rank < bestRank)
                best.clear();
            bestRank = *rank;
            best.push_back(c);
        }
        if (best.size() == 1)
            return best.front();
        if (best.empty())
            continue;
        if (const auto chosen = BreakTie(catalogue, best, request))
            return chosen;
        std::string names;
        for (int c : best) {
            names += (names.empty() ? "" : ", ") + catalogue.CategoryName(c);
            choice.candidates.push_back(catalogue.CategoryName(c));
        }
        const std::string& first = request.texts.front().text;
        choice.error =
            ReadError{"ambiguous: " + Quoted(first) + " fits several categories (" + names +
                          "); choose the category first or type the unit's name" +
                          (IsBareTemperatureLetter(first) ? TemperatureHint(first) : ""),
                      request.texts.front().at};
        return std::nullopt;
    }
    return std::nullopt;
}

bool Unqualified(std::string_view name) {
    return name.find('(') == std::string_view::npos;
}

// One unit of `category` for a text that found several there.
std::optional<int> ChooseUnit(const UnitCatalogue& catalogue, int category, const UnitText& text,
                              const std::vector<int>& units, UnitChoice& choice) {
    if (units.size() == 1)
        return units.front();
    for (const UnitPreference& preference : UnitPreferences()) {
        if (!EqualsIgnoringCase(preference.text, text.text) ||
            preference.category != catalogue.CategoryName(category) || preference.unit.empty())
            continue;
        const auto unit = FindUnitIgnoringTrailingBlanks(catalogue, category, preference.unit);
        if (unit && std::find(units.begin(), units.end(), *unit) != units.end())
            return *unit;
    }
    std::vector<int> plain;
    std::copy_if(units.begin(), units.end(), std::back_inserter(plain),
                 [&](int u) { return Unqualified(catalogue.UnitNameView(category, u)); });
    if (plain.size() == 1)
        return plain.front();
    const bool linear = RuleForCategory(catalogue.CategoryName(category)) == ConversionRule::Linear;
    double smallest = INFINITY;
    double largest = 0;
    for (int u : units) {
        smallest = std::min(smallest, std::fabs(catalogue.UnitFactor(category, u)));
        largest = std::max(largest, std::fabs(catalogue.UnitFactor(category, u)));
    }
    if (linear && smallest > 0 && largest <= smallest * kSameSize)
        return units.front();
    std::string names;
    for (int u : units) {
        names += (names.empty() ? "" : ", ") + catalogue.UnitName(category, u);
        choice.candidates.push_back(catalogue.UnitName(category, u));
    }
    choice.error = ReadError{"ambiguous: " + Quoted(text.text) + " may be " + names + " (" +
                                 catalogue.CategoryName(category) + "); type the unit's name",
                             text.at};
    return std::nullopt;
}

void AddNotes(const UnitCatalogue& catalogue, const TierMatch& match, const UnitText& text,
              int category, int unit, UnitChoice& choice) {
    const std::string name(catalogue.UnitNameView(category, unit));
    if (match.tier == Tier::PartOfName)
        choice.notes.push_back(Quoted(text.text) + " read as " + name + " (part of its name)");
    if (IsBareTemperatureLetter(text.text) && catalogue.CategoryName(category) != "Temperature")
        choice.notes.push_back(text.text + " read as " + name + TemperatureHint(text.text));
}

}  // namespace

UnitTextMatches& LookupCache::Get(std::string_view text, bool timeGroup) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i]->Text() == text && timeGroups_[i] == timeGroup)
            return *entries_[i];
    }
    const TierContext context{timeGroup};
    const auto sameText = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const auto& entry) { return entry->Text() == text; });
    if (sameText != entries_.end())
        entries_.push_back(std::make_unique<UnitTextMatches>(**sameText, context));
    else
        entries_.push_back(
            std::make_unique<UnitTextMatches>(catalogue_, std::string(text), context, index_));
    timeGroups_.push_back(timeGroup);
    return *entries_.back();
}

bool IsBareTemperatureLetter(std::string_view text) {
    return text == "C" || text == "F" || text == "K" || text == "R";
}

int EverydayRank(std::string_view categoryName) {
    const auto found = std::find(kEveryday.begin(), kEveryday.end(), categoryName);
    return found == kEveryday.end() ? kNotEveryday : static_cast<int>(found - kEveryday.begin());
}

UnitChoice ChooseUnits(LookupCache& cache, const ChoiceRequest& request) {
    const UnitCatalogue& catalogue = cache.Catalogue();
    UnitChoice choice;
    std::vector<UnitTextMatches*> matches;
    for (const UnitText& text : request.texts)
        matches.push_back(&cache.Get(text.text, request.timeGroup));
    const auto category = ChooseCategory(catalogue, matches, request, choice);
    if (!category) {
        if (!choice.error)
            NoCommonCategory(catalogue, cache, request, choice);
        return choice;
    }
    for (std::size_t i = 0; i < request.texts.size(); ++i) {
        const TierMatch& match = matches[i]->In(*category);
        const auto unit = ChooseUnit(catalogue, *category, request.texts[i], match.units, choice);
        if (!unit)
            return choice;
        AddNotes(catalogue, match, request.texts[i], *category, *unit, choice);
        choice.units.push_back(*unit);
    }
    choice.category = *category;
    return choice;
}

}  // namespace korvane::query
