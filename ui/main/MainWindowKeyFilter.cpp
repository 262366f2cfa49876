#include "ui/main/MainWindowKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace korvane {

MainWindowKeyFilter::MainWindowKeyFilter(QWidget& window) : QObject(&window), window_(window) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

MainWindowKeyFilter::~MainWindowKeyFilter() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void MainWindowKeyFilter::addCommand(QKeyCombination keys, std::function<void()> command) {
    commands_.push_back(Command{keys, std::move(command)});
}

bool MainWindowKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_ || !window_.isActiveWindow()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // Keypad state is not part of a shortcut.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    for (const Command& command : commands_) {
        if (command.keys.key() == key->key() && command.keys.keyboardModifiers() == modifiers) {
            command.run();
            return true;
        }
    }
    return false;
}

}  // namespace korvane
