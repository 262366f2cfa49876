#include "FindDialogTest.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "ui/dialogs/CSearchUnits.h"
#include "ui/widgets/SortedLists.h"

namespace korvane::test {

namespace {

QLineEdit* SearchEdit(const CSearchUnits& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
}

QListView* MatchList(const CSearchUnits& dialog) {
    return dialog.findChild<QListView*>(QStringLiteral("matchList"));
}

// What the user sees in the list, top to bottom.
QStringList Shown(const CSearchUnits& dialog) {
    const QAbstractItemModel* model = MatchList(dialog)->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.push_back(model->index(row, 0).data().toString());
    return texts;
}

// The entries that contain `text` in any letter case, by Qt's own Unicode case rules.
QStringList Containing(const QStringList& entries, const QString& text) {
    QStringList found;
    for (const QString& entry : entries) {
        if (entry.contains(text, Qt::CaseInsensitive))
            found.push_back(entry);
    }
    return found;
}

void Type(CSearchUnits& dialog, const QString& text) {
    QLineEdit* edit = SearchEdit(dialog);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void ClickEntry(CSearchUnits& dialog, const QString& text) {
    QListView* list = MatchList(dialog);
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       text, 1, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollTo(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(found.front()).center());
}

// What a dialog opened afresh lists for `text`.
QStringList FreshSearch(const UnitCatalogue& catalogue, const QString& text) {
    CSearchUnits dialog(catalogue);
    Type(dialog, text);
    return Shown(dialog);
}

void PressGo(CSearchUnits& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("goButton")), Qt::LeftButton);
}

}  // namespace

void FindDialogTest::init() {
    catalogue_ = UnitCatalogue();
    catalogue_.LoadBuiltInTables();
}

void FindDialogTest::listsEveryBuiltInUnitOnceInListOrder() {
    CSearchUnits dialog(catalogue_);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find"));
    QStringList all = Shown(dialog);
    QCOMPARE(all.size(), 925);
    QCOMPARE(all, SortedForList(all));
    QCOMPARE(all.removeDuplicates(), 0);
    QVERIFY(all.contains(QStringLiteral("Distance >> inch [in]")));
    // An empty abbreviation keeps its brackets; hidden categories are searched too.
    QVERIFY(all.contains(QStringLiteral("Power >> MBH []")));
    QVERIFY(all.contains(QStringLiteral("Flow >> centimeter³/hour [cm³/h]")));
    QCOMPARE(dialog.selectedPosition(), -1);
    QVERIFY(dialog.categoryName().empty());
    QVERIFY(dialog.unitName().empty());
}

void FindDialogTest::customUnitsOfBuiltInCategoriesOnly() {
    const int distance = catalogue_.FindCategory("Distance");
    QVERIFY(catalogue_.AppendUnit(distance, "rod of Korvane", 502.92));
    catalogue_.SetCategoryName(kFirstCustomCategory, "Brewing");
    QVERIFY(catalogue_.AppendUnit(kFirstCustomCategory, "barrel of Korvane", 2.0));

    CSearchUnits dialog(catalogue_);
    QCOMPARE(Shown(dialog).size(), 926);
    Type(dialog, QStringLiteral("korvane"));
    QCOMPARE(Shown(dialog), QStringList{QStringLiteral("Distance >> rod of Korvane []")});
    Type(dialog, QStringLiteral("Brewing"));
    QVERIFY(Shown(dialog).isEmpty());
}

void FindDialogTest::typingNarrowsTheList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("mustShow");
    QTest::addColumn<int>("atLeast");

    QTest::newRow("unit in capitals")
        << "INCH" << QStringList{"Distance >> inch [in]", "Area >> inch² [in²]"} << 2;
    QTest::newRow("abbreviation") << "kPa" << QStringList{"Pressure >> kilopascal [kPa]"} << 1;
    QTest::newRow("accented capitals")
        << "ÅNGSTRÖM" << QStringList{"Distance >> ångström [Å]"} << 1;
    QTest::newRow("separator matches everything") << ">>" << QStringList{} << 925;
    QTest::newRow("empty text matches everything") << "" << QStringList{} << 925;
}

void FindDialogTest::typingNarrowsTheList() {
    QFETCH(QString, text);
    QFETCH(QStringList, mustShow);
    QFETCH(int, atLeast);
    CSearchUnits dialog(catalogue_);
    const QStringList all = Shown(dialog);
    Type(dialog, text);
    const QStringList shown = Shown(dialog);
    QCOMPARE(shown, Containing(all, text));
    QVERIFY(shown.size() >= atLeast);
    for (const QString& entry : mustShow)
        QVERIFY2(shown.contains(entry), qPrintable(entry));
}

// A category's name lists all its units; and however the text is edited, the list is what a
// fresh search for the final text shows.
void FindDialogTest::editingTheTextKeepsTheListExact() {
    CSearchUnits dialog(catalogue_);
    const QStringList all = Shown(dialog);
    QLineEdit* edit = SearchEdit(dialog);

    QTest::keyClicks(edit, QStringLiteral("Distance"));
    const int distance = catalogue_.FindCategory("Distance");
    QCOMPARE(Containing(Shown(dialog), QStringLiteral("Distance >> ")).size(),
             catalogue_.UnitCount(distance));

    const QStringList steps = {"in", "inc", "inch", "in", "i", "", "m", "me", "mi", "mile"};
    for (const QString& step : steps) {
        edit->setText(step);
        const QStringList containing = Containing(all, step);
        QCOMPARE(Shown(dialog).mid(0, containing.size()), containing);
        QCOMPARE(Shown(dialog), FreshSearch(catalogue_, step));
    }
    // Editing in the middle: "mile" becomes "mole".
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("o"));
    QCOMPARE(edit->text(), QStringLiteral("mole"));
    QCOMPARE(Shown(dialog), FreshSearch(catalogue_, QStringLiteral("mole")));
    QCOMPARE(Shown(dialog).mid(0, Containing(all, QStringLiteral("mole")).size()),
             Containing(all, QStringLiteral("mole")));
}

