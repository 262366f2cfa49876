#pragma once

#include <QWidget>

class QShowEvent;

namespace korvane {

// One page of the Preferences sheet. Its controls are made, and loaded with the settings they
// show, only when the page is first shown: a page the user never brought to the front costs
// nothing, holds no choices and does nothing on OK.
class PreferencesPage : public QWidget {
    Q_OBJECT
  public:
    explicit PreferencesPage(QWidget* parent = nullptr);

    bool isBuilt() const { return built_; }

    // The sheet closed with OK; called for built pages only.
    virtual void OnOK() {}

  protected:
    // Makes the page's controls and their layout on `content`, which the page then shows.
    virtual void createControls(QWidget& content) = 0;
    // Loads the controls' content.
    virtual void OnInitDialog() = 0;

    void showEvent(QShowEvent* event) override;

  private:
    bool built_ = false;
};

}  // namespace korvane
