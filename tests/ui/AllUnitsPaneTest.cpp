#include "AllUnitsPaneTest.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <optional>

#include "Palettes.h"
#include "ui/main/AllUnitsModel.h"
#include "ui/main/AllUnitsPane.h"

namespace korvane::test {

namespace {

AllUnitsPane* Pane(ConverterWindow& window) {
    return window.dialog().findChild<AllUnitsPane*>();
}

QTableView* Table(ConverterWindow& window) {
    return window.dialog().findChild<QTableView*>(QStringLiteral("allUnitsTable"));
}

QString Status(ConverterWindow& window) {
    return window.dialog().findChild<QLabel*>(QStringLiteral("paneStatus"))->text();
}

QString FactorText(ConverterWindow& window) {
    return window.dialog().findChild<QPlainTextEdit*>(QStringLiteral("factorField"))->toPlainText();
}

QStringList Column(ConverterWindow& window, int column) {
    const QAbstractItemModel* model = Table(window)->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.push_back(model->index(row, column).data().toString());
    return texts;
}

void ChooseMeter(ConverterWindow& window, const QString& target = QStringLiteral("centimeter")) {
    window.chooseCategory(QStringLiteral("Distance"));
    window.clickUnit(window.inputList(), QStringLiteral("meter"));
    window.clickUnit(window.outputList(), target);
    window.typeInput(QStringLiteral("2*3"));
}

// The accessible names of everything below `object`.
void CollectNames(QAccessibleInterface* node, QStringList& names) {
    if (node == nullptr)
        return;
    names.push_back(node->text(QAccessible::Name));
    for (int i = 0; i < node->childCount(); ++i)
        CollectNames(node->child(i), names);
}

// Where each of the window's own controls sits, in window coordinates.
QList<QRect> ControlPlaces(ConverterWindow& window) {
    QList<QRect> places;
    for (QWidget* widget : window.dialog().findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // The menu bar spans the window: only its place counts.
        const QSize size = qobject_cast<QMenuBar*>(widget) != nullptr ? QSize() : widget->size();
        places.push_back(QRect(widget->mapTo(&window.dialog(), QPoint(0, 0)), size));
    }
    return places;
}

int RowOf(ConverterWindow& window, const QString& name) {
    return Pane(window)->model().rowOfName(name);
}

void ClickRow(ConverterWindow& window, const QString& name) {
    QTableView* table = Table(window);
    const QModelIndex index = table->model()->index(RowOf(window, name), 0);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualRect(index).center());
}

}  // namespace

