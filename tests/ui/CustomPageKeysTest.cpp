// The Custom page inside the Preferences sheet, as the keyboard and the eye meet it: what
// Enter does in each box, and long unit names in the reference drop-down.
#include "CustomPageTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include "CustomPageDriver.h"
#include "PreferencesSheetDriver.h"
#include "UiTestSupport.h"

namespace korvane::test {

namespace {

// The room the closed box has for its text.
int TextRoom(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    return box->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
        .width();
}

// The tooltip the box has when the pointer rests on it.
QString AskForToolTip(QComboBox* box) {
    const QPoint middle = box->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, box->mapToGlobal(middle));
    QApplication::sendEvent(box, &help);
    return box->toolTip();
}

void TypeAndEnter(QLineEdit* box, const QString& text, Qt::Key enter = Qt::Key_Return) {
    box->setFocus(Qt::TabFocusReason);
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, text);
    QTest::keyClick(box, enter);
}

}  // namespace

void CustomPageTest::enterInANameOrFactorBoxRunsThatRowsAdd() {
    ConverterWindow window(settings_->path());
    SheetDriver sheet(window);
    sheet.showPage(SheetDriver::Custom);
    const CustomPageDriver page(sheet.sheet().customPage());

    page.useAddCategory();
    TypeAndEnter(page.categoryName(), QStringLiteral("Tools"));
    QVERIFY(sheet.sheet().isVisible());
    QVERIFY(Entries(page.categoryList()).contains(QStringLiteral("tools")));
    QCOMPARE(settings_->value("Settings", "Custom_1"), std::optional<std::string>("tools"));

    // The first unit of the new category: Enter in the name box (its factor box is off).
    page.chooseCategory(QStringLiteral("tools"));
    TypeAndEnter(page.unitName(), QStringLiteral("Box"), Qt::Key_Enter);
    QCOMPARE(Entries(page.unitList()), QStringList{"Box"});
    // The next one from the factor box, on the keypad's Enter.
    page.unitName()->setText(QStringLiteral("Crate"));
    TypeAndEnter(page.factor(), QStringLiteral("12"), Qt::Key_Enter);
    QCOMPARE(Entries(page.unitList()), (QStringList{"Box", "Crate"}));
    QVERIFY(sheet.sheet().isVisible());
    QVERIFY(window.services().messages.empty());

    // A refused name shows its message; the sheet stays and the name stays to be corrected.
    page.unitName()->setText(QStringLiteral("Box"));
    TypeAndEnter(page.factor(), QStringLiteral("2"));
    QCOMPARE(window.services().messages.size(), std::size_t{1});
    QVERIFY(sheet.sheet().isVisible());
    QCOMPARE(page.unitName()->text(), QStringLiteral("Box"));

    // Elsewhere Enter is the sheet's OK.
    page.unitList()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(page.unitList(), Qt::Key_Return);
    QVERIFY(!sheet.sheet().isVisible());
    QCOMPARE(sheet.sheet().result(), int{QDialog::Accepted});
}

void CustomPageTest::longReferenceNamesAreShownInFull() {
    ConverterWindow window(settings_->path());
    SheetDriver sheet(window);
    sheet.showPage(SheetDriver::Custom);
    const CustomPageDriver page(sheet.sheet().customPage());
    page.chooseCategory(QStringLiteral("Energy"));
    QComboBox* list = page.unitList();
    const QString longName = QStringLiteral("British thermal unit (39 \u00baF)");
    page.chooseUnit(longName);

    // The open list is as wide as its longest entry.
    const QFontMetrics metrics(list->view()->font());
    int longest = 0;
    for (const QString& name : Entries(list))
        longest = std::max(longest, metrics.horizontalAdvance(name));
    list->showPopup();
    QWidget* popup = list->view()->window();
    QTRY_VERIFY(popup->isVisible());
    const int room = list->view()->viewport()->width();
    list->hidePopup();
    QVERIFY2(room >= longest, qPrintable(QStringLiteral("%1 for %2").arg(room).arg(longest)));

    // The closed box, too narrow for that name, names it in full as its tooltip; a name that
    // fits needs none.
    QVERIFY(list->fontMetrics().horizontalAdvance(longName) > TextRoom(list));
    QCOMPARE(AskForToolTip(list), longName);
    page.chooseUnit(QStringLiteral("joule"));
    QVERIFY(list->fontMetrics().horizontalAdvance(QStringLiteral("joule")) <= TextRoom(list));
    QCOMPARE(AskForToolTip(list), QString());
}

}  // namespace korvane::test
