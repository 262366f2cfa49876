#pragma once

namespace korvane {

// What a change of custom categories or units did to the catalogue, as the main window is told
// of it: which row changed and how. A receiver ignores any other value.
enum class CatalogueAction : int {
    CategoryInserted = 1,
    CategoryDeleted = -1,
    UnitInserted = 2,
    UnitDeleted = -2,
    // Another copy of the program had changed the settings file, and the catalogue was brought
    // up to date with it: any custom row may have changed. The row given means nothing.
    Refreshed = 3,
};

}  // namespace korvane
