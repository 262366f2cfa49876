#include "ui/preferences/TypedCharacterFilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <utility>

namespace korvane {

namespace {

// Text that a key press would insert: printable characters only. Control characters are what
// Backspace, Enter and the Ctrl shortcuts carry, and those are not typing.
bool IsTyping(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!c.isPrint())
            return false;
    }
    return true;
}

}  // namespace

TypedCharacterFilter::TypedCharacterFilter(QString allowed, QObject* parent)
    : QObject(parent), allowed_(std::move(allowed)) {}

bool TypedCharacterFilter::allows(const QString& typed) const {
    for (const QChar c : typed) {
        if (!allowed_.contains(c))
            return false;
    }
    return true;
}

bool TypedCharacterFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->modifiers().testFlag(Qt::ControlModifier) && IsTyping(key->text()))
            return !allows(key->text());
    } else if (event->type() == QEvent::InputMethod) {
        return filterInputMethod(watched, event);
    }
    return QObject::eventFilter(watched, event);
}

// An input method (a compose key, an on-screen keyboard) types too: its committed text keeps
// only the allowed characters, and the widget gets that instead.
bool TypedCharacterFilter::filterInputMethod(QObject* watched, QEvent* event) const {
    const auto* input = static_cast<QInputMethodEvent*>(event);
    const QString committed = input->commitString();
    if (allows(committed))
        return false;
    QString kept;
    for (const QChar c : committed) {
        if (allowed_.contains(c))
            kept.push_back(c);
    }
    QInputMethodEvent filtered(input->preeditString(), input->attributes());
    filtered.setCommitString(kept, input->replacementStart(), input->replacementLength());
    QCoreApplication::sendEvent(watched, &filtered);
    return true;
}

}  // namespace korvane
