#include "ResultsPageTest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "PreferencesSheetDriver.h"
#include "ui/preferences/CResults.h"

namespace korvane::test {

namespace {

void PressOk(CPropSheet& sheet) {
    sheet.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
}

}  // namespace

void ResultsPageTest::okWithoutResultFormatKeepsFormatAndFile() {
    const std::string file = "[Settings]\nFormat=2\nPrecision=3\nOnTop=FALSE\n";
    settings_->write(file);
    auto window = open();
    // The running format differs from the file's: OK must not reload it either.
    window->state().format = ResultFormat{FormatMode::Scientific, 7};
    {
        SheetDriver driver(*window);
        driver.showPage(SheetDriver::VisibleCategories);
        driver.ok();
    }
    QCOMPARE(window->state().format.mode, FormatMode::Scientific);
    QCOMPARE(window->state().format.precision, 7);
    QCOMPARE(ReadAll(settings_->path()), file);
}

void ResultsPageTest::scientificTwoIsStoredAndReformatsTheOutput() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
    window->typeInput(QStringLiteral("2*3"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("600"));
    WithModalSheet(*window, [](CPropSheet& sheet) {
        sheet.findChild<QTabWidget*>()->setCurrentIndex(SheetDriver::ResultFormat);
        sheet.findChild<QAbstractButton*>(QStringLiteral("scientificButton"))->click();
        auto* list = sheet.findChild<QComboBox*>(QStringLiteral("precisionList"));
        list->setCurrentIndex(1);
        emit list->activated(1);
        PressOk(sheet);
    });
    QCOMPARE(settings_->value("Settings", "Format"), Text("1"));
    QCOMPARE(settings_->value("Settings", "Precision"), Text("2"));
    QCOMPARE(window->state().format.mode, FormatMode::Scientific);
    QCOMPARE(window->state().format.precision, 2);
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("6.00e+002"));
    // The category list was left alone.
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
}

void ResultsPageTest::previewShowsTheSampleInEachFormat_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("preview");
    QTest::newRow("AutoFormat") << 0 << 3 << "123.45678976898";
    QTest::newRow("Scientific 5") << 1 << 5 << "1.23457e+002";
    QTest::newRow("Fixed 5") << 2 << 5 << "123.45679";
    QTest::newRow("Scientific 1") << 1 << 1 << "1.2e+002";
    QTest::newRow("Fixed 9") << 2 << 9 << "123.456789769";
}

void ResultsPageTest::previewShowsTheSampleInEachFormat() {
    QFETCH(int, format);
    QFETCH(int, precision);
    QFETCH(QString, preview);
    auto window = open();
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::ResultFormat);
    // The precision first, in another format, so the click on the format previews with it.
    driver.formatButton(format == 1 ? 2 : 1)->click();
    driver.choosePrecision(precision);
    driver.formatButton(format)->click();
    QCOMPARE(driver.preview()->text(), preview);
    QCOMPARE(driver.preview()->font().bold(), true);
    QCOMPARE(driver.preview()->font().pointSize(), 10);
}

