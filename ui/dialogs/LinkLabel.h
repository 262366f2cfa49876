#pragma once

#include <QLabel>

namespace korvane {

// A web address shown as a link: blue, the pointing hand over it, a left click reports
// clicked(). The blue is the link blue of light backgrounds and a lighter one on dark themes,
// so the address stays readable on both.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // The colour the address is drawn in on this widget's background.
    QColor linkColour() const;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void applyColour();
};

}  // namespace korvane
