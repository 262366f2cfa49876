#include "cli/SettingsCommands.h"

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
    path->callback([&state, file] {
        if (!state.settingsPath.empty()) {
            std::cout << state.settingsPath << '\n';
            return;
        }
        // An empty line would read as a path to a script; say why there is none instead.
        if (file->count() > 0) {
            std::cerr << "korvane-cli: --settings names no file\n";
        } else {
#ifdef _WIN32
            std::cerr << "korvane-cli: there is no settings file: the program's path names no "
                         "drive (use --settings FILE)\n";
#else
            std::cerr << "korvane-cli: there is no settings file: no home folder was found "
                         "(set HOME, XDG_CONFIG_HOME or KORVANE_SETTINGS, or use --settings "
                         "FILE)\n";
#endif
        }
        state.Report(kExitUsage);
    });
}

}  // namespace korvane::cli
