#include "platform/Diagnostics.h"

#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace korvane {

bool DiagnosticsWanted(const char* setting, bool errorStreamIsTerminal) {
    const std::string_view value = setting == nullptr ? std::string_view() : setting;
    if (value == "1")
        return true;
    if (value == "0")
        return false;
    return errorStreamIsTerminal;
}

bool DiagnosticsWantedHere() {
#ifdef _WIN32
    const bool terminal = _isatty(2) != 0;
#else
    const bool terminal = isatty(STDERR_FILENO) != 0;
#endif
    return DiagnosticsWanted(std::getenv("KORVANE_DIAGNOSTICS"), terminal);
}

}  // namespace korvane
