#pragma once

#include "platform/DesktopServices.h"

namespace korvane {

// The real desktop: QMessageBox, QApplication::beep, QDesktopServices, QProcess, QClipboard.
class QtDesktopServices final : public DesktopServices {
  public:
    MessageAnswer messageBox(QWidget* owner, const QString& caption, const QString& text,
                             MessageIcon icon, MessageButtons buttons) override;
    void beep() override;
    bool openUrl(const QString& url) override;
    bool startCalculator() override;
    void setClipboardText(const QString& text) override;
};

}  // namespace korvane
