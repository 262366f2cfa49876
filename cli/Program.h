#pragma once

#include <exception>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliState.h"
#include "cli/FastPath.h"

// What main() runs, declared without CLI11: the parser's static objects are built once per
// file that includes it, and a one-shot conversion never parses with it.
namespace korvane::cli {

// A line ReadPlainConvert took, without setting up CLI11: the same output, messages and status
// as the full command line gives for it.
int RunPlainConvertLine(CliState& state, const PlainConvert& plain);

// Any other command line (`arguments` with the program name first): CLI11 set up with the
// command the line names, then RunCommandLine.
int RunFullCommandLine(const std::vector<std::string>& arguments);

// For an exception that escaped: its message on `err`, and the exit status 2.
int ReportUnexpectedError(std::exception_ptr error, std::ostream& err);

}  // namespace korvane::cli
