#pragma once

#include <functional>

namespace korvane {

class DesktopServices;
class SettingsWriteReporter;
struct ConverterState;
struct WriteResult;

// What the Preferences pages reach outside their own widgets: the values the whole run
// shares, the desktop, the window's one-time report of failed settings writes, and the main
// window's "always on top" switch.
struct PreferencesContext {
    ConverterState& state;
    DesktopServices& services;
    SettingsWriteReporter& writeReporter;
    std::function<void(bool on)> setOnTop;
};

// A failed write of a page is reported like every write the running window makes: a message
// box the first time in a run, the standard error stream after that.
void ReportWrite(const PreferencesContext& context, const WriteResult& result);

}  // namespace korvane
