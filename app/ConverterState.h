#pragma once

#include <string>

#include "app/ProfileStore.h"
#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The values that live for the whole run and that the main window and the Preferences pages
// share: owned by the application object, handed to the windows by reference.
struct ConverterState {
    UnitCatalogue catalogue;
    CategoryVisibility visibility;
    ResultFormat format;
    bool showAbbreviation = true;
    // Set once the Visible Categories page's list had the focus or "Display all Categories" was
    // ticked, and kept until the program ends: from then on every OK of the Preferences sheet
    // copies the page's ticks (when the page was shown) and rebuilds the category list.
    bool visibilityChanged = false;
    // The settings file every read and write of this run goes to; none until the application
    // object names it.
    ProfileStore settings{std::string()};
};

}  // namespace korvane
