#include "PreferencesTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <fstream>
#include <functional>
#include <sstream>

#include "PreferencesSheetDriver.h"
#include "ui/preferences/CCustom.h"
#include "ui/preferences/CGeneral.h"
#include "ui/preferences/CResults.h"
#include "ui/preferences/CVisible.h"

namespace korvane::test {

void PreferencesTest::sheetHasFourPagesOpeningOnGeneral() {
    auto window = open();
    SheetDriver driver(*window);
    CPropSheet& sheet = driver.sheet();
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(sheet.parentWidget(), &window->dialog());
    QCOMPARE(sheet.font(), window->dialog().font());

    QTabWidget* tabs = driver.tabs();
    QStringList titles;
    for (int tab = 0; tab < tabs->count(); ++tab)
        titles.push_back(tabs->tabText(tab));
    QCOMPARE(titles, (QStringList{"General", "Result Format", "Visible Categories", "Custom"}));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->widget(SheetDriver::Custom), &sheet.customPage());

    // OK and Cancel, and no Apply.
    const auto* buttons = sheet.findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"));
    QStringList captions;
    for (const QAbstractButton* button : buttons->buttons())
        captions.push_back(button->text());
    captions.sort();
    QCOMPARE(captions, (QStringList{"Cancel", "OK"}));
    QVERIFY(sheet.findChild<QPushButton*>(QStringLiteral("okButton"))->isDefault());
}

