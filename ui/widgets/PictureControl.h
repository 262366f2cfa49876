#pragma once

#include <QSize>
#include <QWidget>

namespace korvane {

class CPicture;

// An owner-drawn picture area: paints its CPicture stretched into (0, 0, drawSize) and reports
// left clicks. The picture belongs to the window; this control only borrows it.
//
// Screen readers see it as a button with a press action, named by its accessible name; like
// the picture it stands for, it never takes the keyboard focus (the menu and the keys serve
// keyboard users).
class PictureControl : public QWidget {
    Q_OBJECT
  public:
    PictureControl(CPicture& picture, QSize drawSize, QWidget* parent = nullptr);

    QSize sizeHint() const override { return drawSize_; }
    // What a click does, for the press action of assistive technologies.
    void click() { emit clicked(); }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    CPicture& picture_;
    QSize drawSize_;
    bool endsDoubleClick_ = false;
};

}  // namespace korvane
