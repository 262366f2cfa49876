#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"

namespace korvane::cli {

// The global --settings FILE and --no-settings options, and the `settings-path` command.
void AddSettingsOptions(CLI::App& app, CliState& state);

}  // namespace korvane::cli
