#pragma once

#include <QColor>
#include <QPalette>

namespace korvane::test {

// Desktop palettes of both kinds: dark text on light faces, light text on dark faces.
QPalette LightPalette();
QPalette DarkPalette();

// The contrast ratio of two colours after WCAG 2: 1 (none) to 21 (black on white). Body text
// needs 4.5 at least.
double Contrast(QColor a, QColor b);

// Gives the application the palette while it lives, as a desktop theme does, and restores the
// one before however the test ends.
class PaletteScope {
  public:
    explicit PaletteScope(const QPalette& palette);
    ~PaletteScope();
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

  private:
    QPalette saved_;
};

}  // namespace korvane::test