void FindDialogTest::accentsAndAliasesFindMoreAfterTheTextsMatches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("entry");  // the start of an entry found only by the second pass
    QTest::newRow("without accents") << "angstrom"
                                     << "Distance >> ångström [";
    QTest::newRow("alias") << "mph"
                           << "Velocity >> mile/hour [";
    QTest::newRow("alias in capitals") << "MPH"
                                       << "Velocity >> mile/hour [";
    QTest::newRow("part of an alias") << "tbs"
                                      << "Volume >> tablespoon";
    QTest::newRow("beside the text's own matches") << "feet"
                                                   << "Distance >> foot [";
}

// The entries that contain the text come first, in their order, as they always have; the units
// found only without accents or by an alias follow, each once, in list order.
void FindDialogTest::accentsAndAliasesFindMoreAfterTheTextsMatches() {
    QFETCH(QString, text);
    QFETCH(QString, entry);
    CSearchUnits dialog(catalogue_);
    const QStringList all = Shown(dialog);
    Type(dialog, text);
    const QStringList shown = Shown(dialog);
    const QStringList containing = Containing(all, text);
    QCOMPARE(shown.mid(0, containing.size()), containing);
    const QStringList more = shown.mid(containing.size());
    QVERIFY2(!more.filter(entry).isEmpty() && more.filter(entry).front().startsWith(entry),
             qPrintable(shown.join(QLatin1Char('|'))));
    QCOMPARE(more, SortedForList(more));
    QStringList once = shown;
    QCOMPARE(once.removeDuplicates(), 0);
}

void FindDialogTest::hostileSearchTextsFindNothingAndNeverFail_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('m'));
    QTest::newRow("control characters") << QStringLiteral("in\x01\x1b\t\r\nch");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("inch");
}

void FindDialogTest::hostileSearchTextsFindNothingAndNeverFail() {
    QFETCH(QString, text);
    CSearchUnits dialog(catalogue_);
    dialog.show();
    SearchEdit(dialog)->setText(text);
    QVERIFY(Shown(dialog).isEmpty());
    PressGo(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedPosition(), -1);
}

void FindDialogTest::goReportsTheChosenUnit_data() {
    QTest::addColumn<QString>("unit");  // added to Distance unless empty
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expectedUnit");
    QTest::addColumn<bool>("doubleClick");

    QTest::newRow("built-in unit, Go") << ""
                                       << "inch"
                                       << "Distance >> inch [in]"
                                       << "inch" << false;
    QTest::newRow("built-in unit, double-click") << ""
                                                 << "kpa"
                                                 << "Pressure >> kilopascal [kPa]"
                                                 << "kilopascal" << true;
    QTest::newRow("unit found by alias") << ""
                                         << "mph"
                                         << "Velocity >> mile/hour [mi/h]"
                                         << "mile/hour" << false;
    QTest::newRow("custom unit with a bracket") << "rod [old]"
                                                << "rod ["
                                                << "Distance >> rod [old] []"
                                                << "rod [old]" << false;
    QTest::newRow("custom unit with the separator") << "a >> b [c]"
                                                    << "a >>"
                                                    << "Distance >> a >> b [c] []"
                                                    << "a >> b [c]" << true;
}

void FindDialogTest::goReportsTheChosenUnit() {
    QFETCH(QString, unit);
    QFETCH(QString, search);
    QFETCH(QString, entry);
    QFETCH(QString, expectedUnit);
    QFETCH(bool, doubleClick);
    const int distance = catalogue_.FindCategory("Distance");
    if (!unit.isEmpty())
        QVERIFY(catalogue_.AppendUnit(distance, unit.toStdString(), 3.0));

    CSearchUnits dialog(catalogue_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Type(dialog, search);
    const int position = static_cast<int>(Shown(dialog).indexOf(entry));
    QVERIFY2(position >= 0, qPrintable(entry));
    if (doubleClick) {
        QListView* list = MatchList(dialog);
        const QModelIndex index = list->model()->index(position, 0);
        const QPoint centre = list->visualRect(index).center();
        // A double-click starts with the first click's press and release.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    } else {
        ClickEntry(dialog, entry);
        PressGo(dialog);
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.selectedPosition(), position);
    const std::string category = entry.section(QStringLiteral(" >> "), 0, 0).toStdString();
    QCOMPARE(dialog.categoryName(), category);
    QCOMPARE(dialog.categoryIndex(), catalogue_.FindCategory(category));
    QCOMPARE(dialog.unitName(), expectedUnit.toStdString());
    QCOMPARE(catalogue_.UnitName(dialog.categoryIndex(), dialog.unitIndex()),
             expectedUnit.toStdString());
}

void FindDialogTest::goWithNothingSelectedChoosesNothing() {
    CSearchUnits dialog(catalogue_);
    dialog.show();
    Type(dialog, QStringLiteral("inch"));
    QTest::keyClick(SearchEdit(dialog), Qt::Key_Return);  // Go is the default button
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.selectedPosition(), -1);
    QCOMPARE(dialog.categoryIndex(), -1);
    QVERIFY(dialog.categoryName().empty());
    QVERIFY(dialog.unitName().empty());
}

void FindDialogTest::cancelChoosesNothing() {
    CSearchUnits dialog(catalogue_);
    dialog.show();
    Type(dialog, QStringLiteral("inch"));
    ClickEntry(dialog, QStringLiteral("Distance >> inch [in]"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")),
                      Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.selectedPosition(), -1);
}

}  // namespace korvane::test
