#pragma once

#include <QDialog>

#include <string>

class QTextEdit;

namespace korvane {

class ProfileStore;

// The Help dialog: four short sections of instructions in a read-only rich-text box. The last
// one names the settings file this run really uses.
class CHelpDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CHelpDialog(const ProfileStore& settings, QWidget* parent = nullptr);

  private:
    void fillText(const std::string& settingsPath);

    QTextEdit* text_ = nullptr;
};

// The body of the Customizations section for the settings file at `settingsPath` (empty: the
// program found no place for one).
QString CustomizationsHelpText(const std::string& settingsPath);

}  // namespace korvane
