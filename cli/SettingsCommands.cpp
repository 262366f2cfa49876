#include "cli/SettingsCommands.h"

#include <iostream>

namespace korvane::cli {

void AddSettingsOptions(CLI::App& app, CliState& state) {
    auto* file = app.add_option("--settings", state.settingsPath,
                                "Settings file with the custom categories, units and format "
                                "(default: the one the window uses)")
                     ->type_name("FILE");
    app.add_flag_callback(
           "--no-settings", [&state] { state.useSettings = false; },
           "Ignore the settings file: built-in units and the default format only")
        ->excludes(file);
    auto* path = app.add_subcommand("settings-path", "Print the path of the settings file in use");
    path->callback([&state] { std::cout << state.settingsPath << '\n'; });
}

}  // namespace korvane::cli
