#pragma once

#include <QSize>

#include "ui/preferences/PreferencesContext.h"
#include "ui/preferences/PreferencesPage.h"

class QCheckBox;
class QListWidget;

namespace korvane {

// The Visible Categories page: a tick for each of the 42 built-in categories, and "Display
// all Categories". The ticks reach the visibility flags on OK, and only once the user has
// been in the list or ticked all (the run's "visibility changed" flag).
class CVisible : public PreferencesPage {
    Q_OBJECT
  public:
    explicit CVisible(const PreferencesContext& context, QWidget* parent = nullptr);

    void OnOK() override;

  protected:
    void createControls(QWidget& content) override;
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWidgets(QWidget& content);
    void createLayout(QWidget& content);

    void OnDisplayAll();
    // Sizes the page, before it is built, for every category in view at once.
    void reserveRoomForTheList();

    PreferencesContext context_;
    int m_bDisplayAll = 0;
    QSize cell_;  // one category's place in the list: the longest name and its tick fit

    QListWidget* categoryList_ = nullptr;
    QCheckBox* displayAllBox_ = nullptr;
};

}  // namespace korvane
