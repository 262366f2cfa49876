#include "ui/dialogs/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QMouseEvent>

namespace korvane {

namespace {

constexpr int kDarkBackgroundLightness = 128;

class AccessibleLinkLabel final : public QAccessibleWidget {
  public:
    explicit AccessibleLinkLabel(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return static_cast<const LinkLabel*>(widget())->text();
        return text;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled())
            static_cast<LinkLabel*>(widget())->click();
    }
};

QAccessibleInterface* CreateAccessibleLinkLabel(const QString& className, QObject* object) {
    auto* label = qobject_cast<LinkLabel*>(object);
    if (label == nullptr || className != QLatin1String(LinkLabel::staticMetaObject.className()))
        return nullptr;
    return new AccessibleLinkLabel(label);
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    // Factories stay installed for the life of the process; one is enough.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(CreateAccessibleLinkLabel);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // The text is set here, not by QLabel's constructor: while a screen reader listens, setting
    // it makes the object's accessible interface, which must be the link's.
    setTextFormat(Qt::PlainText);
    setText(text);
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
