#pragma once

#include <QString>

namespace korvane::test {

// Saves the manual's pictures into `folder`: the window (window.png), the Find dialog
// (find.png), the Help dialog (help.png) and the About box (about.png), as a user sees them.
// Run under a real display server (xvfb-run with QT_QPA_PLATFORM=xcb). 0 on success.
int SaveManualScreenshots(const QString& folder);

}  // namespace korvane::test
