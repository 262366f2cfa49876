#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "app/ProfileStore.h"
#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"
#include "cli/CliSupport.h"

namespace korvane::cli {

// What the commands of one run share: the settings file, the catalogue (loaded on first use,
// with the custom categories and units of the settings file) and the exit status.
class CliState {
  public:
    CliState();

    // Set by --settings FILE and --no-settings before any command runs.
    std::string settingsPath;
    bool useSettings = true;

    const UnitCatalogue& Catalogue();
    // The format the window would use: the stored "Format" and "Precision", or the defaults.
    ResultFormat StoredFormat();

    int exitCode = kExitOk;
    // Raises the exit status; a usage error outranks an "Error" result.
    void Report(int status) { exitCode = std::max(exitCode, status); }

  private:
    const ProfileStore& Store();

    std::unique_ptr<ProfileStore> store_;
    std::unique_ptr<UnitCatalogue> catalogue_;
};

}  // namespace korvane::cli
