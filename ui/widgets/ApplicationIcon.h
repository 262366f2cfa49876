#pragma once

#include <QIcon>

namespace korvane {

// The program's icon at 16, 32 and 48 pixels, for the application and every window.
QIcon ApplicationIcon();

}  // namespace korvane
