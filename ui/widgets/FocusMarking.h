#pragma once

class QWidget;

namespace korvane {

// Makes the window's style mark the focused control from the first moment, whatever moved the
// focus there. Styles mark some controls (drop-down lists, the current row of a list) only
// after the keyboard has moved the focus within the window, and forget that whenever the
// window is activated again; a keyboard user must always see where the focus is.
void KeepFocusMarked(QWidget& window);

}  // namespace korvane
