#include "ConverterWindowTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include <fstream>
#include <sstream>

#include "ui/widgets/SortedLists.h"

namespace korvane::test {

namespace {

const QStringList kDefaultCategories = {"Acceleration",
                                        "Angle",
                                        "Area",
                                        "Charge",
                                        "Conductance",
                                        "Current",
                                        "Data",
                                        "Data Transfer",
                                        "Density",
                                        "Distance",
                                        "Energy",
                                        "Force",
                                        "Fuel Consumption",
                                        "Mass",
                                        "Numbers",
                                        "Power",
                                        "Pressure",
                                        "SI Prefix",
                                        "Temperature",
                                        "Thermal Conductance (buildings)",
                                        "Time",
                                        "Torque",
                                        "Velocity",
                                        "Volume",
                                        "Volume (Dry)"};

std::string EveryCategoryHidden() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    std::string file;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        file += "[" + catalogue.CategoryName(c) + "]\nVisibility=0\n";
    }
    return file;
}

}  // namespace

void ConverterWindowTest::firstStartListsTheDefaultCategories() {
    auto window = open();
    QCOMPARE(Entries(window->categoryList()), SortedForList(kDefaultCategories));
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Acceleration"));
    QCOMPARE(window->dialog().currentCategory(), 0);

    const QStringList units = Entries(window->inputList());
    QVERIFY(units.size() > 1);
    QCOMPARE(units, SortedForList(units));
    QCOMPARE(Entries(window->outputList()), units);
    QCOMPARE(window->selectedText(window->inputList()), units.front());
    QCOMPARE(window->selectedText(window->outputList()), units.front());
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("1"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("1"));
    QVERIFY(window->inputLabel()->text().startsWith(units.front()));
    QCOMPARE(QApplication::focusWidget(), window->inputList());
    // Nothing is written while the program starts.
    QVERIFY(!settings_->exists());
}

void ConverterWindowTest::windowCarriesTheTemplatesTexts() {
    auto window = open();
    CConverterDlg& dialog = window->dialog();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Korvane Unit Converter"));
    QStringList items;
    for (QAction* menu : dialog.findChild<QMenuBar*>(QStringLiteral("menuBar"))->actions()) {
        items.push_back(menu->text());
        for (QAction* item : menu->menu()->actions()) {
            items.push_back(item->isSeparator() ? QStringLiteral("--") : item->text());
        }
    }
    QCOMPARE(items, (QStringList{"&File", "Exit", "Edit", "Copy output\tCtrl+C", "Find\tCtrl+F",
                                 "Invert selected units\tCtrl+I", "&Options", "Calculator\tCtrl+L",
                                 "Preferences\tCtrl+P       ", "&Help", "Help", "--", "&About...",
                                 "Check for updates or donate..."}));
    const QString tip = window->inputEdit()->toolTip();
    QVERIFY(!tip.contains(QLatin1Char('\r')));
    QCOMPARE(tip.count(QLatin1Char('\n')), 5);
    QVERIFY(tip.endsWith(QStringLiteral("(for 2\u00be). ")));
    QCOMPARE(window->inputEdit()->toolTipDuration(), 30000);
    QWidget* invert = dialog.findChild<QWidget*>(QStringLiteral("invertIcon"));
    QCOMPARE(invert->toolTip(),
             QStringLiteral("Click on the icon to invert currently selected units"));
    QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("banner"))->cursor().shape(),
             Qt::PointingHandCursor);
    QVERIFY(!dialog.windowIcon().isNull());
    // Fixed size: the window cannot be resized.
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void ConverterWindowTest::typingAnExpressionConvertsAtOnce() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
    window->typeInput(QStringLiteral("2*3"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("600"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("meter\nm"));
    QCOMPARE(window->outputLabel()->text(), QStringLiteral("centimeter\ncm"));
    // Without an error the tooltip tells how the units relate.
    QCOMPARE(window->outputEdit()->toolTip(),
             QStringLiteral("1 meter = 100 centimeter; 1 centimeter = 0.01 meter"));
}

void ConverterWindowTest::labelsShowBareNamesWithoutAbbreviations() {
    settings_->write("[Settings]\nShowAbbreviation=FALSE\n");
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("100"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("meter"));
    QCOMPARE(window->outputLabel()->text(), QStringLiteral("centimeter"));
}

void ConverterWindowTest::numbersConvertTheTextWhateverTheFormat() {
    for (const char* format : {"0", "1", "2", "7"}) {
        settings_->write(std::string("[Settings]\nFormat=") + format + "\nPrecision=3\n");
        auto window = open();
        window->chooseCategory(QStringLiteral("Numbers"));
        window->clickUnit(window->inputList(), QStringLiteral("base-16 (hexadecimal)"));
        window->clickUnit(window->outputList(), QStringLiteral("base-10 (decimal)"));
        window->typeInput(QStringLiteral("ff"));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("255"));
        window->clickUnit(window->inputList(), QStringLiteral("base-10 (decimal)"));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("0"));
    }
}

