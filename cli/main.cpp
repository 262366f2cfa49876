#include <CLI/CLI.hpp>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CatalogueCommands.h"
#include "cli/CliState.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/CustomCommands.h"
#include "cli/EvalCommand.h"
#include "cli/FactorCommand.h"
#include "cli/SettingsCommands.h"
#include "cli/SystemText.h"

// Nothing that goes wrong ends in an abort: an exception anywhere, even while the commands are
// set up, ends with a message and the usage status.
int main(int argc, char** argv) try {
#ifdef SIGPIPE
    // A closed pipe (korvane-cli ... | head) ends the output quietly instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const korvane::cli::ConsoleSession console;
    std::ios::sync_with_stdio(false);

    CLI::App app{"korvane-cli: the Korvane Unit Converter's engine on the command line"};
    app.require_subcommand(1, 1);
    // --settings and --no-settings may also follow the command's own arguments.
    app.fallthrough();
    app.footer(
        "Exit status: 0 success, 1 the result is \"Error\", the evaluation reported an\n"
        "error or a custom change was refused, 2 usage error or the command could not be\n"
        "carried out.");

    korvane::cli::CliState state;
    korvane::cli::AddSettingsOptions(app, state);
    korvane::cli::AddCatalogueCommands(app, state);
    korvane::cli::AddConvertCommand(app, state);
    korvane::cli::AddCustomCommands(app, state);
    korvane::cli::AddEvalCommand(app, state);
    korvane::cli::AddFactorCommand(app, state);

    // On Windows the arguments are read again from the wide command line, as UTF-8.
    const std::vector<std::string> arguments = korvane::cli::Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    return korvane::cli::RunCommandLine(app, state, static_cast<int>(pointers.size()),
                                        pointers.data());
} catch (...) {
    return korvane::cli::ReportUnexpectedError(std::current_exception(), std::cerr);
}
