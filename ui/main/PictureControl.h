#pragma once

#include <QSize>
#include <QWidget>

namespace korvane {

class CPicture;

// An owner-drawn picture area: paints its CPicture stretched into (0, 0, drawSize) and reports
// left clicks. The picture belongs to the window; this control only borrows it.
class PictureControl : public QWidget {
    Q_OBJECT
  public:
    PictureControl(CPicture& picture, QSize drawSize, QWidget* parent = nullptr);

    QSize sizeHint() const override { return drawSize_; }

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