void AllUnitsPaneTest::pressF9(ConverterWindow& window) {
    QApplication::setActiveWindow(&window.dialog());
    QVERIFY(QTest::qWaitForWindowActive(&window.dialog(), 2000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
}

void AllUnitsPaneTest::neverOpenedChangesNothing() {
    auto window = open();
    ChooseMeter(*window);
    QVERIFY(Pane(*window) == nullptr);
    QStringList names;
    CollectNames(QAccessible::queryAccessibleInterface(&window->dialog()), names);
    for (const char* name : {"All units", "Filter units", "Conversion factor"})
        QVERIFY2(!names.contains(QString::fromLatin1(name)), name);
    // Ctrl+C still copies the bare result.
    QTest::keyClick(window->inputEdit(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(window->services().clipboard, QStringList{QStringLiteral("600")});
    window->closeWindow();
    QVERIFY(!settings_->value("Extras", "AllUnitsPane").has_value());
}

void AllUnitsPaneTest::f9WidensTheWindowAndNothingMoves() {
    auto window = open();
    ChooseMeter(*window);
    const QSize closedSize = window->dialog().size();
    const QList<QRect> places = ControlPlaces(*window);
    pressF9(*window);
    QVERIFY(Pane(*window) != nullptr && Pane(*window)->isVisible());
    QTRY_VERIFY(window->dialog().width() > closedSize.width());
    QCOMPARE(window->dialog().height(), closedSize.height());
    const QList<QRect> openPlaces = ControlPlaces(*window);
    for (const QRect& place : places)
        QVERIFY(openPlaces.contains(place));
    // The pane lies right of everything the window had.
    for (const QRect& place : places)
        QVERIFY(Pane(*window)->x() >= place.right());

    pressF9(*window);
    QVERIFY(Pane(*window)->isHidden());
    QTRY_COMPARE(window->dialog().size(), closedSize);
    // The output box's menu toggles it too, with a check mark for its state.
    auto menu = window->dialog().createOutputMenu();
    QAction* showAll = menu->findChild<QAction*>(QStringLiteral("actionShowAllUnits"));
    QVERIFY(!showAll->isChecked());
    showAll->trigger();
    QVERIFY(!Pane(*window)->isHidden());
    QVERIFY(window->dialog()
                .createOutputMenu()
                ->findChild<QAction*>(QStringLiteral("actionShowAllUnits"))
                ->isChecked());
}

// Each row is converted through the one conversion path, as the command line converts.
void AllUnitsPaneTest::everyRowShowsWhatTheCommandLineConverts() {
    auto window = open();
    ChooseMeter(*window);
    window->dialog().showAllUnitsPane(true);
    const QStringList units = Column(*window, AllUnitsModel::UnitColumn);
    QStringList listed;
    for (int i = 0; i < window->outputList()->count(); ++i)
        listed.push_back(window->outputList()->item(i)->text());
    QCOMPARE(units, listed);
    QString batch;
    for (const QString& unit : units)
        batch += QStringLiteral("2*3\tmeter\t%1\tDistance\n").arg(unit);
    QProcess cli;
    cli.start(QStringLiteral(KORVANE_CLI_PATH),
              {QStringLiteral("--no-settings"), QStringLiteral("convert"),
               QStringLiteral("--batch"), QStringLiteral("-")});
    QVERIFY(cli.waitForStarted());
    cli.write(batch.toUtf8());
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished(30000));
    const QStringList expected =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(Column(*window, AllUnitsModel::ValueColumn), expected);
    // And the row of the target reads what the output box reads.
    QCOMPARE(Pane(*window)->model().valueAt(RowOf(*window, QStringLiteral("centimeter"))),
             window->outputEdit()->text());
}

void AllUnitsPaneTest::rowsChooseTheTargetOrTheSourceAndKeepTheInput() {
    auto window = open();
    ChooseMeter(*window);
    window->dialog().showAllUnitsPane(true);
    ClickRow(*window, QStringLiteral("inch"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("inch"));
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("2*3"));
    QCOMPARE(Table(*window)->currentIndex().row(), RowOf(*window, QStringLiteral("inch")));

    // Shift+Enter makes the current row the source; Enter the target.
    QTableView* table = Table(*window);
    table->setCurrentIndex(table->model()->index(RowOf(*window, QStringLiteral("inch")), 0));
    QTest::keyClick(table, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("inch"));
    table->setCurrentIndex(table->model()->index(RowOf(*window, QStringLiteral("centimeter")), 0));
    QTest::keyClick(table, Qt::Key_Enter);
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("centimeter"));
    QCOMPARE(FactorText(*window),
             QStringLiteral("1 inch = 2.54 centimeter; 1 centimeter = 0.39370079 inch"));
    QCOMPARE(window->outputEdit()->toolTip(), FactorText(*window));
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("2*3"));
}

void AllUnitsPaneTest::filterNarrowsRowsAsFindMatches() {
    auto window = open();
    ChooseMeter(*window);
    window->dialog().showAllUnitsPane(true);
    auto* filter = window->dialog().findChild<QLineEdit*>(QStringLiteral("filterEdit"));
    // The abbreviation counts, and letter case does not.
    QTest::keyClicks(filter, QStringLiteral("[IN]"));
    QCOMPARE(Column(*window, AllUnitsModel::UnitColumn), QStringList{QStringLiteral("inch")});
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("FOOT"));
    const QStringList feet = Column(*window, AllUnitsModel::UnitColumn);
    QVERIFY(feet.size() > 3);
    for (const QString& unit : feet)
        QVERIFY2(unit.contains(QStringLiteral("foot"), Qt::CaseInsensitive), qPrintable(unit));
    // Values follow the filtered rows.
    const int row = RowOf(*window, QStringLiteral("foot"));
    QCOMPARE(Pane(*window)->model().valueAt(row), QStringLiteral("19.685039"));
    QTest::keyClicks(filter, QStringLiteral("zzz"));
    QCOMPARE(Table(*window)->model()->rowCount(), 0);
}

