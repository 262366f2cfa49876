#include "cli/Program.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "KorvaneVersion.h"
#include "cli/CatalogueCommands.h"
#include "cli/Cli11.h"
#include "cli/CliState.h"
#include "cli/CommandChoice.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/CustomCommands.h"
#include "cli/EvalCommand.h"
#include "cli/FactorCommand.h"
#include "cli/FreeFormCommands.h"
#include "cli/SettingsCommands.h"
#include "cli/StandardStreams.h"

namespace korvane::cli {

namespace {

struct CommandGroup {
    std::initializer_list<std::string_view> names;
    void (*add)(CLI::App&, CliState&);
};

// Only the command the line names is set up (half the work of a one-shot conversion otherwise
// goes into options it never reads); without a known name, all are, for help and errors.
void AddCommands(CLI::App& app, CliState& state, std::string_view word) {
    const CommandGroup groups[] = {
        {{"categories", "units"}, AddCatalogueCommands},
        {{"convert"}, AddConvertCommand},
        {{"custom"}, AddCustomCommands},
        {{"eval"}, AddEvalCommand},
        {{"parse"}, AddParseCommand},
        {{"factor"}, AddFactorCommand},
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

int RunFullCommandLine(const std::vector<std::string>& arguments) {
    // Every command but the one-shot conversion prints through the standard streams.
    OpenStandardStreams();
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

    CliState state;
    AddSettingsOptions(app, state);
    AddCommands(app, state, CommandWord(arguments));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    return RunCommandLine(app, state, static_cast<int>(pointers.size()), pointers.data());
}

}  // namespace korvane::cli