void ConverterWindowTest::temperatureAndEmptyInput() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Temperature"));
    window->clickUnit(window->inputList(), QStringLiteral("degree Celsius"));
    window->clickUnit(window->outputList(), QStringLiteral("degree Fahrenheit"));
    const std::pair<const char*, const char*> cases[] = {
        {"100", "212"}, {"-40", "-40"}, {"", "32"}, {"37", "98.6"}};
    for (const auto& [input, expected] : cases) {
        window->typeInput(QString::fromLatin1(input));
        QCOMPARE(window->outputEdit()->text(), QString::fromLatin1(expected));
    }
    window->dialog().OnInvert();
    window->typeInput(QStringLiteral("32"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("0"));
}

void ConverterWindowTest::failingExpressionShowsErrorWithItsMessage() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->typeInput(QStringLiteral("2*(3"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("Error"));
    QVERIFY(!window->outputEdit()->toolTip().isEmpty());
    const QString message = window->outputEdit()->toolTip();
    // The next valid input shows its number and drops the message.
    window->typeInput(QStringLiteral("2*3"));
    QVERIFY(window->outputEdit()->text() != QStringLiteral("Error"));
    QVERIFY(window->outputEdit()->toolTip() != message);
}

void ConverterWindowTest::hostileInputNeverShowsANumber() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    const QString cases[] = {QString(10000, QLatin1Char('9')), QStringLiteral("1\x01\x02"),
                             QStringLiteral("((((((((((1"), QStringLiteral("1/0*")};
    for (const QString& input : cases) {
        window->inputEdit()->setText(input);
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("Error"));
    }
    // Enough nesting to be deep, short enough to be accepted.
    window->inputEdit()->setText(QString(400, QLatin1Char('(')) + "2" +
                                 QString(400, QLatin1Char(')')));
    QVERIFY(window->outputEdit()->text() != QStringLiteral("Error"));
}

