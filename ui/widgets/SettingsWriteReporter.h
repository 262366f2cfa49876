#pragma once

#include <string>

class QWidget;

namespace korvane {

class DesktopServices;

// Tells the user once per run that the settings could not be saved: the first failed write
// while the window runs shows a message box naming the file and the reason; later failures,
// and every failure while the program ends, go to the standard error stream only.
class SettingsWriteReporter {
  public:
    SettingsWriteReporter(DesktopServices& services, QWidget* owner);

    enum class Moment { Running, Shutdown };
    void reportFailure(const std::string& path, const std::string& reason, Moment moment);

  private:
    DesktopServices& services_;
    QWidget* owner_;
    bool warned_ = false;
};

}  // namespace korvane
