#include "ui/dialogs/LinkLabel.h"

#include <QEvent>
#include <QMouseEvent>

namespace korvane {

namespace {

constexpr int kDarkBackgroundLightness = 128;

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    applyColour();
}

QColor LinkLabel::linkColour() const {
    const bool dark = palette().color(QPalette::Window).lightness() < kDarkBackgroundLightness;
    return dark ? QColor(0x6C, 0xA8, 0xFF) : QColor(0, 0, 255);
}

void LinkLabel::applyColour() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, linkColour());
    setPalette(colours);
}

void LinkLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        // Setting our own palette raises another PaletteChange; only react when the colour
        // really has to change.
        if (palette().color(QPalette::WindowText) != linkColour())
            applyColour();
    }
    QLabel::changeEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

}  // namespace korvane
