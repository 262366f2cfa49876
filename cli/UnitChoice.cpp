#include "cli/UnitChoice.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "catalogue/Misspelling.h"
#include "catalogue/NameSuggestions.h"
#include "catalogue/UnitAliases.h"
#include "cli/CliSupport.h"

namespace korvane::cli {

namespace {

// Ambiguous texts list this many of their units; a part of a name may find dozens.
constexpr std::size_t kListedUnits = 5;

std::string_view MatchWords(UnitMatch match) {
    switch (match) {
        case UnitMatch::Exact:
            return "exact name";
        case UnitMatch::Abbreviation:
            return "abbreviation";
        case UnitMatch::IgnoringCase:
            return "name in another case";
        case UnitMatch::PartOfName:
            return "part of the name";
    }
    return {};
}

std::string InCategory(const UnitCatalogue& catalogue, int category) {
    return " in category \"" + Printable(catalogue.CategoryName(category)) + "\"";
}

std::string UnknownUnit(const UnitCatalogue& catalogue, std::string_view name,
                        std::optional<int> category) {
    std::string message = "unknown unit \"" + Printable(name) + "\"";
    if (category)
        message += InCategory(catalogue, *category);
    auto close = SuggestUnits(catalogue, category, name);
    // The alias table knows what people type ("mph", "kWh", "lbs"): its unit comes first.
    const auto intended = FindIntendedUnit(catalogue, name);
    if (intended && (!category || *category == intended->category)) {
        std::erase(close, intended->name);
        close.insert(close.begin(), intended->name);
        close.resize(std::min<std::size_t>(close.size(), 3));
    }
    if (!close.empty())
        message += "; did you mean " + JoinQuoted(close) + "?";
    return message;
}

std::string AmbiguousUnit(const UnitCatalogue& catalogue, std::string_view name, int category,
                          const UnitLookup& lookup) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lookup.units.size() && i < kListedUnits; ++i)
        names.push_back(catalogue.UnitName(category, lookup.units[i]));
    std::string message = "ambiguous unit \"" + Printable(name) + "\"" +
                          InCategory(catalogue, category) + ": by " +
                          std::string(MatchWords(lookup.match)) + " it is " + JoinQuoted(names);
    if (lookup.units.size() > kListedUnits)
        message += " or " + std::to_string(lookup.units.size() - kListedUnits) + " more";
    return message + "; give the exact name";
}

UnitChoice Chosen(const UnitCatalogue& catalogue, int category, std::string_view from,
                  const UnitLookup& fromLookup, std::string_view to, const UnitLookup& toLookup) {
    for (const auto& [name, lookup] : {std::pair{from, &fromLookup}, std::pair{to, &toLookup}}) {
        if (lookup->units.empty())
            return {.message = UnknownUnit(catalogue, name, category)};
        if (lookup->Ambiguous())
            return {.message = AmbiguousUnit(catalogue, name, category, *lookup)};
    }
    return {category,         fromLookup.units.front(), toLookup.units.front(),
            fromLookup.match, toLookup.match,           {}};
}

UnitChoice ChooseInNamedCategory(const UnitCatalogue& catalogue, std::string_view from,
                                 std::string_view to, std::string_view categoryName) {
    const auto category = catalogue.TryFindCategory(categoryName);
    // A free custom slot is not a category the user can name, though its header reads "Custom".
    if (!category || catalogue.IsFreeSlot(*category)) {
        std::vector<std::string> names;
        for (int c : UsedCategories(catalogue))
            names.push_back(catalogue.CategoryName(c));
        std::string message = "unknown category \"" + Printable(categoryName) + "\"";
        const auto close = SuggestNames(categoryName, names);
        if (!close.empty())
            message += "; did you mean " + JoinQuoted(close) + "?";
        return {.message = message};
    }
    return Chosen(catalogue, *category, from, LookUpUnit(catalogue, *category, from), to,
                  LookUpUnit(catalogue, *category, to));
}

