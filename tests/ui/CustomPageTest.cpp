#include "CustomPageTest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "CustomPageSession.h"
#include "PreferencesSheetDriver.h"
#include "ui/widgets/SortedLists.h"

namespace korvane::test {

namespace {

constexpr const char* kInvalidFactor = "Enter a valid conversion factor for the unit";

}  // namespace

void CustomPageTest::pageShowsEveryControlInAddCategoryMode() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    QStringList groups;
    for (const QGroupBox* group : session.page.findChildren<QGroupBox*>())
        groups.push_back(group->title());
    QCOMPARE(groups, (QStringList{"Add new category    ", "Add units in existing category    "}));
    QCOMPARE(page.addCategoryMode()->text(), QStringLiteral("Add category"));
    QCOMPARE(page.existingCategoryMode()->text(), QStringLiteral("Existing category"));
    QCOMPARE(page.addCategoryButton()->text(), QStringLiteral("Add"));
    QCOMPARE(page.removeCategoryButton()->text(), QStringLiteral("Remove"));
    QCOMPARE(page.addUnitButton()->text(), QStringLiteral("Add"));
    QCOMPARE(page.removeUnitButton()->text(), QStringLiteral("Remove"));
    QStringList labels;
    for (const QLabel* label : session.page.findChildren<QLabel*>())
        labels.push_back(label->text());
    labels.sort();
    QCOMPARE(labels, (QStringList{"1", "=", "FACTOR", "UNIT", "UNIT"}));

    // The unit row reads "1 UNIT = FACTOR UNIT" from left to right.
    const auto left = [](const QWidget* w) { return w->mapTo(w->window(), QPoint()).x(); };
    QVERIFY(left(page.unitName()) < left(page.factor()));
    QVERIFY(left(page.factor()) < left(page.unitList()));

    QCOMPARE(session.page.mode(), int{CCustom::kModeAddCategory});
    QVERIFY(page.addCategoryMode()->isChecked());
    QVERIFY(page.categoryName()->isEnabled());
    QVERIFY(page.addCategoryButton()->isEnabled());
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             page.categoryList(), page.removeCategoryButton(), page.unitName(), page.factor(),
             page.unitList(), page.addUnitButton(), page.removeUnitButton()}) {
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    }

    // The first category is chosen, with its units in list order and the first selected.
    const QString first = page.categoryList()->itemText(0);
    QCOMPARE(page.categoryList()->currentIndex(), 0);
    const UnitCatalogue& catalogue = session.window.state().catalogue;
    const int row = catalogue.FindCategory(first.toStdString());
    QCOMPARE(session.page.chosenCategory(), row);
    QStringList units;
    for (int unit = 0; unit < catalogue.UnitCount(row); ++unit)
        units.push_back(QString::fromStdString(catalogue.UnitName(row, unit)));
    QCOMPARE(Entries(page.unitList()), SortedForList(units));
    QCOMPARE(page.unitList()->currentIndex(), 0);
    QVERIFY(!settings_->exists());
}

void CustomPageTest::existingCategoryModeEnablesTheUnitControls() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.addCategory(QStringLiteral("empty one"));
    const std::initializer_list<QWidget*> always = {
        page.categoryList(), page.removeCategoryButton(), page.unitName(), page.addUnitButton()};
    const std::initializer_list<QWidget*> needUnits = {page.unitList(), page.factor(),
                                                       page.removeUnitButton()};
    const auto enabled = [](std::initializer_list<QWidget*> controls) {
        int count = 0;
        for (const QWidget* control : controls)
            count += control->isEnabled() ? 1 : 0;
        return count;
    };

    page.useExistingCategory();
    QCOMPARE(session.page.mode(), int{CCustom::kModeExistingCategory});
    QVERIFY(!page.categoryName()->isEnabled());
    QVERIFY(!page.addCategoryButton()->isEnabled());
    QCOMPARE(enabled(always), 4);
    QCOMPARE(enabled(needUnits), 3);

    page.chooseCategory(QStringLiteral("empty one"));
    QCOMPARE(page.unitList()->count(), 0);
    QCOMPARE(enabled(always), 4);
    QCOMPARE(enabled(needUnits), 0);

    page.chooseCategory(QStringLiteral("Distance"));
    QCOMPARE(enabled(needUnits), 3);

    page.useAddCategory();
    QVERIFY(page.categoryName()->isEnabled());
    QCOMPARE(enabled(always), 0);
    QCOMPARE(enabled(needUnits), 0);
}

