#include "ui/main/InputEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace korvane {

namespace {

bool IsLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// The standard menu's Paste item, found by the text the line edit gives it (in the user's
// language, with its key after a tab); newer Qt versions also name it.
QAction* PasteAction(const QMenu* menu) {
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().section(QLatin1Char('\t'), 0, 0) == pasteText) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

QString WithoutEndLineBreaks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && IsLineBreak(text.at(end - 1)))
        --end;
    qsizetype start = 0;
    while (start < end && IsLineBreak(text.at(start)))
        ++start;
    return text.sliced(start, end - start);
}

InputEdit::InputEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

void InputEdit::pasteText(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!text.isEmpty() || hasSelectedText())
        insert(WithoutEndLineBreaks(text));
}

void InputEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteText();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = PasteAction(menu)) {
        paste->setObjectName(QStringLiteral("edit-paste"));
        disconnect(paste, &QAction::triggered, this, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteText(); });
    }
    menu->popup(event->globalPos());
}

void InputEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteText(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputEdit::dropEvent(QDropEvent* event) {
    const QMimeData* dropped = event->mimeData();
    if (dropped == nullptr || !dropped->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData trimmed;
    trimmed.setText(WithoutEndLineBreaks(dropped->text()));
    QDropEvent copy(event->position(), event->possibleActions(), &trimmed, event->buttons(),
                    event->modifiers(), event->type());
    copy.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&copy);
    event->setDropAction(copy.dropAction());
    event->setAccepted(copy.isAccepted());
}

}  // namespace korvane
