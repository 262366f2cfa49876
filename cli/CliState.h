#pragma once

#include <memory>

#include "catalogue/UnitCatalogue.h"
#include "cli/CliSupport.h"

namespace korvane::cli {

// What the commands of one run share: the catalogue, loaded on first use, and the exit status.
class CliState {
  public:
    const UnitCatalogue& Catalogue();

    int exitCode = kExitOk;
    // Raises the exit status; a usage error outranks an "Error" result.
    void Report(int status) { exitCode = std::max(exitCode, status); }

  private:
    std::unique_ptr<UnitCatalogue> catalogue_;
};

}  // namespace korvane::cli