void CustomPageTest::categoryListHasEveryFactorCategoryHiddenOrNot() {
    settings_->write("[Settings]\nCustom_2=my units\n[Distance]\nVisibility=0\n");
    CustomSession session(settings_->path());
    const UnitCatalogue& catalogue = session.window.state().catalogue;
    QStringList expected{"my units"};
    for (int c = 0; c < kBuiltInCategories; ++c) {
        const QString name = QString::fromStdString(catalogue.CategoryName(c));
        if (name != "Temperature" && name != "Thermal Conductance (buildings)" &&
            name != "Numbers") {
            expected.push_back(name);
        }
    }
    QCOMPARE(Entries(session.driver.categoryList()), SortedForList(expected));
    QVERIFY(!Entries(session.window.categoryList()).contains(QStringLiteral("Distance")));
}

void CustomPageTest::addedCategoryIsListedInLowerCaseAtOnce() {
    CustomSession session(settings_->path());
    const QStringList windowBefore = Entries(session.window.categoryList());
    const QStringList pageBefore = Entries(session.driver.categoryList());
    const QString windowCurrent = session.window.categoryList()->currentText();

    session.driver.addCategory(QStringLiteral("My Units"));

    QCOMPARE(session.changes, (std::vector<std::pair<int, CatalogueAction>>{
                                  {kFirstCustomCategory, CatalogueAction::CategoryInserted}}));
    QCOMPARE(Entries(session.window.categoryList()),
             SortedForList(windowBefore + QStringList{"my units"}));
    QCOMPARE(session.window.categoryList()->currentText(), windowCurrent);
    QCOMPARE(Entries(session.driver.categoryList()),
             SortedForList(pageBefore + QStringList{"my units"}));
    QCOMPARE(settings_->value("Settings", "Custom_1"), std::optional<std::string>("my units"));
    QVERIFY(session.window.services().messages.empty());
    QCOMPARE(session.window.services().beeps, 1);
    QVERIFY(session.driver.categoryName()->text().isEmpty());
    QCOMPARE(session.page.focusWidget(), session.driver.categoryName());
}

void CustomPageTest::firstUnitOfAnEmptyCategoryCountsAsOne() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.addCategory(QStringLiteral("money"));
    session.window.chooseCategory(QStringLiteral("money"));
    page.chooseCategory(QStringLiteral("money"));
    QVERIFY(!page.factor()->isEnabled());
    // Left over from another category: it does not count.
    page.factor()->setText(QStringLiteral("5"));

    page.addUnit(QStringLiteral("euro"), QString());

    QCOMPARE(settings_->value("money", "CustomUnit_1"), std::optional<std::string>("Euro"));
    QCOMPARE(settings_->value("money", "CustomValue_1"), std::optional<std::string>("1"));
    QCOMPARE(Entries(page.unitList()), QStringList{"Euro"});
    QCOMPARE(page.unitList()->currentText(), QStringLiteral("Euro"));
    QVERIFY(page.unitList()->isEnabled());
    QVERIFY(page.factor()->isEnabled());
    QVERIFY(page.removeUnitButton()->isEnabled());
    QCOMPARE(page.unitName()->text(), QStringLiteral("euro"));
    QCOMPARE(session.changes.back(),
             std::make_pair(kFirstCustomCategory, CatalogueAction::UnitInserted));
    QCOMPARE(Entries(session.window.inputList()), QStringList{"Euro"});

    page.addUnit(QStringLiteral("Cent"), QStringLiteral("0.01"));
    QCOMPARE(settings_->value("money", "CustomValue_2"),
             std::optional<std::string>("0.01000000000000"));
    QCOMPARE(Entries(page.unitList()), (QStringList{"Cent", "Euro"}));
    QCOMPARE(page.unitList()->currentText(), QStringLiteral("Euro"));
    QVERIFY(page.unitName()->text().isEmpty());
    QVERIFY(page.factor()->text().isEmpty());
    QCOMPARE(Entries(session.window.inputList()), (QStringList{"Cent", "Euro"}));
    QCOMPARE(session.window.services().beeps, 3);
}

