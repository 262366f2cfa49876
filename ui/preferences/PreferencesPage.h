#pragma once

#include <QWidget>

class QShowEvent;

namespace korvane {

// One page of the Preferences sheet. Its controls exist from the start, so the sheet has its
// final size at once, but their content (the settings they show) is loaded only when the page
// is first shown; a page the user never brought to the front has no choices and does nothing
// on OK.
class PreferencesPage : public QWidget {
    Q_OBJECT
  public:
    explicit PreferencesPage(QWidget* parent = nullptr);

    bool isBuilt() const { return built_; }

    // The sheet closed with OK; called for built pages only.
    virtual void OnOK() {}

  protected:
    // Loads the page's content; once, when the page is first shown.
    virtual void OnInitDialog() = 0;

    void showEvent(QShowEvent* event) override;

  private:
    bool built_ = false;
};

}  // namespace korvane
