#include "ui/widgets/PictureControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "ui/widgets/CPicture.h"

namespace korvane {

namespace {

class AccessiblePictureControl final : public QAccessibleWidget {
  public:
    explicit AccessiblePictureControl(PictureControl* control)
        : QAccessibleWidget(control, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled())
            static_cast<PictureControl*>(widget())->click();
    }
};

QAccessibleInterface* CreateAccessiblePictureControl(const QString& className, QObject* object) {
    auto* control = qobject_cast<PictureControl*>(object);
    if (control == nullptr ||
        className != QLatin1String(PictureControl::staticMetaObject.className()))
        return nullptr;
    return new AccessiblePictureControl(control);
}

}  // namespace

PictureControl::PictureControl(CPicture& picture, QSize drawSize, QWidget* parent)
    : QWidget(parent), picture_(picture), drawSize_(drawSize) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    // Factories stay installed for the life of the process; one is enough.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(CreateAccessiblePictureControl);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
