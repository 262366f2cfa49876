#include "ui/main/PictureControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "ui/dialogs/CPicture.h"

namespace korvane {

PictureControl::PictureControl(CPicture& picture, QSize drawSize, QWidget* parent)
    : QWidget(parent), picture_(picture), drawSize_(drawSize) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    picture_.MeasureOnDevice(this);
    picture_.Draw(&painter, QRect(QPoint(0, 0), drawSize_));
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool endsDoubleClick = std::exchange(endsDoubleClick_, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

// A double-click is one click: the invert icon swaps the units once, not twice (which would
// look as if nothing happened), and the banner opens one page.
void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        endsDoubleClick_ = true;
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace korvane