// The keyboard reaches a page's controls from its tab, before the sheet's buttons.
void PreferencesTest::tabKeyGoesFromTheTabsIntoThePage() {
    auto window = open();
    SheetDriver driver(*window);
    QTabBar* bar = driver.tabs()->tabBar();
    const auto nextFocusAfterTheTabs = [bar] {
        bar->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar, Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    QCOMPARE(nextFocusAfterTheTabs(), driver.box("onTopBox"));
    for (const char* next : {"rememberCategoryBox", "showAbbreviationBox", "okButton"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    driver.showPage(SheetDriver::ResultFormat);
    QCOMPARE(nextFocusAfterTheTabs(), driver.formatButton(0));
    driver.showPage(SheetDriver::VisibleCategories);
    QCOMPARE(nextFocusAfterTheTabs(), driver.categoryChecks());
}

void PreferencesTest::onlyShownPagesAreBuilt() {
    auto window = open();
    SheetDriver driver(*window);
    CPropSheet& sheet = driver.sheet();
    QVERIFY(sheet.generalPage().isBuilt());
    QVERIFY(!sheet.resultsPage().isBuilt());
    QVERIFY(!sheet.visiblePage().isBuilt());
    // The Result Format page holds no choice until it is shown.
    QCOMPARE(sheet.resultsPage().format(), -1);
    QCOMPARE(sheet.resultsPage().precisionIndex(), -1);
    QCOMPARE(driver.precisionList(), nullptr);
    QCOMPARE(driver.categoryChecks(), nullptr);

    driver.showPage(SheetDriver::ResultFormat);
    QVERIFY(sheet.resultsPage().isBuilt());
    QCOMPARE(sheet.resultsPage().format(), 0);
    QCOMPARE(sheet.resultsPage().precisionIndex(), 4);
    QVERIFY(!sheet.visiblePage().isBuilt());
    // Looking at the pages is not being in the list.
    driver.showPage(SheetDriver::VisibleCategories);
    QCOMPARE(driver.categoryChecks()->count(), kBuiltInCategories);
    QVERIFY(!window->state().visibilityChanged);
}

void PreferencesTest::ctrlPOpensTheSheetFromEveryControl() {
    auto window = open();
    const QList<QWidget*> controls = {window->categoryList(), window->inputList(),
                                      window->outputList(), window->inputEdit(),
                                      window->outputEdit()};
    for (QWidget* control : controls) {
        int opened = 0;
        WithModalSheet(
            *window,
            [&opened](CPropSheet& sheet) {
                opened += sheet.isVisible() && sheet.isModal() ? 1 : 0;
            },
            control);
        QVERIFY2(opened == 1, qPrintable(control->objectName()));
    }
    // Ctrl+P inside the sheet is not the window's key: no second sheet (the watchdog would
    // report one).
    int opened = 0;
    WithModalSheet(*window, [&opened](CPropSheet& sheet) {
        ++opened;
        QTest::keyClick(sheet.findChild<QCheckBox*>(QStringLiteral("onTopBox")), Qt::Key_P,
                        Qt::ControlModifier);
        QCOMPARE(QApplication::activeModalWidget(), &sheet);
    });
    QCOMPARE(opened, 1);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void PreferencesTest::generalPageShowsTheStoredFlags_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("abbreviationsShown");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("remember");
    QTest::newRow("no file") << QString() << true << false << true;
    QTest::newRow("lower-case true is off") << "[Settings]\nOnTop=true\nRememberCategory=True\n"
                                            << true << false << false;
    QTest::newRow("all switched") << "[Settings]\nOnTop=TRUE\nRememberCategory=FALSE\n"
                                     "ShowAbbreviation=FALSE\n"
                                  << false << true << false;
}

void PreferencesTest::generalPageShowsTheStoredFlags() {
    QFETCH(QString, file);
    QFETCH(bool, abbreviationsShown);
    QFETCH(bool, onTop);
    QFETCH(bool, remember);
    if (!file.isEmpty())
        settings_->write(file.toStdString());
    auto window = open();
    SheetDriver driver(*window);
    QCOMPARE(driver.box("onTopBox")->isChecked(), onTop);
    QCOMPARE(driver.box("rememberCategoryBox")->isChecked(), remember);
    QCOMPARE(driver.box("showAbbreviationBox")->isChecked(), abbreviationsShown);
    QCOMPARE(driver.box("onTopBox")->text(), QStringLiteral("Always on top"));
    QCOMPARE(driver.box("rememberCategoryBox")->text(),
             QStringLiteral("Remember last used category and units on startup"));
    QCOMPARE(driver.box("showAbbreviationBox")->text(),
             QStringLiteral("Show abbreviations when available"));
}

void PreferencesTest::alwaysOnTopAppliesAtOnceAndSurvivesCancel() {
    auto window = open();
    CConverterDlg& dialog = window->dialog();
    const QRect before = dialog.geometry();
    {
        SheetDriver driver(*window);
        driver.box("onTopBox")->click();
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(dialog.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(settings_->value("Settings", "OnTop"), Text("TRUE"));
        QVERIFY(dialog.isVisible());
        QVERIFY(driver.sheet().isVisible());
        driver.cancel();
    }
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.geometry(), before);
    QCOMPARE(settings_->value("Settings", "OnTop"), Text("TRUE"));
    {
        SheetDriver driver(*window);
        QVERIFY(driver.box("onTopBox")->isChecked());
        driver.box("onTopBox")->click();
        driver.box("rememberCategoryBox")->click();
        driver.ok();
    }
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.geometry(), before);
    QCOMPARE(settings_->value("Settings", "OnTop"), Text("FALSE"));
    QCOMPARE(settings_->value("Settings", "RememberCategory"), Text("FALSE"));
}

void PreferencesTest::abbreviationsOffIsStoredEvenOnCancel() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("meter\nm"));
    {
        SheetDriver driver(*window);
        driver.box("showAbbreviationBox")->click();
        driver.cancel();
    }
    QCOMPARE(settings_->value("Settings", "ShowAbbreviation"), Text("FALSE"));
    QVERIFY(!window->state().showAbbreviation);
    // The labels change the next time the window labels the units.
    window->typeInput(QStringLiteral("2"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("meter"));
}

void PreferencesTest::failedWritesWarnOncePerRun() {
    // The settings folder is a file, so no write can succeed.
    settings_->write("");
    ConverterWindow window(settings_->path() + QStringLiteral("/Tabrivo.ini"));
    {
        SheetDriver driver(window);
        driver.box("onTopBox")->click();
        driver.box("showAbbreviationBox")->click();
        driver.box("rememberCategoryBox")->click();
        // Each click still took effect in the running program.
        QVERIFY(window.dialog().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.state().showAbbreviation);
        driver.showPage(SheetDriver::ResultFormat);
        driver.formatButton(2)->click();
        driver.ok();
    }
    QCOMPARE(window.state().format.mode, FormatMode::Fixed);
    const auto& messages = window.services().messages;
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].caption, QStringLiteral("Korvane Unit Converter"));
    QVERIFY(messages[0].text.contains(settings_->path()));
}

void PreferencesTest::visiblePageListsTheFortyTwoByTheirFlags() {
    settings_->write("[Flow]\nVisibility=3\n[Distance]\nVisibility=0\n");
    auto window = open();
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::VisibleCategories);
    QListWidget* list = driver.categoryChecks();
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->count(), kBuiltInCategories);
    int unticked = 0;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        QCOMPARE(list->item(c)->text(),
                 QString::fromStdString(window->state().catalogue.CategoryName(c)));
        const bool ticked = list->item(c)->checkState() == Qt::Checked;
        QCOMPARE(ticked, window->state().visibility.IsVisible(c));
        unticked += ticked ? 0 : 1;
    }
    // The seventeen hidden by default, less Flow, plus Distance.
    QCOMPARE(unticked, 17);
    QCOMPARE(list->findItems(QStringLiteral("Flow"), Qt::MatchExactly).front()->checkState(),
             Qt::Checked);
    QCOMPARE(driver.box("displayAllBox")->text(), QStringLiteral("Display all Categories"));
}

