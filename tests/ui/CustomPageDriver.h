#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvane {
class CCustom;
}

namespace korvane::test {

// Works the Custom page as a user does: clicks on the radios and buttons, choices in the lists
// through their activation, names put into the boxes. Its controls are found by object name,
// so the same driver serves the page alone and the page inside the Preferences sheet.
class CustomPageDriver {
  public:
    explicit CustomPageDriver(CCustom& page) : page_(page) {}

    QRadioButton* addCategoryMode() const;
    QRadioButton* existingCategoryMode() const;
    QLineEdit* categoryName() const;
    QPushButton* addCategoryButton() const;
    QComboBox* categoryList() const;
    QPushButton* removeCategoryButton() const;
    QLineEdit* unitName() const;
    QLineEdit* factor() const;
    QComboBox* unitList() const;
    QPushButton* addUnitButton() const;
    QPushButton* removeUnitButton() const;

    void click(QAbstractButton* button) const;
    void useAddCategory() const;
    void useExistingCategory() const;

    // Each puts the texts into the boxes (as a paste would) and presses the button.
    void addCategory(const QString& name) const;
    void chooseCategory(const QString& name) const;
    void chooseUnit(const QString& name) const;
    // In the chosen category; `reference` empty keeps the unit the list shows.
    void addUnit(const QString& name, const QString& factor,
                 const QString& reference = QString()) const;
    void removeCategory(const QString& name) const;
    void removeUnit(const QString& name) const;

  private:
    template <typename T>
    T* find(const char* name) const;

    CCustom& page_;
};

}  // namespace korvane::test
