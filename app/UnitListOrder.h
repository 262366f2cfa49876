#pragma once

#include "catalogue/ListOrder.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The unit listed first in `category` (what "the first unit" means to a user who sees the
// lists sorted), as a unit index; -1 when the category has no units.
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
