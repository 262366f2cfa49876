#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CatalogueCommands.h"
#include "cli/CliState.h"
#include "cli/ConvertCommand.h"
#include "cli/EvalCommand.h"
#include "cli/SettingsCommands.h"
#include "cli/SystemText.h"

int main(int argc, char** argv) {
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
        "Exit status: 0 success, 1 the result is \"Error\" or the evaluation reported an\n"
        "error, 2 usage error.");

    korvane::cli::CliState state;
    korvane::cli::AddSettingsOptions(app, state);
    korvane::cli::AddCatalogueCommands(app, state);
    korvane::cli::AddConvertCommand(app, state);
    korvane::cli::AddEvalCommand(app, state);

    const std::vector<std::string> arguments = korvane::cli::Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : korvane::cli::kExitUsage;
    }
    std::cout.flush();
    std::fflush(stdout);
    // A closed pipe (| head) is the reader's choice; any other failure lost the output.
    if ((!std::cout || std::ferror(stdout)) && !korvane::cli::OutputReaderGone()) {
        std::cerr << "korvane-cli: could not write the output\n";
        return korvane::cli::kExitUsage;
    }
    return state.exitCode;
}
