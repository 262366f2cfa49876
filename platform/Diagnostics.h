#pragma once

#include <string_view>

namespace korvane {

// Whether the window passes the evaluator's diagnostics on to the standard error stream.
// Started from a desktop, that stream ends in the system journal, where the lines written while
// the user types an expression are only noise; in a terminal someone reads them.
// `setting` is KORVANE_DIAGNOSTICS (null when unset): "1" always, "0" never, anything else lets
// the terminal decide.
bool DiagnosticsWanted(const char* setting, bool errorStreamIsTerminal);

// DiagnosticsWanted for this process.
bool DiagnosticsWantedHere();

}  // namespace korvane
