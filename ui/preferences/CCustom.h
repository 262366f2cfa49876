#pragma once

#include "catalogue/CatalogueAction.h"
#include "ui/preferences/PreferencesContext.h"
#include "ui/preferences/PreferencesPage.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvane {

struct CustomNotice;

// The Custom page: adds and removes custom categories, and custom units in any category whose
// units differ by a factor. Each button runs one core operation, which checks, changes the
// catalogue and writes the settings file; the page shows the refusal or the question, keeps
// its own lists in step and tells the main window at once through catalogueChanged. Nothing
// waits for the sheet's OK, and Cancel undoes nothing.
class CCustom : public PreferencesPage {
    Q_OBJECT
  public:
    enum Mode { kModeNone = -1, kModeAddCategory = 0, kModeExistingCategory = 1 };

    explicit CCustom(const PreferencesContext& context, QWidget* parent = nullptr);
    ~CCustom() override;

    int mode() const { return m_nMode; }
    // The catalogue row of the category chosen in the category list.
    int chosenCategory() const { return m_nCategory; }

  signals:
    void catalogueChanged(int index, korvane::CatalogueAction action);

  protected:
    void createControls(QWidget& content) override;
    // Fills the lists from the catalogue as it is when the page is first shown.
    void OnInitDialog() override;

  private:
    void createWidgets(QWidget& content);
    void createLayout(QWidget& content);
    void createConnections();
    QGroupBox* createCategoryGroup(QWidget& content);
    QGroupBox* createUnitGroup(QWidget& content);

    void fillCategoryList();
    void fillUnitList();
    void takeRefreshedCatalogue();
    void applyMode();

    void OnModeChanged(int mode);
    void OnSelchangeCategory();
    void OnAddCategory();
    void OnRemoveCategory();
    void OnAddUnit();
    void OnRemoveUnit();

    void showNotice(const CustomNotice& notice);
    bool confirm(const CustomNotice& question);

    PreferencesContext context_;

    int m_nMode = kModeNone;
    int m_nCategory = 0;

    struct Widgets {
        QButtonGroup* modes = nullptr;
        QRadioButton* addCategoryMode = nullptr;
        QRadioButton* existingCategoryMode = nullptr;
        QLineEdit* categoryName = nullptr;
        QPushButton* addCategory = nullptr;
        QComboBox* categoryList = nullptr;
        QPushButton* removeCategory = nullptr;
        QLineEdit* unitName = nullptr;
        QLineEdit* factor = nullptr;
        QComboBox* unitList = nullptr;
        QPushButton* addUnit = nullptr;
        QPushButton* removeUnit = nullptr;
    };
    Widgets widgets_;
};

}  // namespace korvane