void CustomPageTest::unitNamesAreCapitalisedAndFactorsCountInTheChosenUnit() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    const UnitCatalogue& catalogue = session.window.state().catalogue;
    session.window.chooseCategory(QStringLiteral("Distance"));
    page.chooseCategory(QStringLiteral("Distance"));
    const std::string shown = page.unitList()->currentText().toStdString();

    page.addUnit(QStringLiteral("kiloJOULE"), QStringLiteral("3"));
    QCOMPARE(settings_->value("Distance", "CustomUnit_1"), std::optional<std::string>("Kilojoule"));
    QCOMPARE(QString::fromStdString(*settings_->value("Distance", "CustomValue_1")),
             Factor(catalogue, "Distance", shown, 3));

    page.addUnit(QStringLiteral("Inch2"), QStringLiteral("2"), QStringLiteral("inch"));
    QCOMPARE(QString::fromStdString(*settings_->value("Distance", "CustomValue_2")),
             Factor(catalogue, "Distance", "inch", 2));
    // Negative factors count as factors.
    page.addUnit(QStringLiteral("Backwards"), QStringLiteral("-2"), QStringLiteral("inch"));
    QCOMPARE(QString::fromStdString(*settings_->value("Distance", "CustomValue_3")),
             Factor(catalogue, "Distance", "inch", -2));
    // A factor too small for fourteen decimals is kept in full, not rounded to nothing.
    page.addUnit(QStringLiteral("Speck"), QStringLiteral("1e-20"), QStringLiteral("centimeter"));
    QCOMPARE(settings_->value("Distance", "CustomValue_4"),
             std::optional<std::string>("9.9999999999999995e-21"));
    QVERIFY(session.window.services().messages.empty());

    // The window lists the new units at once and converts with them.
    const QStringList listed = Entries(session.window.inputList());
    QVERIFY(listed.contains(QStringLiteral("Kilojoule")));
    session.window.clickUnit(session.window.inputList(), QStringLiteral("Inch2"));
    session.window.clickUnit(session.window.outputList(), QStringLiteral("inch"));
    session.window.typeInput(QStringLiteral("1"));
    QCOMPARE(session.window.outputEdit()->text(), QStringLiteral("2"));
}

void CustomPageTest::removingTheSecondOfThreeUnits() {
    {
        CustomSession session(settings_->path());
        const CustomPageDriver& page = session.driver;
        page.chooseCategory(QStringLiteral("Distance"));
        page.addUnit(QStringLiteral("First"), QStringLiteral("1"), QStringLiteral("meter"));
        page.addUnit(QStringLiteral("Second"), QStringLiteral("2"), QStringLiteral("meter"));
        page.addUnit(QStringLiteral("Third"), QStringLiteral("3"), QStringLiteral("meter"));

        page.removeUnit(QStringLiteral("Second"));
        QCOMPARE(session.lastMessage().text,
                 QStringLiteral("\tSecond\n\nAre you sure you want to remove the selected unit?"));
        QCOMPARE(session.lastMessage().icon, MessageIcon::Information);
        QCOMPARE(session.lastMessage().buttons, MessageButtons::OkCancel);
        QCOMPARE(session.window.services().messages.size(), std::size_t{1});
        QCOMPARE(session.changes.back(), std::make_pair(15, CatalogueAction::UnitDeleted));
        QCOMPARE(session.changes.size(), std::size_t{4});

        const QStringList pageUnits = Entries(page.unitList());
        QVERIFY(pageUnits.contains(QStringLiteral("First")));
        QVERIFY(pageUnits.contains(QStringLiteral("Third")));
        QVERIFY(!pageUnits.contains(QStringLiteral("Second")));
        QCOMPARE(page.unitList()->currentIndex(), 0);
        // The window shows the category whose unit went, without it.
        QCOMPARE(session.window.categoryList()->currentText(), QStringLiteral("Distance"));
        QCOMPARE(Entries(session.window.inputList()), pageUnits);
        QCOMPARE(settings_->value("Distance", "CustomUnit_2"),
                 std::optional<std::string>("Custom"));
        QVERIFY(!settings_->value("Distance", "CustomValue_2").has_value());

        page.addUnit(QStringLiteral("Fourth"), QStringLiteral("4"), QStringLiteral("meter"));
        QCOMPARE(settings_->value("Distance", "CustomUnit_2"),
                 std::optional<std::string>("Fourth"));
    }
    ConverterWindow restarted(settings_->path());
    restarted.chooseCategory(QStringLiteral("Distance"));
    const QStringList units = Entries(restarted.inputList());
    for (const char* name : {"First", "Third", "Fourth"})
        QVERIFY2(units.contains(QString::fromLatin1(name)), name);
    QVERIFY(!units.contains(QStringLiteral("Second")));
    QVERIFY(!units.contains(QStringLiteral("Custom")));
}

