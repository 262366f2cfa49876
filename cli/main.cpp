#include "cli/Cli11.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "KorvaneVersion.h"
#include "cli/CatalogueCommands.h"
#include "cli/CliState.h"
#include "cli/CommandChoice.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/CustomCommands.h"
#include "cli/EvalCommand.h"
#include "cli/FactorCommand.h"
#include "cli/FastPath.h"
#include "cli/FreeFormCommands.h"
#include "cli/SettingsCommands.h"
#include "cli/SystemText.h"

namespace {

struct CommandGroup {
    std::initializer_list<std::string_view> names;
    void (*add)(CLI::App&, korvane::cli::CliState&);
};

// Only the command the line names is set up (half the work of a one-shot conversion otherwise
// goes into options it never reads); without a known name, all are, for help and errors.
void AddCommands(CLI::App& app, korvane::cli::CliState& state, std::string_view word) {
    const CommandGroup groups[] = {
        {{"categories", "units"}, korvane::cli::AddCatalogueCommands},
        {{"convert"}, korvane::cli::AddConvertCommand},
        {{"custom"}, korvane::cli::AddCustomCommands},
        {{"eval"}, korvane::cli::AddEvalCommand},
        {{"parse"}, korvane::cli::AddParseCommand},
        {{"factor"}, korvane::cli::AddFactorCommand},
    };
    const auto names = [word](const CommandGroup& group) {
        return std::find(group.names.begin(), group.names.end(), word) != group.names.end();
    };
    const bool known = std::any_of(std::begin(groups), std::end(groups), names);
    for (const CommandGroup& group : groups) {
        if (!known || names(group))
            group.add(app, state);
    }
}

}  // namespace

// Nothing that goes wrong ends in an abort: an exception anywhere, even while the commands are
// set up, ends with a message and the usage status.
int main(int argc, char** argv) try {
#ifdef SIGPIPE
    // A closed pipe (korvane-cli ... | head) ends the output quietly instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    korvane::cli::ConsoleSession console;
    // On Windows the arguments are read again from the wide command line, as UTF-8.
    const std::vector<std::string> arguments = korvane::cli::Utf8Arguments(argc, argv);
    if (const auto plain = korvane::cli::ReadPlainConvert(arguments)) {
        korvane::cli::CliState state;
        const int status = korvane::cli::RunPlainConvertLine(state, *plain);
        // Every stream is flushed and checked; the static destructors (CLI11's validators, the
        // built-in units as strings) would only free memory.
        console.End();
        std::fflush(nullptr);
        std::_Exit(status);
    }

    // Every command but the one-shot conversion prints through the standard streams.
    korvane::cli::OpenStandardStreams();
    std::ios::sync_with_stdio(false);
    // Named here: CLI11 would otherwise show argv[0], the path the program was started by.
    CLI::App app{"korvane-cli: the Korvane Unit Converter's engine on the command line",
                 "korvane-cli"};
    app.set_version_flag("--version", std::string("korvane-cli ") + korvane::config::kVersion,
                         "Print the version and exit");
    app.require_subcommand(1, 1);
    // --settings and --no-settings may also follow the command's own arguments.
    app.fallthrough();
    app.footer(
        "Exit status: 0 success, 1 the result is \"Error\", the evaluation reported an\n"
        "error or a custom change was refused, 2 usage error or the command could not be\n"
        "carried out.");

    korvane::cli::CliState state;
    korvane::cli::AddSettingsOptions(app, state);
    AddCommands(app, state, korvane::cli::CommandWord(arguments));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    const int status = korvane::cli::RunCommandLine(app, state, static_cast<int>(pointers.size()),
                                                    pointers.data());
    // The output is written and checked. What is left is freeing the parser, the catalogue and
    // the settings one allocation at a time, a tenth of a one-shot conversion; the system takes
    // the memory back at once. std::exit still flushes the streams and runs static destructors.
    console.End();
    std::exit(status);
} catch (...) {
    korvane::cli::OpenStandardStreams();
    return korvane::cli::ReportUnexpectedError(std::current_exception(), std::cerr);
}