// "72 F C" means Fahrenheit to Celsius to anyone who types it, though F and C are also the
// abbreviations of farad and coulomb (and the pair converts, to a number nobody wanted). Two
// bare scale letters are read as temperatures through the alias table the free-form reader uses.
std::optional<int> TemperatureLetterUnit(const UnitCatalogue& catalogue, int category,
                                         std::string_view text) {
    if (text.size() != 1)
        return std::nullopt;
    for (const UnitAlias& alias : UnitAliases()) {
        if (alias.alias == text && catalogue.CategoryName(category) == alias.category)
            return FindUnitIgnoringTrailingBlanks(catalogue, category, alias.unit);
    }
    return std::nullopt;
}

std::optional<UnitChoice> TemperatureLetters(const UnitCatalogue& catalogue, std::string_view from,
                                             std::string_view to) {
    const auto category = catalogue.TryFindCategory("Temperature");
    if (!category)
        return std::nullopt;
    const auto fromUnit = TemperatureLetterUnit(catalogue, *category, from);
    const auto toUnit = TemperatureLetterUnit(catalogue, *category, to);
    if (!fromUnit || !toUnit)
        return std::nullopt;
    return UnitChoice{
        *category, *fromUnit, *toUnit, UnitMatch::Abbreviation, UnitMatch::Abbreviation, {}};
}

}  // namespace

UnitChoice ChooseUnits(const UnitCatalogue& catalogue, const UnitFinder& finder,
                       std::string_view from, std::string_view to, std::string_view categoryName) {
    if (!categoryName.empty())
        return ChooseInNamedCategory(catalogue, from, to, categoryName);
    if (auto temperatures = TemperatureLetters(catalogue, from, to))
        return *temperatures;

    const UnitPairLookup pair = finder.FindPair(from, to);
    if (pair.categories.size() == 1)
        return Chosen(catalogue, pair.categories.front(), from, pair.from, to, pair.to);
    if (!pair.fromKnown)
        return {.message = UnknownUnit(catalogue, from, std::nullopt)};
    if (!pair.toKnown)
        return {.message = UnknownUnit(catalogue, to, std::nullopt)};
    const std::string both = "\"" + Printable(from) + "\" and \"" + Printable(to) + "\"";
    if (pair.categories.empty())
        return {.message = "no category holds both " + both};
    std::vector<std::string> names;
    for (int c : pair.categories)
        names.push_back(catalogue.CategoryName(c));
    return {.message = both + " belong to several categories (" + JoinQuoted(names) +
                       "); choose one with --category"};
}

UnitChooser::UnitChooser(const UnitCatalogue& catalogue, UnitFinder::Index index,
                         std::size_t remembered)
    : catalogue_(catalogue), finder_(catalogue, index), remembered_(remembered) {}

const UnitChoice& UnitChooser::Choose(std::string_view from, std::string_view to,
                                      std::string_view categoryName) {
    if (remembered_ == 0) {
        latest_ = ChooseUnits(catalogue_, finder_, from, to, categoryName);
        return latest_;
    }
    // The texts may hold any byte; their lengths in front keep "a" "bc" apart from "ab" "c".
    key_.clear();
    for (std::string_view part : {from, to, categoryName}) {
        const std::size_t size = part.size();
        key_.append(reinterpret_cast<const char*>(&size), sizeof size);
        key_ += part;
    }
    if (const auto known = choices_.find(key_); known != choices_.end())
        return known->second;
    latest_ = ChooseUnits(catalogue_, finder_, from, to, categoryName);
    if (choices_.size() >= remembered_)
        return latest_;
    return choices_.emplace(key_, latest_).first->second;
}

std::vector<std::string> DescribeChoice(const UnitCatalogue& catalogue, const UnitChoice& choice,
                                        std::string_view from, std::string_view to) {
    std::vector<std::string> lines;
    for (const auto& [name, unit, match] : {std::tuple{from, choice.from, choice.fromMatch},
                                            std::tuple{to, choice.to, choice.toMatch}}) {
        lines.push_back("\"" + Printable(name) + "\" is \"" +
                        Printable(catalogue.UnitName(choice.category, unit)) + "\" (" +
                        std::string(MatchWords(match)) + ")" +
                        InCategory(catalogue, choice.category));
    }
    return lines;
}

}  // namespace korvane::cli
