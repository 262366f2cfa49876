#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace korvane {

// The text without the line breaks at its start and end; those inside stay.
QString WithoutEndLineBreaks(QString text);

// The input box of the converter window. A value copied from a spreadsheet or a terminal comes
// with a line break at its end, which the evaluator would refuse; whatever way text is pasted
// (keys, context menu, middle button, drop), the line breaks at its ends are dropped.
class InputEdit final : public QLineEdit {
  public:
    InputEdit(const QString& text, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Pastes the clipboard's text (or the X selection's) without its end line breaks.
    void pasteText(QClipboard::Mode mode = QClipboard::Clipboard);
};

}  // namespace korvane
