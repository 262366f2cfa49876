#pragma once

#include "cli/Cli11.h"

#include "cli/CliState.h"
#include "cli/FastPath.h"

namespace korvane::cli {

// `convert VALUE FROM TO` and `convert --batch FILE|-`.
void AddConvertCommand(CLI::App& app, CliState& state);

// What the command does for the same line without options, read by ReadPlainConvert.
void RunPlainConvert(CliState& state, const PlainConvert& plain);

}  // namespace korvane::cli
