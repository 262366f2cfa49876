#include "ui/main/PictureControl.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace korvane
