#include "FreeFormWindowTest.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTest>

#include <vector>

#include "ui/main/FreeFormInput.h"

namespace korvane::test {

namespace {

// What the three lists show.
struct Selection {
    QString category;
    QString from;
    QString to;
    bool operator==(const Selection&) const = default;
};

Selection Shown(const ConverterWindow& window) {
    return {window.categoryList()->currentText(), window.selectedText(window.inputList()),
            window.selectedText(window.outputList())};
}

void Choose(ConverterWindow& window, const Selection& selection) {
    window.chooseCategory(selection.category);
    window.clickUnit(window.inputList(), selection.from);
    window.clickUnit(window.outputList(), selection.to);
}

// The whole text at once, as a paste puts it: what the text itself does, not the keystrokes
// on the way ("12 in", a complete reading, comes before "12 inchs to cm").
void Paste(ConverterWindow& window, const QString& text) {
    window.inputEdit()->setText(text);
}

QString Description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

std::vector<int> Flags(const CategoryVisibility& visibility) {
    std::vector<int> flags;
    for (int c = 0; c < kBuiltInCategories; ++c)
        flags.push_back(visibility.Flag(c));
    return flags;
}

const Selection kMassKilogramToGram{QStringLiteral("Mass"), QStringLiteral("kilogram"),
                                    QStringLiteral("gram")};

}  // namespace

void FreeFormWindowTest::readingSelectsItsUnitsAndConverts_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("output");
    QTest::newRow("in to cm") << "12 in to cm"
                              << "Distance"
                              << "inch"
                              << "centimeter"
                              << "30.48";
    QTest::newRow("implied separator") << "12 in cm"
                                       << "Distance"
                                       << "inch"
                                       << "centimeter"
                                       << "30.48";
    QTest::newRow("mixed quantity") << "5 ft 7 3/8 in to cm"
                                    << "Distance"
                                    << "inch"
                                    << "centimeter"
                                    << "171.1325";
    QTest::newRow("temperature letters") << "212 F to C"
                                         << "Temperature"
                                         << "degree Fahrenheit"
                                         << "degree Celsius"
                                         << "100";
    QTest::newRow("unit without value") << "inch to cm"
                                        << "Distance"
                                        << "inch"
                                        << "centimeter"
                                        << "2.54";
}

// The lists move as if the user had chosen the units; the output shows what converting the
// reading's value shows, and the text stays as typed.
void FreeFormWindowTest::readingSelectsItsUnitsAndConverts() {
    QFETCH(QString, input);
    QFETCH(QString, category);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, output);
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    window->typeInput(input);
    QCOMPARE(Shown(*window), (Selection{category, from, to}));
    QCOMPARE(window->dialog().currentCategory(),
             window->state().catalogue.FindCategory(category.toStdString()));
    QCOMPARE(window->outputEdit()->text(), output);
    QCOMPARE(window->inputEdit()->text(), input);
    QVERIFY(window->inputLabel()->text().startsWith(from));
    // The reading comes first; the units' factor line follows it.
    const QString echo = window->outputEdit()->toolTip().section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(echo.startsWith(QStringLiteral("Read as ")), qPrintable(echo));
    QCOMPARE(Description(window->inputEdit()),
             QStringLiteral("Result: %1 %2. %3").arg(output, to, echo));
}

void FreeFormWindowTest::withoutTargetTheToListKeepsItsUnit() {
    auto window = open();
    Choose(*window, {QStringLiteral("Distance"), QStringLiteral("meter"), QStringLiteral("foot")});
    window->typeInput(QStringLiteral("3 yd"));
    QCOMPARE(Shown(*window), (Selection{QStringLiteral("Distance"), QStringLiteral("yard"),
                                        QStringLiteral("foot")}));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("9"));
}

void FreeFormWindowTest::readingInAnotherCategoryStartsTheToListAfresh() {
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    window->typeInput(QStringLiteral("3 yd"));
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("yard"));
    QCOMPARE(window->outputList()->currentRow(), 0);
    QCOMPARE(window->selectedText(window->outputList()), window->outputList()->item(0)->text());
}

void FreeFormWindowTest::shownCategoryDecidesBareLetters() {
    auto window = open();
    Choose(*window, {QStringLiteral("Temperature"), QStringLiteral("Kelvin"),
                     QStringLiteral("degree Fahrenheit")});
    window->typeInput(QStringLiteral("100 C"));
    QCOMPARE(Shown(*window),
             (Selection{QStringLiteral("Temperature"), QStringLiteral("degree Celsius"),
                        QStringLiteral("degree Fahrenheit")}));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("212"));
}

void FreeFormWindowTest::validExpressionsAreNeverRead_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::newRow("sum") << "2+3"
                         << "5000";
    QTest::newRow("mixed fraction") << "1 1/2"
                                    << "5500";
    QTest::newRow("variable") << "t"
                              << "0";
    QTest::newRow("empty") << ""
                           << "0";
}

// The evaluator owns every text it accepts: same lists, same output, and the tooltip the units'
// factor line, with no reading in it.
void FreeFormWindowTest::validExpressionsAreNeverRead() {
    QFETCH(QString, input);
    QFETCH(QString, output);
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    window->typeInput(input);
    QCOMPARE(Shown(*window), kMassKilogramToGram);
    QCOMPARE(window->outputEdit()->text(), output);
    QVERIFY2(window->outputEdit()->toolTip().startsWith(QStringLiteral("1 kilogram = 1000 gram")),
             qPrintable(window->outputEdit()->toolTip()));
    QCOMPARE(Description(window->inputEdit()), QStringLiteral("Result: %1 gram").arg(output));
}

