#pragma once

#include <string_view>

namespace korvane {

// What decides whether the window system can reach a display, as main() finds it before Qt
// starts: Qt ends the process with an abort when it cannot, with a message that sends the user
// off to reinstall the program.
struct DisplayEnvironment {
    const char* display = nullptr;         // DISPLAY
    const char* waylandDisplay = nullptr;  // WAYLAND_DISPLAY
    const char* platform = nullptr;        // QT_QPA_PLATFORM
    // The value of a "-platform" or "--platform" option, which wins over QT_QPA_PLATFORM.
    std::string_view platformOption;
};

// The value of the last "-platform <name>" or "--platform <name>" on the command line; empty
// when there is none.
std::string_view PlatformOption(int argc, const char* const* argv);

// True when neither display variable is set (empty counts as unset) and the platform asked
// for, if any, is not one that draws without a display (offscreen, minimal, vnc, the frame
// buffer and EGL ones). A list of platforms ("wayland;offscreen") counts when any of them
// qualifies; options after ':' are ignored.
bool NoDisplayFound(const DisplayEnvironment& environment);

// What the user reads then: the reason, and the program that works without a display.
inline constexpr std::string_view kNoDisplayMessage =
    "korvane: no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the "
    "converter window cannot open.\n"
    "korvane-cli works without a display, for example: korvane-cli convert '2*3' meter "
    "centimeter\n";

}  // namespace korvane
