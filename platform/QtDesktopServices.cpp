#include "platform/QtDesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
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

}  // namespace

MessageAnswer QtDesktopServices::messageBox(QWidget* owner, const QString& caption,
                                            const QString& text, MessageIcon icon,
                                            MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), caption, text, ToQtButtons(buttons), owner);
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