void ResultsPageTest::autoFormatKeepsThePrecisionChosen() {
    auto window = open();
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::ResultFormat);
    QVERIFY(driver.formatButton(0)->isChecked());
    QVERIFY(!driver.precisionList()->isEnabled());
    QCOMPARE(driver.preview()->text(), QStringLiteral("123.45678976898"));
    QCOMPARE(Entries(driver.precisionList()),
             (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(driver.precisionList()->currentText(), QStringLiteral("5"));

    driver.formatButton(2)->click();
    QVERIFY(driver.precisionList()->isEnabled());
    driver.choosePrecision(3);
    QCOMPARE(driver.preview()->text(), QStringLiteral("123.457"));
    driver.formatButton(0)->click();
    QVERIFY(!driver.precisionList()->isEnabled());
    QCOMPARE(driver.precisionList()->currentText(), QStringLiteral("3"));
    QCOMPARE(driver.preview()->text(), QStringLiteral("123.45678976898"));
    driver.formatButton(2)->click();
    QVERIFY(driver.precisionList()->isEnabled());
    QCOMPARE(driver.preview()->text(), QStringLiteral("123.457"));
    // The members follow the list, not the radio clicks.
    QCOMPARE(driver.sheet().resultsPage().format(), 2);
    QCOMPARE(driver.sheet().resultsPage().precisionIndex(), 2);
}

void ResultsPageTest::storedFormatOutsideItsRange_data() {
    QTest::addColumn<int>("stored");
    QTest::newRow("7") << 7;
    QTest::newRow("-1") << -1;
}

// Such a value reads as AutoFormat everywhere, and OK stores the AutoFormat the page shows.
void ResultsPageTest::storedFormatOutsideItsRange() {
    QFETCH(int, stored);
    settings_->write("[Settings]\nFormat=" + std::to_string(stored) + "\nPrecision=2\n");
    auto window = open();
    QCOMPARE(window->state().format.mode, FormatMode::AutoFormat);
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::ResultFormat);
    QVERIFY(driver.formatButton(0)->isChecked());
    QCOMPARE(driver.preview()->text(), QStringLiteral("123.45678976898"));
    driver.ok();
    QCOMPARE(settings_->value("Settings", "Format"), Text("0"));
    QCOMPARE(settings_->value("Settings", "Precision"), Text("2"));
    QCOMPARE(window->state().format.mode, FormatMode::AutoFormat);
}

void ResultsPageTest::storedPrecisionOutsideTheList_data() {
    QTest::addColumn<std::string>("stored");
    QTest::addColumn<QString>("fixedPreview");
    QTest::addColumn<int>("length");
    QTest::newRow("0") << std::string("0") << "123" << 3;
    QTest::newRow("12") << std::string("12") << "123.456789768983" << 16;
    // Clamped: never hundreds of thousands of digits.
    QTest::newRow("100000") << std::string("100000") << "123.456789768983" << 4 + kMaxPrecision;
}

// The list shows no entry; the preview uses the stored value until a radio button is clicked,
// which then finds no precision chosen; OK stores what the page shows.
void ResultsPageTest::storedPrecisionOutsideTheList() {
    QFETCH(std::string, stored);
    QFETCH(QString, fixedPreview);
    QFETCH(int, length);
    settings_->write("[Settings]\nFormat=2\nPrecision=" + stored + "\n");
    auto window = open();
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::ResultFormat);
    QCOMPARE(driver.precisionList()->currentIndex(), -1);
    QVERIFY(driver.preview()->text().startsWith(fixedPreview));
    QCOMPARE(driver.preview()->text().size(), length);
    // A long preview is cut off; the sheet keeps its size.
    QVERIFY(driver.sheet().width() < driver.sheet().screen()->availableGeometry().width());
    driver.formatButton(1)->click();
    QCOMPARE(driver.preview()->text(), QStringLiteral("1e+002"));
    driver.ok();
    QCOMPARE(settings_->value("Settings", "Precision"), Text("0"));
    QCOMPARE(settings_->value("Settings", "Format"), Text("1"));
    QCOMPARE(window->state().format.precision, 0);
}

void ResultsPageTest::cancelLeavesTheFormatAsLoaded() {
    const std::string file = "[Settings]\nFormat=2\nPrecision=3\n";
    settings_->write(file);
    auto window = open();
    window->state().format = ResultFormat{FormatMode::Scientific, 7};
    SheetDriver driver(*window);
    driver.showPage(SheetDriver::ResultFormat);
    // Showing the page makes the stored format the running one.
    QCOMPARE(window->state().format.mode, FormatMode::Fixed);
    QCOMPARE(window->state().format.precision, 3);
    driver.formatButton(1)->click();
    driver.choosePrecision(8);
    driver.cancel();
    QCOMPARE(window->state().format.mode, FormatMode::Fixed);
    QCOMPARE(window->state().format.precision, 3);
    QCOMPARE(ReadAll(settings_->path()), file);
}

}  // namespace korvane::test
