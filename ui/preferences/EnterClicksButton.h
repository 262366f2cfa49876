#pragma once

#include <QObject>

class QAbstractButton;
class QEvent;

namespace korvane {

// Enter (or the keypad's Enter) in a watched box clicks `button` and goes no further: a box
// that belongs to one row of a page acts on that row, not through the dialog's default button,
// which would close the dialog and drop what was typed. A disabled button swallows the key.
class EnterClicksButton final : public QObject {
    Q_OBJECT
  public:
    EnterClicksButton(QAbstractButton& button, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractButton& button_;
};

}  // namespace korvane
