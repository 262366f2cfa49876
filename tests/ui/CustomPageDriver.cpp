#include "CustomPageDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/preferences/CCustom.h"

namespace korvane::test {

template <typename T>
T* CustomPageDriver::find(const char* name) const {
    T* widget = page_.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qFatal("the Custom page has no %s", name);
    return widget;
}

QRadioButton* CustomPageDriver::addCategoryMode() const {
    return find<QRadioButton>("addCategoryMode");
}
QRadioButton* CustomPageDriver::existingCategoryMode() const {
    return find<QRadioButton>("existingCategoryMode");
}
QLineEdit* CustomPageDriver::categoryName() const {
    return find<QLineEdit>("newCategoryEdit");
}
QPushButton* CustomPageDriver::addCategoryButton() const {
    return find<QPushButton>("addCategoryButton");
}
QComboBox* CustomPageDriver::categoryList() const {
    return find<QComboBox>("customCategoryList");
}
QPushButton* CustomPageDriver::removeCategoryButton() const {
    return find<QPushButton>("removeCategoryButton");
}
QLineEdit* CustomPageDriver::unitName() const {
    return find<QLineEdit>("newUnitEdit");
}
QLineEdit* CustomPageDriver::factor() const {
    return find<QLineEdit>("factorEdit");
}
QComboBox* CustomPageDriver::unitList() const {
    return find<QComboBox>("referenceUnitList");
}
QPushButton* CustomPageDriver::addUnitButton() const {
    return find<QPushButton>("addUnitButton");
}
QPushButton* CustomPageDriver::removeUnitButton() const {
    return find<QPushButton>("removeUnitButton");
}

void CustomPageDriver::click(QAbstractButton* button) const {
    QVERIFY2(button->isEnabled() && button->isVisible(), qPrintable(button->objectName()));
    // Near the left end, where a radio button's circle is: its caption may end well before
    // the middle of a wide button.
    const int middle = button->height() / 2;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(middle, middle));
}

void CustomPageDriver::useAddCategory() const {
    click(addCategoryMode());
}

void CustomPageDriver::useExistingCategory() const {
    click(existingCategoryMode());
}

void CustomPageDriver::addCategory(const QString& name) const {
    useAddCategory();
    categoryName()->setText(name);
    click(addCategoryButton());
}

void CustomPageDriver::chooseCategory(const QString& name) const {
    useExistingCategory();
    QComboBox* list = categoryList();
    const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(name));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void CustomPageDriver::chooseUnit(const QString& name) const {
    QComboBox* list = unitList();
    QVERIFY(list->isEnabled());
    const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(name));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void CustomPageDriver::addUnit(const QString& name, const QString& factorText,
                               const QString& reference) const {
    unitName()->setText(name);
    if (factor()->isEnabled())
        factor()->setText(factorText);
    if (!reference.isEmpty())
        chooseUnit(reference);
    click(addUnitButton());
}

void CustomPageDriver::removeCategory(const QString& name) const {
    chooseCategory(name);
    click(removeCategoryButton());
}

void CustomPageDriver::removeUnit(const QString& name) const {
    chooseUnit(name);
    click(removeUnitButton());
}

}  // namespace korvane::test