void PreferencesTest::clearedCategoryLeavesAtOnceAndAfterARestart() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Volume"));
    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        driver.toggleCategory(QStringLiteral("Distance"));
        driver.ok();
    }
    QComboBox* categories = window->categoryList();
    QCOMPARE(categories->findText(QStringLiteral("Distance")), -1);
    QCOMPARE(categories->count(), 24);
    // The rebuilt list starts again on its first entry, with its units.
    QCOMPARE(categories->currentIndex(), 0);
    QCOMPARE(window->dialog().currentCategory(), 0);
    QCOMPARE(window->selectedText(window->inputList()), window->inputList()->item(0)->text());
    window->closeWindow();
    window.reset();

    auto restarted = open();
    QCOMPARE(restarted->categoryList()->findText(QStringLiteral("Distance")), -1);
    QCOMPARE(settings_->value("Distance", "Visibility"), Text("0"));
}

void PreferencesTest::displayAllMakesEveryCategoryVisible() {
    auto window = open();
    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        QCheckBox* all = driver.box("displayAllBox");
        all->click();
        QVERIFY(window->state().visibilityChanged);
        // Clearing the box again changes no tick.
        driver.toggleCategory(QStringLiteral("Flow"));
        all->click();
        QCOMPARE(driver.categoryChecks()
                     ->findItems(QStringLiteral("Flow"), Qt::MatchExactly)
                     .front()
                     ->checkState(),
                 Qt::Unchecked);
        all->click();
        driver.ok();
    }
    QCOMPARE(window->categoryList()->count(), kBuiltInCategories);
}

void PreferencesTest::cancelLeavesTheVisibilityAlone() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    const QStringList before = Entries(window->categoryList());
    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        driver.toggleCategory(QStringLiteral("Distance"));
        driver.toggleCategory(QStringLiteral("Flow"));
        driver.cancel();
    }
    QCOMPARE(Entries(window->categoryList()), before);
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QVERIFY(
        window->state().visibility.IsVisible(window->state().catalogue.FindCategory("Distance")));
}

void PreferencesTest::onceTheListHadTheFocusEveryOkRebuilds() {
    auto window = open();
    // Without the flag an OK leaves the list and its selection alone.
    window->chooseCategory(QStringLiteral("Distance"));
    SheetDriver(*window).ok();
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));

    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        driver.enterCategoryList();
        driver.cancel();
    }
    QVERIFY(window->state().visibilityChanged);
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    for (int run = 0; run < 2; ++run) {
        window->chooseCategory(QStringLiteral("Distance"));
        SheetDriver(*window).ok();
        QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Acceleration"));
        QCOMPARE(window->dialog().currentCategory(), 0);
    }
}

// Rebuilt by the start-up rule: a name of two characters, listed at start-up, stays listed.
void PreferencesTest::rebuildKeepsTwoCharacterCustomCategories() {
    settings_->write("[Settings]\nCustom_1=ab\nCustom_2=lumber\n");
    auto window = open();
    QVERIFY(window->categoryList()->findText(QStringLiteral("ab")) >= 0);
    window->state().visibilityChanged = true;
    SheetDriver(*window).ok();
    QVERIFY(window->categoryList()->findText(QStringLiteral("ab")) >= 0);
    QVERIFY(window->categoryList()->findText(QStringLiteral("lumber")) >= 0);
    QCOMPARE(window->categoryList()->count(), 27);
}

void PreferencesTest::everyCategoryClearedLeavesNothingToConvert() {
    auto window = open();
    window->typeInput(QStringLiteral("7"));
    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        driver.enterCategoryList();
        QListWidget* list = driver.categoryChecks();
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(Qt::Unchecked);
        driver.ok();
    }
    QCOMPARE(window->categoryList()->count(), 0);
    QCOMPARE(window->inputList()->count(), 0);
    QCOMPARE(window->outputList()->count(), 0);
    window->typeInput(QStringLiteral("12"));
    window->dialog().OnInvert();
    // Nothing to convert: no result of a category no longer shown stays on screen.
    QCOMPARE(window->outputEdit()->text(), QString());
    QCOMPARE(window->inputLabel()->text(), QString());
    QCOMPARE(window->outputLabel()->text(), QString());
    window->closeWindow();
    QCOMPARE(settings_->value("Acceleration", "Visibility"), Text("0"));
    QCOMPARE(settings_->value("Settings", "LastCategory"), Text(""));
}

}  // namespace korvane::test
