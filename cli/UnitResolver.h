#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane::cli {

// Finds the category of a request from its unit names. A single request scans the catalogue;
// a batch asks for the index, so many requests pay for hashing instead of scanning all 925
// names each, while one-shot calls do not pay for building it.
class UnitResolver {
  public:
    enum class Mode { Scan, Indexed };
    UnitResolver(const UnitCatalogue& catalogue, Mode mode);

    struct Resolution {
        int category = -1;  // -1: not resolved; `message` says why
        std::string message;
    };

    // `categoryName` empty: the one category that holds both units.
    Resolution Resolve(std::string_view from, std::string_view to,
                       std::string_view categoryName) const;

  private:
    std::optional<int> CategoryByName(std::string_view name) const;
    // Sorted indexes of the used categories that hold a unit of this name.
    std::vector<int> CategoriesOf(std::string_view name) const;
    std::string UnknownUnitMessage(std::string_view name, const std::vector<std::string>& pool,
                                   std::string_view where = {}) const;
    std::vector<std::string> UnitNames(int category) const;
    std::vector<std::string> AllUnitNames() const;
    std::vector<std::string> CategoryNames() const;

    const UnitCatalogue& catalogue_;
    std::unordered_map<std::string_view, std::vector<int>> categoriesOfUnit_;
};

}  // namespace korvane::cli
