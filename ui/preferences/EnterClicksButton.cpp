#include "ui/preferences/EnterClicksButton.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>

namespace korvane {

namespace {

bool IsPlainEnter(const QKeyEvent& key) {
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return enter && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

EnterClicksButton::EnterClicksButton(QAbstractButton& button, QObject* parent)
    : QObject(parent), button_(button) {}

bool EnterClicksButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !IsPlainEnter(*static_cast<const QKeyEvent*>(event))) {
        return QObject::eventFilter(watched, event);
    }
    if (button_.isEnabled())
        button_.click();
    return true;
}

}  // namespace korvane
