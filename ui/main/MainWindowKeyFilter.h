#pragma once

#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace korvane {

// The window's accelerators. Installed on the application, so a shortcut runs its command
// before the focused control sees the key (Ctrl+C copies the output even from the input box);
// active only while `window` is the active window, so other windows keep their keys.
class MainWindowKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit MainWindowKeyFilter(QWidget& window);
    ~MainWindowKeyFilter() override;

    void addCommand(QKeyCombination keys, std::function<void()> command);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Command {
        QKeyCombination keys;
        std::function<void()> run;
    };

    QWidget& window_;
    std::vector<Command> commands_;
};

}  // namespace korvane
