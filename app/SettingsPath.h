#pragma once

#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::string_view kSettingsFileName = "Tabrivo.ini";

// The Windows rule: the settings file lies at the root of the drive the program runs from, so
// every copy on that drive shares it and it travels with a copied drive. "D:\Tools\prog.exe"
// gives "D:\Tabrivo.ini"; a program on a network share "\\server\share\..." uses the root of the
// share; the "\\?\" and "\\.\" forms are read through. Empty when the program path names no
// drive or share (no settings file then: reads give defaults, writes fail).
std::string BuildSettingsPath(std::string_view programPath);

// Elsewhere: `korvaneSettings` ($KORVANE_SETTINGS) when set, else korvane/Tabrivo.ini in the
// user's configuration folder: `xdgConfigHome` when it is an absolute path, else
// `home`/.config. Empty arguments count as unset; empty when there is no home either.
std::string SettingsPathFromEnvironment(std::string_view korvaneSettings,
                                        std::string_view xdgConfigHome, std::string_view home);

// The path the window and korvane-cli use unless told otherwise: BuildSettingsPath of the
// running program on Windows, SettingsPathFromEnvironment of the environment elsewhere. Looks
// at nothing on disk and creates nothing.
std::string DefaultSettingsPath();

}  // namespace korvane
