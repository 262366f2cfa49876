#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane::cli {

// Finds the category of a request from its unit names. Built once per run, so a batch of
// many requests pays for hashing instead of scanning all 925 names per request.
class UnitResolver {
  public:
    explicit UnitResolver(const UnitCatalogue& catalogue);

    struct Resolution {
        int category = -1;  // -1: not resolved; `message` says why
        std::string message;
    };

    // `categoryName` empty: the one category that holds both units.
    Resolution Resolve(std::string_view from, std::string_view to,
                       std::string_view categoryName) const;

  private:
    std::optional<int> CategoryByName(std::string_view name) const;
    bool HasUnit(int category, std::string_view name) const;
    std::string UnknownUnitMessage(std::string_view name, const std::vector<std::string>& pool,
                                   std::string_view where = {}) const;
    std::vector<std::string> UnitNames(int category) const;
    std::vector<std::string> AllUnitNames() const;
    std::vector<std::string> CategoryNames() const;

    const UnitCatalogue& catalogue_;
    std::unordered_map<std::string_view, std::vector<int>> categoriesOfUnit_;
};

}  // namespace korvane::cli
