#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"

namespace korvane::cli {

// korvane-cli eval EXPR [--x V] [--y V] [--z V] [--t V]: prints the value the evaluator returns
// and its diagnostics; "Error" instead of the value, and exit status 1, when the evaluation
// reported an error.
void AddEvalCommand(CLI::App& app, CliState& state);

}  // namespace korvane::cli