void CustomPageTest::cancelledRemovalsKeepEverything() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.addCategory(QStringLiteral("keep me"));
    page.chooseCategory(QStringLiteral("keep me"));
    page.addUnit(QStringLiteral("Stay"), QString());
    const std::size_t changes = session.changes.size();
    const Snapshot before = Take(session, settings_->path());

    session.window.services().answers = {MessageAnswer::Cancel, MessageAnswer::Cancel};
    page.removeUnit(QStringLiteral("Stay"));
    page.removeCategory(QStringLiteral("keep me"));

    QCOMPARE(session.window.services().messages.size(), std::size_t{2});
    QCOMPARE(session.changes.size(), changes);
    CompareSnapshots(Take(session, settings_->path()), before);
    QCOMPARE(page.categoryList()->currentText(), QStringLiteral("keep me"));
}

void CustomPageTest::removedCurrentCategoryHandsOverToTheFirstListed() {
    CustomSession session(settings_->path());
    session.driver.addCategory(QStringLiteral("zz top"));
    session.driver.chooseCategory(QStringLiteral("zz top"));
    session.driver.addUnit(QStringLiteral("Gig"), QString());
    session.window.chooseCategory(QStringLiteral("zz top"));
    QCOMPARE(Entries(session.window.inputList()), QStringList{"Gig"});

    session.driver.removeCategory(QStringLiteral("zz top"));

    const QComboBox* list = session.window.categoryList();
    QVERIFY(!Entries(list).contains(QStringLiteral("zz top")));
    QCOMPARE(list->currentIndex(), 0);
    const UnitCatalogue& catalogue = session.window.state().catalogue;
    const int first = catalogue.FindCategory(list->itemText(0).toStdString());
    QCOMPARE(session.window.dialog().currentCategory(), first);
    QCOMPARE(session.window.inputList()->count(), catalogue.UnitCount(first));
    QCOMPARE(session.window.selectedText(session.window.inputList()),
             session.window.inputList()->item(0)->text());
    // The row is free again and its unit is gone, here and in the file.
    QVERIFY(catalogue.IsFreeSlot(kFirstCustomCategory));
    QCOMPARE(catalogue.UnitCount(kFirstCustomCategory), 0);
    QVERIFY(!settings_->value("zz top", "CustomUnit_1").has_value());
}

void CustomPageTest::factorBoxTakesOnlyNumberCharactersAsTyped() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.chooseCategory(QStringLiteral("Distance"));
    QLineEdit* factor = page.factor();

    QTest::keyClicks(factor, QStringLiteral("a1x.5E+3e-q 7,"));
    QCOMPARE(factor->text(), QStringLiteral("1.5E+3e-7"));
    QTest::keyClick(factor, Qt::Key_Backspace);
    QTest::keyClick(factor, Qt::Key_Home);
    QTest::keyClick(factor, Qt::Key_Delete);
    QCOMPARE(factor->text(), QStringLiteral(".5E+3e-"));

    // An input method types too.
    QTest::keyClick(factor, Qt::Key_End);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e97"));
    QCoreApplication::sendEvent(factor, &composed);
    QCOMPARE(factor->text(), QStringLiteral(".5E+3e-7"));

    factor->clear();
    QTest::keyClicks(factor, QStringLiteral("1e-3"));
    page.unitName()->setText(QStringLiteral("Tiny"));
    page.chooseUnit(QStringLiteral("meter"));
    page.click(page.addUnitButton());
    QCOMPARE(QString::fromStdString(*settings_->value("Distance", "CustomValue_1")),
             Factor(session.window.state().catalogue, "Distance", "meter", 1e-3));

    // A paste is not filtered; the reading of the factor decides.
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(factor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(factor->text(), QStringLiteral("abc"));
    page.unitName()->setText(QStringLiteral("Pasted"));
    page.click(page.addUnitButton());
    QCOMPARE(session.lastMessage().text, QString::fromLatin1(kInvalidFactor));
}

