#pragma once

#include <QString>

#include "ui/widgets/WebAddresses.h"

namespace korvane {

// Where the program may find its HTML manual, and the configured addresses that replace it.
struct ManualPlaces {
    QString programDir;       // the folder of the running program
    QString fromProgramDir;   // the installed manual, relative to programDir
    QString installDir;       // the installed manual, as configured
    QString overrideDir;      // KORVANE_MANUAL_DIR: a manual somewhere else, asked for
    QString homeOverride;     // KORVANE_HOME_URL; empty: the manual's home page
    QString productOverride;  // KORVANE_PRODUCT_URL; empty: the manual's page of the converter
};

// The manual's pages, as file:// addresses: its front page is the home page, its page about
// the converter the product page. A folder named by KORVANE_MANUAL_DIR comes first, then the
// copy beside the program (the installed layout, which the build folder copies too), then the
// one at the configured prefix. Without any copy the addresses name the installed place;
// opening them then fails quietly.
WebAddresses ResolveWebAddresses(const ManualPlaces& places);

// ResolveWebAddresses for this program, with the places and addresses it was configured with.
WebAddresses DefaultWebAddresses();

}  // namespace korvane
