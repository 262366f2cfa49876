#pragma once

#include <QLabel>

namespace korvane {

// A web address shown as a link: blue, the pointing hand over it, a left click reports
// clicked(). The blue is the link blue of light backgrounds and a lighter one on dark themes,
// so the address stays readable on both. Screen readers see a link with a press action; it
// takes no keyboard focus, like the static text it stands for.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // The colour the address is drawn in on this widget's background.
    QColor linkColour() const;
    // What a click does, for the press action of assistive technologies.
    void click() { emit clicked(); }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void applyColour();
};

}  // namespace korvane