void ConverterWindowTest::invertTwiceRestoresTheResult() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
    window->typeInput(QStringLiteral("2"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("200"));

    // Ctrl+I reaches the window even while the input box has the focus, and types nothing.
    window->inputEdit()->setFocus();
    QTest::keyClick(window->inputEdit(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("centimeter"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("meter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("0.02"));
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("2"));

    auto* icon = window->dialog().findChild<QWidget*>(QStringLiteral("invertIcon"));
    QTest::mouseClick(icon, Qt::LeftButton, Qt::NoModifier, icon->rect().center());
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("meter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("200"));
    // A double-click (press, release, double-click, release) swaps once.
    const QPoint centre = icon->rect().center();
    QTest::mousePress(icon, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(icon, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(icon, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(icon, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("centimeter"));
    QTest::mouseClick(icon, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("meter"));

    // The window's keys stay with the window: another active window keeps its own Ctrl+I.
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("meter"));
}

// With one list emptied, typing would leave the result of the old unit in the output box.
void ConverterWindowTest::userCannotLeaveAUnitListWithoutSelection() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Temperature"));
    window->clickUnit(window->inputList(), QStringLiteral("Kelvin"));
    window->clickUnit(window->outputList(), QStringLiteral("degree Celsius"));
    window->typeInput(QStringLiteral("0"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("-273.15"));

    QListWidget* input = window->inputList();
    QTest::mouseClick(input->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      input->visualItemRect(input->currentItem()).center());
    QCOMPARE(window->selectedText(input), QStringLiteral("Kelvin"));
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(window->selectedText(input), QStringLiteral("Kelvin"));

    // Five units leave room below the last entry: a drag from a unit into it.
    QWidget* viewport = window->outputList()->viewport();
    const QPoint unit =
        window->outputList()->visualItemRect(window->outputList()->currentItem()).center();
    const QPoint below(unit.x(), viewport->height() - 2);
    QVERIFY(!window->outputList()->indexAt(below).isValid());
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, unit);
    QMouseEvent move(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, below);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, below);
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("degree Celsius"));

    window->typeInput(QStringLiteral("5"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("-268.15"));
}

void ConverterWindowTest::missingPictureIsReportedOnceAndTheWindowWorks() {
    CConverterDlg::Pictures pictures;
    pictures.banner = QStringLiteral("999");
    auto window = open(pictures);
    QCOMPARE(window->services().messages.size(), std::size_t{1});
    QCOMPARE(window->services().messages[0].caption, QStringLiteral("CPicture Error"));
    QCOMPARE(window->services().messages[0].text, QStringLiteral("FindResource() Failed\t"));
    window->dialog().grab();  // paints the window, banner included
    window->typeInput(QStringLiteral("5"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("5"));
    window->dialog().grab();
    QCOMPARE(window->services().messages.size(), std::size_t{1});
}

void ConverterWindowTest::everyCategoryHiddenLeavesEmptyLists() {
    settings_->write(EveryCategoryHidden());
    auto window = open();
    QCOMPARE(window->categoryList()->count(), 0);
    QCOMPARE(window->inputList()->count(), 0);
    QCOMPARE(window->outputList()->count(), 0);
    // Nothing to convert: no number and no unit names, not even the window's first texts.
    window->typeInput(QStringLiteral("12"));
    window->dialog().OnInvert();
    QCOMPARE(window->outputEdit()->text(), QString());
    QCOMPARE(window->inputLabel()->text(), QString());
    QCOMPARE(window->outputLabel()->text(), QString());
    window->closeWindow();
    QCOMPARE(settings_->value("Settings", "LastCategory"), std::optional<std::string>(""));
    QCOMPARE(settings_->value("Settings", "LastUnitFrom"), std::optional<std::string>("-1"));
}

void ConverterWindowTest::categoryAddedToAnEmptyListBecomesCurrent() {
    settings_->write(EveryCategoryHidden());
    auto window = open();
    CConverterDlg& dialog = window->dialog();
    window->state().catalogue.SetCategoryName(kFirstCustomCategory, "lumber");
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::CategoryInserted);
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("lumber"));
    QCOMPARE(dialog.currentCategory(), kFirstCustomCategory);
    QCOMPARE(window->inputList()->count(), 0);

    QVERIFY(window->state().catalogue.AppendUnit(kFirstCustomCategory, "Cord", 1536.0));
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::UnitInserted);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("Cord"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("Cord"));
}

void ConverterWindowTest::catalogueChangesKeepTheListsInStep() {
    auto window = open();
    CConverterDlg& dialog = window->dialog();
    UnitCatalogue& catalogue = window->state().catalogue;
    const QStringList before = Entries(window->categoryList());

    dialog.OnCatalogueChanged(99, CatalogueAction::CategoryInserted);
    dialog.OnCatalogueChanged(-1, CatalogueAction::CategoryDeleted);
    dialog.OnCatalogueChanged(3, static_cast<CatalogueAction>(7));
    dialog.OnCatalogueChanged(3, CatalogueAction::CategoryDeleted);  // built-in: refused
    QCOMPARE(Entries(window->categoryList()), before);

    catalogue.SetCategoryName(kFirstCustomCategory, "lumber");
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::CategoryInserted);
    QCOMPARE(Entries(window->categoryList()), SortedForList(before + QStringList{"lumber"}));
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Acceleration"));

    // An empty category: nothing to convert, so the last result and its units go.
    window->chooseCategory(QStringLiteral("lumber"));
    QCOMPARE(window->inputList()->count(), 0);
    QCOMPARE(window->outputEdit()->text(), QString());
    QCOMPARE(window->inputLabel()->text(), QString());
    QCOMPARE(window->outputLabel()->text(), QString());
    QVERIFY(window->outputEdit()->toolTip().isEmpty());

    QVERIFY(catalogue.AppendUnit(kFirstCustomCategory, "Cord", 1536.0));
    QVERIFY(catalogue.AppendUnit(kFirstCustomCategory, "Board foot", 1.0));
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::UnitInserted);
    QCOMPARE(Entries(window->inputList()), (QStringList{"Board foot", "Cord"}));
    window->clickUnit(window->inputList(), QStringLiteral("Cord"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("1536"));

    QVERIFY(catalogue.RemoveUnit(kFirstCustomCategory, 0));
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::UnitDeleted);
    QCOMPARE(Entries(window->inputList()), QStringList{"Board foot"});

    // A rebuild of the list keeps one-character names out, counted in characters.
    catalogue.SetCategoryName(kFirstCustomCategory + 1, "\u03a9");
    catalogue.SetCategoryName(kFirstCustomCategory + 2, "\u00b5m");
    dialog.FillCategoryList();
    QCOMPARE(Entries(window->categoryList()),
             SortedForList(before + QStringList{"lumber", QStringLiteral("\u00b5m")}));
    catalogue.FreeCustomCategory(kFirstCustomCategory + 1);
    catalogue.FreeCustomCategory(kFirstCustomCategory + 2);
    dialog.FillCategoryList();
    window->chooseCategory(QStringLiteral("lumber"));

    // Removing the current category makes the first listed one current.
    dialog.OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::CategoryDeleted);
    QCOMPARE(Entries(window->categoryList()), before);
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Acceleration"));
    QCOMPARE(dialog.currentCategory(), 0);
    QVERIFY(catalogue.IsFreeSlot(kFirstCustomCategory));
    QCOMPARE(catalogue.UnitCount(kFirstCustomCategory), 0);
}

}  // namespace korvane::test
