#include "Palettes.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace korvane::test {

namespace {

QPalette PaletteOf(QColor face, QColor base, QColor text, QColor disabled) {
    QPalette palette;
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, QColor(38, 110, 190));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, disabled);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

double Luminance(QColor colour) {
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

}  // namespace

QPalette LightPalette() {
    return PaletteOf(QColor(239, 239, 239), Qt::white, Qt::black, QColor(120, 120, 120));
}

QPalette DarkPalette() {
    return PaletteOf(QColor(45, 45, 48), QColor(30, 30, 30), QColor(230, 230, 230),
                     QColor(120, 120, 120));
}

double Contrast(QColor a, QColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

PaletteScope::PaletteScope(const QPalette& palette) : saved_(QApplication::palette()) {
    QApplication::setPalette(palette);
}

PaletteScope::~PaletteScope() {
    QApplication::setPalette(saved_);
}

}  // namespace korvane::test
