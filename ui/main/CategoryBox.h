#pragma once

#include <QComboBox>
#include <QStringList>

namespace korvane {

// The category drop-down of the converter window. Its list opens below the box with a bounded
// height, as a drop-down list does, whatever the desktop's style prefers: a list placed over the
// box with the current entry under the pointer turns a second click on the box into a choice.
// The box is as wide as the widest name it lists needs, within limits.
class CategoryBox final : public QComboBox {
  public:
    explicit CategoryBox(QWidget* parent);

    // Widens the box, from `minimumWidth` up to twice that, until the widest of `names` shows
    // whole. A name wider still shows cut, and whole as the box's tooltip.
    void fitNames(const QStringList& names, int minimumWidth);

  protected:
    bool event(QEvent* event) override;

  private:
    // The width the box's text gets when the box is `boxWidth` wide.
    int textWidthAt(int boxWidth) const;
};

}  // namespace korvane