void FreeFormWindowTest::refusalChangesNothing_data() {
    QTest::addColumn<QString>("input");
    // What the tooltip holds: the reader's message says where, by column; for texts nothing but
    // an expression could mean, the evaluator's message stays, by position.
    QTest::addColumn<QString>("place");
    QTest::newRow("incompatible") << "12 kg to cm"
                                  << "column";
    QTest::newRow("unknown unit") << "12 zorks"
                                  << "column";
    QTest::newRow("unit alone") << "inch"
                                << "";
    QTest::newRow("ambiguous") << "72 F"
                               << "";
    QTest::newRow("expression") << "2*(3"
                                << "at position";
    QTest::newRow("symbol") << QStringLiteral("2+\u00a7") << "'\u00a7' at position 3";
}

void FreeFormWindowTest::refusalChangesNothing() {
    QFETCH(QString, input);
    QFETCH(QString, place);
    {
        auto window = open();
        Choose(*window, kMassKilogramToGram);
        const std::vector<int> flags = Flags(window->state().visibility);
        Paste(*window, input);
        QCOMPARE(Shown(*window), kMassKilogramToGram);
        QCOMPARE(window->dialog().currentCategory(),
                 window->state().catalogue.FindCategory("Mass"));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("Error"));
        const QString shown = window->outputEdit()->toolTip();
        QVERIFY2(!shown.isEmpty() && shown.contains(place), qPrintable(shown));
        QVERIFY(!shown.startsWith(QStringLiteral("Read as")));
        QCOMPARE(Description(window->inputEdit()), QStringLiteral("Result: Error, ") + shown);
        QCOMPARE(Flags(window->state().visibility), flags);
        QVERIFY(!settings_->exists());
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Settings", "LastCategory"), std::optional<std::string>("Mass"));
}

void FreeFormWindowTest::misspellingIsOfferedNotRead() {
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    Paste(*window, QStringLiteral("12 inchs to cm"));
    QCOMPARE(Shown(*window), kMassKilogramToGram);
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("Error"));
    const QString offer = window->outputEdit()->toolTip();
    QVERIFY2(offer.contains(QStringLiteral("did you mean \"inch\"")), qPrintable(offer));
    QVERIFY(Description(window->inputEdit()).contains(offer));
}

// Typing on past a complete reading, or back into an incomplete one, never makes the lists jump.
void FreeFormWindowTest::textTypedPastAReadingKeepsTheLists() {
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    window->typeInput(QStringLiteral("12 in to cm"));
    const Selection read{QStringLiteral("Distance"), QStringLiteral("inch"),
                         QStringLiteral("centimeter")};
    QCOMPARE(Shown(*window), read);
    for (const char* more : {"x", "\b\b", "\b"}) {
        for (const char* key = more; *key != '\0'; ++key) {
            if (*key == '\b') {
                QTest::keyClick(window->inputEdit(), Qt::Key_Backspace);
            } else {
                QTest::keyClicks(window->inputEdit(), QString(QLatin1Char(*key)));
            }
        }
        QCOMPARE(Shown(*window), read);
    }
    // "12 in to ": a target about to be typed; a reading without one keeps the to-list's unit.
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("12 in to "));
    // And a number alone converts as a number between the units the reading chose.
    window->typeInput(QStringLiteral("12"));
    QCOMPARE(Shown(*window), read);
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("30.48"));
}

void FreeFormWindowTest::numbersNeverReads() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Numbers"));
    const Selection before = Shown(*window);
    window->typeInput(QStringLiteral("12 in to cm"));
    QCOMPARE(Shown(*window), before);
    QVERIFY(!window->outputEdit()->toolTip().startsWith(QStringLiteral("Read as")));
}

void FreeFormWindowTest::hiddenCategoryIsListedAsFindListsIt() {
    settings_->write("[Distance]\nVisibility=0\n");
    {
        auto window = open();
        const int distance = window->state().catalogue.FindCategory("Distance");
        QVERIFY(!window->state().visibility.IsVisible(distance));
        window->typeInput(QStringLiteral("12 in to cm"));
        QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("30.48"));
        QVERIFY(window->state().visibility.IsVisible(distance));
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Distance", "Visibility"), std::optional<std::string>("1"));
}

// The window looks units up through an index of the catalogue; a unit added while it runs is
// found at once.
void FreeFormWindowTest::customUnitsAreReadOnceAdded() {
    auto window = open();
    Choose(*window, kMassKilogramToGram);
    Paste(*window, QStringLiteral("12 in to cm"));
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    const int distance = window->state().catalogue.FindCategory("Distance");
    QVERIFY(window->state().catalogue.AppendUnit(distance, "zorkstep", 2.0));
    window->dialog().OnCatalogueChanged(distance, CatalogueAction::UnitInserted);
    Paste(*window, QStringLiteral("3 zorkstep to cm"));
    QCOMPARE(Shown(*window), (Selection{QStringLiteral("Distance"), QStringLiteral("zorkstep"),
                                        QStringLiteral("centimeter")}));
    QVERIFY2(window->outputEdit()->toolTip().startsWith(QStringLiteral("Read as 3 zorkstep")),
             qPrintable(window->outputEdit()->toolTip()));
}

void FreeFormWindowTest::desktopDecimalSeparatorIsHandedIn() {
    QCOMPARE(DecimalSeparatorOf(QLocale::c()), query::DecimalSeparator::Point);
    QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)),
             query::DecimalSeparator::Point);
    QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::German, QLocale::Germany)),
             query::DecimalSeparator::Comma);
}

}  // namespace korvane::test