void CustomPageTest::everythingAddedIsBackAfterARestartAndInTheCli() {
    const QString longName(1000, QLatin1Char('W'));
    {
        CustomSession session(settings_->path());
        const CustomPageDriver& page = session.driver;
        page.addCategory(QStringLiteral("My Units"));
        page.addCategory(longName);
        page.chooseCategory(QStringLiteral("my units"));
        page.addUnit(QStringLiteral("Euro"), QString());
        page.addUnit(QStringLiteral("Cent"), QStringLiteral("0.01"));
        page.chooseCategory(QStringLiteral("Distance"));
        page.addUnit(QStringLiteral("Inch2"), QStringLiteral("2"), QStringLiteral("inch"));
        QVERIFY(session.window.services().messages.empty());
    }
    ConverterWindow restarted(settings_->path());
    const QStringList categories = Entries(restarted.categoryList());
    QVERIFY(categories.contains(QStringLiteral("my units")));
    QVERIFY(categories.contains(longName.toLower()));
    restarted.chooseCategory(QStringLiteral("my units"));
    QCOMPARE(Entries(restarted.inputList()), (QStringList{"Cent", "Euro"}));
    restarted.clickUnit(restarted.inputList(), QStringLiteral("Euro"));
    restarted.clickUnit(restarted.outputList(), QStringLiteral("Cent"));
    restarted.typeInput(QStringLiteral("3"));
    QCOMPARE(restarted.outputEdit()->text(), QStringLiteral("300"));

    // The command line reads the same file the same way.
    const auto cli = [this](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KORVANE_CLI_PATH),
                      QStringList{"--settings", settings_->path()} + arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return QStringLiteral("failed: ") + QString::fromUtf8(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    QCOMPARE(cli({"convert", "--category", "my units", "3", "Euro", "Cent"}),
             QStringLiteral("300"));
    QCOMPARE(cli({"convert", "--category", "Distance", "1", "Inch2", "inch"}), QStringLiteral("2"));
    QVERIFY(cli({"categories"}).split(QLatin1Char('\n')).contains(longName.toLower()));
}

void CustomPageTest::sheetCancelKeepsWhatThePageDid() {
    ConverterWindow window(settings_->path());
    {
        SheetDriver sheet(window);
        QVERIFY(!sheet.sheet().customPage().isBuilt());
        sheet.showPage(SheetDriver::Custom);
        const CustomPageDriver page(sheet.sheet().customPage());
        page.addCategory(QStringLiteral("My Units"));
        page.chooseCategory(QStringLiteral("my units"));
        page.addUnit(QStringLiteral("Euro"), QString());
        // The window has it before the sheet closes.
        QVERIFY(Entries(window.categoryList()).contains(QStringLiteral("my units")));
        sheet.cancel();
    }
    QVERIFY(window.services().messages.empty());
    QVERIFY(Entries(window.categoryList()).contains(QStringLiteral("my units")));
    window.chooseCategory(QStringLiteral("my units"));
    QCOMPARE(Entries(window.inputList()), QStringList{"Euro"});
    QCOMPARE(settings_->value("Settings", "Custom_1"), std::optional<std::string>("my units"));

    // The next opening builds the page afresh from the catalogue.
    SheetDriver again(window);
    again.showPage(SheetDriver::Custom);
    const CustomPageDriver page(again.sheet().customPage());
    QVERIFY(Entries(page.categoryList()).contains(QStringLiteral("my units")));
    page.chooseCategory(QStringLiteral("my units"));
    QCOMPARE(Entries(page.unitList()), QStringList{"Euro"});
}

}  // namespace korvane::test
