#pragma once

#include <QDialog>

#include "ui/preferences/PreferencesContext.h"

class QTabWidget;

namespace korvane {

class CCustom;
class CGeneral;
class CResults;
class CVisible;
class PreferencesPage;

// The modal "Preferences" sheet: General, Result Format, Visible Categories and Custom, opening
// on General, with OK and Cancel. OK runs the OK processing of every page shown during this
// opening; the main window then takes over what the pages chose.
class CPropSheet : public QDialog {
    Q_OBJECT
  public:
    CPropSheet(const PreferencesContext& context, QWidget* parent);
    ~CPropSheet() override;

    const CGeneral& generalPage() const { return *general_; }
    const CResults& resultsPage() const { return *results_; }
    const CVisible& visiblePage() const { return *visible_; }
    // The Custom page's catalogue changes are connected to the main window through this page
    // when the sheet is made.
    CCustom& customPage() const { return *custom_; }

  public slots:
    void accept() override;

  private:
    void createPages(const PreferencesContext& context);
    void createLayout();

    QTabWidget* tabs_ = nullptr;
    CGeneral* general_ = nullptr;
    CResults* results_ = nullptr;
    CVisible* visible_ = nullptr;
    CCustom* custom_ = nullptr;
};

}  // namespace korvane
