#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"

namespace korvane::cli {

// `factor FROM TO [--category C]`: the relation between two units, as the all-units pane
// shows it.
void AddFactorCommand(CLI::App& app, CliState& state);

}  // namespace korvane::cli
