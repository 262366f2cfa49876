#pragma once

#include "catalogue/UnitCatalogue.h"

// The built-in catalogue, loaded once per benchmark program.
inline const korvane::UnitCatalogue& LoadedCatalogue() {
    static const korvane::UnitCatalogue catalogue = [] {
        korvane::UnitCatalogue c;
        c.LoadBuiltInTables();
        return c;
    }();
    return catalogue;
}
