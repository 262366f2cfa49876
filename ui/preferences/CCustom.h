#pragma once

#include <QWidget>

#include "catalogue/CatalogueAction.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace korvane {

class DesktopServices;
struct ConverterState;
struct CustomNotice;

// The Custom page: adds and removes custom categories, and custom units in any category whose
// units differ by a factor. Each button runs one core operation, which checks, changes the
// catalogue and writes the settings file; the page shows the refusal or the question, keeps
// its own lists in step and tells the main window at once through catalogueChanged. Nothing
// waits for the sheet's OK, and Cancel undoes nothing.
class CCustom : public QWidget {
    Q_OBJECT
  public:
    enum Mode { kModeNone = -1, kModeAddCategory = 0, kModeExistingCategory = 1 };

    CCustom(ConverterState& state, DesktopServices& services, QWidget* parent = nullptr);
    ~CCustom() override;

    int mode() const { return m_nMode; }
    // The catalogue row of the category chosen in the category list.
    int chosenCategory() const { return m_nCategory; }

  signals:
    void catalogueChanged(int index, korvane::CatalogueAction action);

  protected:
    // The lists are filled when the page is first shown, from the catalogue as it is then.
    void showEvent(QShowEvent* event) override;

  private:
    void createWidgets();
    void createLayout();
    void createConnections();
    QGroupBox* createCategoryGroup();
    QGroupBox* createUnitGroup();

    void OnInitDialog();
    void fillCategoryList();
    void fillUnitList();
    void applyMode();

    void OnModeChanged(int mode);
    void OnSelchangeCategory();
    void OnAddCategory();
    void OnRemoveCategory();
    void OnAddUnit();
    void OnRemoveUnit();

    void showNotice(const CustomNotice& notice);
    bool confirm(const CustomNotice& question);

    ConverterState& state_;
    DesktopServices& services_;
    bool built_ = false;

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
