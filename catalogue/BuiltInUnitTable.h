#pragma once

#include <span>
#include <string_view>

namespace korvane {

// One unit of the compiled-in data. Texts are UTF-8; an abbreviation of " " means "none".
struct BuiltInUnit {
    std::string_view name;
    std::string_view abbreviation;
    double factor;  // size of one unit in the category's reference unit; 0 in formula categories
};

struct BuiltInCategory {
    std::string_view name;
    bool visibleByDefault;
    std::span<const BuiltInUnit> units;
};

// The 42 built-in categories in catalogue order (alphabetical, "Acceleration" first).
std::span<const BuiltInCategory> BuiltInUnitTable();

}  // namespace korvane
