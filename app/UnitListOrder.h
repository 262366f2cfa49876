#pragma once

#include <string_view>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The order of the window's lists: what "the first unit" means to a user who sees them sorted.
// Standard library only; defined in the list-order source of the window until that moves down
// into the catalogue layer, at which point this declaration gives way to its header.
int CompareListText(std::string_view a, std::string_view b);

// The unit listed first in `category`, as a unit index; -1 when the category has no units.
inline int FirstListedUnit(const UnitCatalogue& catalogue, int category) {
    int first = -1;
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        if (first < 0 || CompareListText(catalogue.UnitName(category, u),
                                         catalogue.UnitName(category, first)) < 0) {
            first = u;
        }
    }
    return first;
}

}  // namespace korvane
