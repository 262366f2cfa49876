#pragma once

#include <CLI/CLI.hpp>

#include "cli/CliState.h"

namespace korvane::cli {

// `convert VALUE FROM TO` and `convert --batch FILE|-`.
void AddConvertCommand(CLI::App& app, CliState& state);

}  // namespace korvane::cli
