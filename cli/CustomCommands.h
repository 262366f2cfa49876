#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"

namespace korvane::cli {

// `custom add-category`, `remove-category`, `add-unit` and `remove-unit`: the actions of the
// window's Custom page, on the settings file, without confirmation questions.
void AddCustomCommands(CLI::App& app, CliState& state);

}  // namespace korvane::cli
