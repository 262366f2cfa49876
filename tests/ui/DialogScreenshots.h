#pragma once

#include <QString>

namespace korvane::test {

// Saves pictures of the dialog details a user sees only on a real screen into `folder`: the
// Custom page after Enter in its name box, its reference drop-down open and its tooltip, and a
// picture error at start-up (whole-screen pictures where a second window is part of it). Run
// under a real display server (scripts/xvfb-session.sh). 0 on success.
int SaveDialogScreenshots(const QString& folder);

}  // namespace korvane::test
