#include "ui/app/DisplayCheck.h"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

constexpr std::array<std::string_view, 9> kPlatformsWithoutDisplay = {
    "offscreen", "minimal",      "minimalegl", "vnc",     "linuxfb",
    "eglfs",     "vkkhrdisplay", "bsdfb",      "directfb"};

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

bool DrawsWithoutDisplay(std::string_view entry) {
    const std::string_view name = entry.substr(0, entry.find(':'));
    return std::find(kPlatformsWithoutDisplay.begin(), kPlatformsWithoutDisplay.end(), name) !=
           kPlatformsWithoutDisplay.end();
}

bool AnyDrawsWithoutDisplay(std::string_view platforms) {
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        if (DrawsWithoutDisplay(platforms.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            break;
        platforms.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace

std::string_view PlatformOption(int argc, const char* const* argv) {
    std::string_view found;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform")
            found = argv[i + 1];
    }
    return found;
}

bool NoDisplayFound(const DisplayEnvironment& environment) {
    if (IsSet(environment.display) || IsSet(environment.waylandDisplay))
        return false;
    const std::string_view platform =
        !environment.platformOption.empty()
            ? environment.platformOption
            : std::string_view(IsSet(environment.platform) ? environment.platform : "");
    return !AnyDrawsWithoutDisplay(platform);
}

}  // namespace korvane
