#pragma once

#include <QObject>

class QComboBox;
class QEvent;

namespace korvane {

// A closed drop-down too narrow for its current entry cuts it off, so that entries differing
// only at their ends look alike; this gives such a box the entry in full as its tooltip. It is
// decided when the tooltip is asked for, so it follows every change of entry, size or font.
class FullNameToolTip final : public QObject {
    Q_OBJECT
  public:
    explicit FullNameToolTip(QComboBox& box);

    // Whether the box shows its current entry cut off.
    static bool IsCut(const QComboBox& box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QComboBox& box_;
};

}  // namespace korvane
