#include "platform/QtDesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace korvane {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQtAnswer(int answer) {
    switch (answer) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

// Started by name through PATH, like the Windows original starts calc.exe; the first one a
// desktop has installed wins.
QStringList CalculatorCommand() {
#if defined(Q_OS_WIN)
    return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("open"), QStringLiteral("-a"), QStringLiteral("Calculator")};
#else
    static const char* const kCandidates[] = {
        "gnome-calculator", "kcalc",     "qalculate-qt", "qalculate-gtk",
        "galculator",       "mate-calc", "xcalc"};
    for (const char* name : kCandidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return {path};
    }
    return {};
#endif
}

// The screen a window not shown yet will open on: where it has been moved to, else where Qt
// places a window without a parent (the pointer's screen when there are several).
QScreen* ScreenToOpenOn(const QWidget& window) {
    if (window.testAttribute(Qt::WA_Moved)) {
        if (QScreen* screen = QGuiApplication::screenAt(window.geometry().center()))
            return screen;
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen();
        primary != nullptr && primary->virtualSiblings().size() > 1) {
        if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
            return screen;
    }
    return window.screen();
}

// Qt centres a message box on its owner, which before the owner is first shown has no place
// yet: the box would open at the screen's corner. Such a box is centred on the owner's screen
// instead, once its own size is known.
class PlacedMessageBox final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const QWidget* owner = parentWidget();
        if (owner == nullptr || owner->window()->isVisible())
            return;
        if (const QScreen* screen = ScreenToOpenOn(*owner->window())) {
            QRect placed = frameGeometry();
            placed.moveCenter(screen->availableGeometry().center());
            move(placed.topLeft());
        }
    }
};

}  // namespace

MessageAnswer QtDesktopServices::messageBox(QWidget* owner, const QString& caption,
                                            const QString& text, MessageIcon icon,
                                            MessageButtons buttons) {
    PlacedMessageBox box(ToQtIcon(icon), caption, text, ToQtButtons(buttons), owner);
    box.setTextFormat(Qt::PlainText);
    return FromQtAnswer(box.exec());
}

void QtDesktopServices::beep() {
    QApplication::beep();
}

bool QtDesktopServices::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtDesktopServices::startCalculator() {
    QStringList command = CalculatorCommand();
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command);
}

void QtDesktopServices::setClipboardText(const QString& text) {
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(text);
}

}  // namespace korvane
