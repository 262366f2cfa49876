#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"

namespace korvane::cli {

// `categories` and `units`.
void AddCatalogueCommands(CLI::App& app, CliState& state);

}  // namespace korvane::cli
