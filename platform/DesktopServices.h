#pragma once

#include <QString>

class QWidget;

namespace korvane {

enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Everything a window does outside its own widgets goes through this object, handed to the
// window when it is built, so a test can record each effect and answer each question.
class DesktopServices {
  public:
    virtual ~DesktopServices() = default;

    // A modal message box owned by `owner` (may be null); returns the button pressed.
    virtual MessageAnswer messageBox(QWidget* owner, const QString& caption, const QString& text,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The platform's warning sound.
    virtual void beep() = 0;
    // Hands the address to the desktop's browser; false when nothing took it.
    virtual bool openUrl(const QString& url) = 0;
    // Starts the desktop's calculator as a separate process; false when none could be started.
    virtual bool startCalculator() = 0;
    virtual void setClipboardText(const QString& text) = 0;
};

}  // namespace korvane
