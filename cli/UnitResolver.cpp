#include "cli/UnitResolver.h"

#include <algorithm>

#include "cli/CliSupport.h"

namespace korvane::cli {

UnitResolver::UnitResolver(const UnitCatalogue& catalogue, Mode mode) : catalogue_(catalogue) {
    if (mode == Mode::Scan)
        return;
    for (int c : UsedCategories(catalogue)) {
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            std::vector<int>& categories = categoriesOfUnit_[catalogue.UnitName(c, u)];
            if (categories.empty() || categories.back() != c)
                categories.push_back(c);
        }
    }
}

UnitResolver::Resolution UnitResolver::Resolve(std::string_view from, std::string_view to,
                                               std::string_view categoryName) const {
    if (!categoryName.empty()) {
        const auto category = CategoryByName(categoryName);
        if (!category) {
            const auto close = CloseNames(categoryName, CategoryNames());
            std::string message = "unknown category \"" + Printable(categoryName) + "\"";
            if (!close.empty())
                message += "; did you mean " + JoinQuoted(close) + "?";
            return {-1, message};
        }
        for (std::string_view unit : {from, to}) {
            if (!catalogue_.HasUnit(*category, unit)) {
                const std::string where =
                    " in category \"" + Printable(catalogue_.CategoryName(*category)) + "\"";
                return {-1, UnknownUnitMessage(unit, UnitNames(*category), where)};
            }
        }
        return {*category, {}};
    }

    const std::vector<int> fromCategories = CategoriesOf(from);
    if (fromCategories.empty())
        return {-1, UnknownUnitMessage(from, AllUnitNames())};
    const std::vector<int> toCategories = CategoriesOf(to);
    if (toCategories.empty())
        return {-1, UnknownUnitMessage(to, AllUnitNames())};

    std::vector<int> both;
    std::set_intersection(fromCategories.begin(), fromCategories.end(), toCategories.begin(),
                          toCategories.end(), std::back_inserter(both));
    if (both.size() == 1)
        return {both.front(), {}};
    if (both.empty()) {
        return {-1,
                "no category holds both \"" + Printable(from) + "\" and \"" + Printable(to) + "\""};
    }
    std::vector<std::string> names;
    for (int c : both)
        names.push_back(catalogue_.CategoryName(c));
    return {-1, "\"" + Printable(from) + "\" and \"" + Printable(to) +
                    "\" belong to several categories (" + JoinQuoted(names) +
                    "); choose one with --category"};
}

std::optional<int> UnitResolver::CategoryByName(std::string_view name) const {
    std::optional<int> found;
    for (int c : UsedCategories(catalogue_)) {
        if (catalogue_.CategoryName(c) == name)
            found = c;
    }
    return found;
}

std::vector<int> UnitResolver::CategoriesOf(std::string_view name) const {
    if (!categoriesOfUnit_.empty()) {
        const auto entry = categoriesOfUnit_.find(name);
        return entry == categoriesOfUnit_.end() ? std::vector<int>() : entry->second;
    }
    std::vector<int> categories;
    for (int c : UsedCategories(catalogue_)) {
        if (catalogue_.HasUnit(c, name))
            categories.push_back(c);
    }
    return categories;
}

std::string UnitResolver::UnknownUnitMessage(std::string_view name,
                                             const std::vector<std::string>& pool,
                                             std::string_view where) const {
    std::string message = "unknown unit \"" + Printable(name) + "\"" + std::string(where);
    const auto close = CloseNames(name, pool);
    if (!close.empty())
        message += "; did you mean " + JoinQuoted(close) + "?";
    return message;
}

std::vector<std::string> UnitResolver::UnitNames(int category) const {
    std::vector<std::string> names;
    for (int u = 0; u < catalogue_.UnitCount(category); ++u)
        names.push_back(catalogue_.UnitName(category, u));
    return names;
}

std::vector<std::string> UnitResolver::AllUnitNames() const {
    std::vector<std::string> names;
    for (int c : UsedCategories(catalogue_)) {
        for (int u = 0; u < catalogue_.UnitCount(c); ++u)
            names.push_back(catalogue_.UnitName(c, u));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string> UnitResolver::CategoryNames() const {
    std::vector<std::string> names;
    for (int c : UsedCategories(catalogue_))
        names.push_back(catalogue_.CategoryName(c));
    return names;
}

}  // namespace korvane::cli
