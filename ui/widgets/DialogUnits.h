#pragma once

class QFont;

namespace korvane {

// The dialog templates measure in dialog units: a quarter of the font's average character
// width across, an eighth of its height down. These scale template sizes by the font in use,
// as the template's own font would scale them.
int DialogUnitsX(const QFont& font, int units);
int DialogUnitsY(const QFont& font, int units);

}  // namespace korvane