void AllUnitsPaneTest::copiesCarryTheUnitAndLeaveErrorsAlone() {
    auto window = open();
    ChooseMeter(*window);
    window->dialog().showAllUnitsPane(true);
    Table(*window)->setFocus();
    QApplication::setActiveWindow(&window->dialog());
    QVERIFY(QTest::qWaitForWindowActive(&window->dialog(), 2000));
    QTest::keyClick(Table(*window), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    // Ctrl+C copies the output box, even from the table.
    QTest::keyClick(Table(*window), Qt::Key_C, Qt::ControlModifier);
    window->dialog()
        .createOutputMenu()
        ->findChild<QAction*>(QStringLiteral("actionCopyConversion"))
        ->trigger();
    QCOMPARE(window->services().clipboard,
             (QStringList{"600 cm", "600", "6 meter = 600 centimeter"}));

    window->typeInput(QStringLiteral("2*(3"));
    window->dialog().OnCopyWithUnit();
    window->dialog().OnCopyConversion();
    QCOMPARE(window->services().clipboard.size(), 3);

    window->chooseCategory(QStringLiteral("Numbers"));
    window->clickUnit(window->inputList(), QStringLiteral("base-16 (hexadecimal)"));
    window->clickUnit(window->outputList(), QStringLiteral("base-10 (decimal)"));
    window->typeInput(QStringLiteral("ff"));
    window->dialog().OnCopyWithUnit();
    QCOMPARE(window->services().clipboard.back(), QStringLiteral("255"));
    QCOMPARE(window->outputEdit()->toolTip(), QStringLiteral("No fixed factor"));
}

void AllUnitsPaneTest::rowMenuCopiesValuesAndTheWholeTable() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Temperature"));
    window->clickUnit(window->inputList(), QStringLiteral("degree Celsius"));
    window->clickUnit(window->outputList(), QStringLiteral("Kelvin"));
    window->typeInput(QStringLiteral("100"));
    window->dialog().showAllUnitsPane(true);
    AllUnitsPane* pane = Pane(*window);
    // Shift+F10 opens the row's menu from the keyboard.
    QStringList items;
    QTimer::singleShot(50, [&items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        for (QAction* action : menu->actions())
            items.push_back(action->text());
        menu->close();
    });
    Table(*window)->setFocus();
    QTest::keyClick(Table(*window), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(items, (QStringList{"Copy value", "Copy value with unit", "Copy all"}));
    pane->copyValue();
    pane->copyValueWithUnit();
    pane->copyAll();
    QCOMPARE(window->services().clipboard.mid(0, 2), (QStringList{"373.15", "373.15 K"}));
    // In the lists' order, which sorts "degree" before "Kelvin".
    QCOMPARE(
        window->services().clipboard.at(2),
        QStringLiteral("100\t\u00b0C\n212\t\u00b0F\n671.67\t\u00b0R\n80\t\u00b0r\n373.15\tK\n"));
    // An input in error has nothing to copy.
    window->typeInput(QStringLiteral("1+"));
    pane->copyValue();
    pane->copyAll();
    QCOMPARE(window->services().clipboard.size(), 3);
}

void AllUnitsPaneTest::openPaneIsRestoredAtTheNextStart() {
    {
        auto window = open();
        window->dialog().showAllUnitsPane(true);
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Extras", "AllUnitsPane"), std::optional<std::string>("TRUE"));
    {
        auto window = open();
        QVERIFY(Pane(*window) != nullptr && !Pane(*window)->isHidden());
        window->dialog().showAllUnitsPane(false);
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Extras", "AllUnitsPane"), std::optional<std::string>("FALSE"));
    auto window = open();
    QVERIFY(Pane(*window) == nullptr);
}

void AllUnitsPaneTest::badInputIsExplainedInTheStatusLine_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("valuesShown");
    QTest::newRow("evaluator error") << "Distance"
                                     << "2*(3"
                                     << "" << false;
    QTest::newRow("10,000 characters")
        << "Distance" << QString(10000, QLatin1Char('9')) << "" << false;
    QTest::newRow("long error") << "Distance" << QString(10000, QLatin1Char('+')) << "" << false;
    QTest::newRow("numbers out of range")
        << "Numbers"
        << "99999999999"
        << "Error: not a whole number between -2147483648 and 2147483647" << false;
    QTest::newRow("numbers letters") << "Numbers"
                                     << "zz"
                                     << "" << true;
}

void AllUnitsPaneTest::badInputIsExplainedInTheStatusLine() {
    QFETCH(QString, category);
    QFETCH(QString, input);
    QFETCH(QString, status);
    QFETCH(bool, valuesShown);
    auto window = open();
    window->chooseCategory(category);
    if (category == QStringLiteral("Numbers"))
        window->clickUnit(window->inputList(), QStringLiteral("base-10 (decimal)"));
    window->dialog().showAllUnitsPane(true);
    window->inputEdit()->setText(input);
    // An evaluator error shows its own message, the one the output box's tooltip gives.
    const QString expected =
        status.isEmpty() && !valuesShown ? window->outputEdit()->toolTip() : status;
    QVERIFY(!valuesShown || Status(*window).isEmpty());
    QCOMPARE(Status(*window), expected);
    const QStringList values = Column(*window, AllUnitsModel::ValueColumn);
    QCOMPARE(values.count(QString()) == values.size(), !valuesShown);
}

void AllUnitsPaneTest::largeAndEmptyCustomCategories() {
    settings_->write("[Settings]\nCustom_1=lumber\nCustom_2=bulk\n");
    auto window = open();
    window->dialog().showAllUnitsPane(true);
    window->chooseCategory(QStringLiteral("lumber"));
    QCOMPARE(Status(*window), QStringLiteral("No units"));
    QCOMPARE(Table(*window)->model()->rowCount(), 0);
    QVERIFY(FactorText(*window).isEmpty());
    // A row full to the last record, more than the file can hold.
    UnitCatalogue& catalogue = window->state().catalogue;
    const int bulk = *catalogue.TryFindCategory("bulk");
    for (int i = 1; i <= kMaxUnitsPerCategory; ++i)
        QVERIFY(catalogue.AppendUnit(bulk, "unit " + std::to_string(i), i == 2 ? 1e-300 : 1));
    window->chooseCategory(QStringLiteral("bulk"));
    QCOMPARE(Table(*window)->model()->rowCount(), kMaxUnitsPerCategory);
    QVERIFY(Status(*window).isEmpty());
    window->clickUnit(window->inputList(), QStringLiteral("unit 2"));
    window->clickUnit(window->outputList(), QStringLiteral("unit 1"));
    QCOMPARE(FactorText(*window),
             QStringLiteral("1 unit 2 = 1e-300 unit 1; 1 unit 1 = 1e+300 unit 2"));
    QCOMPARE(Pane(*window)->model().valueAt(RowOf(*window, QStringLiteral("unit 1"))),
             window->outputEdit()->text());
}

// Distance, meter to centimeter, 2*3 with the pane open: in the desktop's palette as
// pane-<scale>.png and in a dark one as pane-dark-<scale>.png, <scale> taken from
// QT_SCALE_FACTOR.
int SavePaneScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")) + "x";
    bool saved = true;
    for (const bool dark : {false, true}) {
        std::optional<PaletteScope> palette;
        if (dark)
            palette.emplace(DarkPalette());
        QTemporaryDir settings;
        ConverterWindow window(settings.filePath(QStringLiteral("Tabrivo.ini")));
        ChooseMeter(window);
        window.dialog().showAllUnitsPane(true);
        QTest::qWait(300);
        const QString name = QStringLiteral("pane-%1%2.png").arg(dark ? "dark-" : "", scale);
        saved = window.dialog().grab().save(QDir(folder).filePath(name)) && saved;
    }
    return saved ? 0 : 1;
}

}  // namespace korvane::test
