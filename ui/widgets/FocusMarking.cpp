#include "ui/widgets/FocusMarking.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace korvane {

namespace {

// Qt clears the window's keyboard-focus flag when the window is activated; set it again.
class FocusMarker final : public QObject {
  public:
    explicit FocusMarker(QWidget& window) : QObject(&window), window_(window) {
        window_.installEventFilter(this);
        window_.setAttribute(Qt::WA_KeyboardFocusChange);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ &&
            (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)) {
            window_.setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void KeepFocusMarked(QWidget& window) {
    // Owned by the window, as its child.
    new FocusMarker(window);
}

}  // namespace korvane
