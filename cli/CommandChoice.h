#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::cli {

// The command a command line asks for: its first argument that is neither an option of the
// program itself (--settings FILE, --settings=FILE, --no-settings, --help, --version) nor the
// value of --settings. Empty when there is none, or when "--" or another option comes first.
//
// A one-shot conversion costs less than setting up the options of every command, so main()
// sets up only the command named here; with none, all, so help and errors list them all.
std::string_view CommandWord(const std::vector<std::string>& arguments);

}  // namespace korvane::cli
