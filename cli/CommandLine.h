#pragma once

#include "cli/Cli11.h"

#include <exception>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliState.h"
#include "cli/FastPath.h"
#include "cli/Program.h"

namespace korvane::cli {

// CLI11 takes an argument that starts with '-' and anything but a digit for an option, so
// "-.5" would be refused as the unknown option "-.". Such arguments that read as plain numbers
// are handed to CLI11 with a stand-in that it takes for a value, and every option of the
// program turns the stand-in back into the argument as typed, before any check or callback
// sees it. Arguments CLI11 already reads as values ("-5", "-1e3", "-0") are left alone.
class NumberArguments {
  public:
    NumberArguments(int argc, const char* const* argv);

    // The arguments to parse, the program name first.
    const std::vector<std::string>& Arguments() const { return arguments_; }
    // Adds the step that undoes the stand-ins to every option of `app` and its subcommands,
    // and to the texts of its parse errors.
    void RestoreIn(CLI::App& app) const;

  private:
    std::string Restored(std::string text) const;
    std::string RestoredInMessage(std::string message) const;

    std::vector<std::string> arguments_;
    std::vector<std::string> replaced_;  // the arguments as typed that got a stand-in
    std::string prefix_;                 // stand-in = prefix_ + argument
};

// Parses the command line and runs the chosen command; prints CLI11's help and errors. Returns
// the exit status: the commands' own, 2 for a usage error, 2 after any exception (with a
// message), 2 when the output could not be written.
int RunCommandLine(CLI::App& app, CliState& state, int argc, const char* const* argv);

// Once the command has run and flushed the standard streams (`streamFailed`: std::cout could
// not write): flushes stdio's output and returns the exit status, 2 when the output could not
// be written.
int FinishedStatus(const CliState& state, bool streamFailed);

}  // namespace korvane::cli
