#include "ConverterWindowSettingsTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace korvane::test {

void ConverterWindowSettingsTest::closeThenRestartRestoresTheSelection() {
    int meterRow = -1;
    int centimeterRow = -1;
    {
        auto window = open();
        window->chooseCategory(QStringLiteral("Distance"));
        window->clickUnit(window->inputList(), QStringLiteral("meter"));
        window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
        meterRow = window->inputList()->currentRow();
        centimeterRow = window->outputList()->currentRow();
        window->closeWindow();
        QVERIFY(!window->dialog().isVisible());
    }
    QCOMPARE(settings_->value("Settings", "LastCategory"), std::optional<std::string>("Distance"));
    QCOMPARE(settings_->value("Settings", "LastUnitFrom"), std::optional(std::to_string(meterRow)));
    QCOMPARE(settings_->value("Settings", "LastUnitTo"),
             std::optional(std::to_string(centimeterRow)));

    auto window = open();
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("meter"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("centimeter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("100"));
}

void ConverterWindowSettingsTest::exitSavesTheDisplaySettingsButNotTheSelection() {
    {
        auto window = open();
        window->chooseCategory(QStringLiteral("Distance"));
        window->chooseExit();
        QVERIFY(!window->dialog().isVisible());
    }
    QCOMPARE(settings_->value("Settings", "Format"), std::optional<std::string>("0"));
    QCOMPARE(settings_->value("Settings", "Precision"), std::optional<std::string>("5"));
    QCOMPARE(settings_->value("Distance", "Visibility"), std::optional<std::string>("1"));
    QCOMPARE(settings_->value("Flow", "Visibility"), std::optional<std::string>("0"));
    QCOMPARE(settings_->value("Viscosity (Kinematic)", "Visibility"),
             std::optional<std::string>("0"));
    QVERIFY(!settings_->value("Settings", "LastCategory"));

    // A close stores the selection; a later Exit leaves the stored one alone.
    {
        auto window = open();
        QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Acceleration"));
        window->chooseCategory(QStringLiteral("Area"));
        window->closeWindow();
    }
    {
        auto window = open();
        window->chooseCategory(QStringLiteral("Mass"));
        window->chooseExit();
    }
    auto window = open();
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Area"));
}

void ConverterWindowSettingsTest::escapeSavesNothing() {
    {
        auto window = open();
        window->chooseCategory(QStringLiteral("Distance"));
        window->pressEscape();
        QVERIFY(!window->dialog().isVisible());
    }
    QVERIFY(!settings_->exists());

    settings_->write("[Settings]\nLastCategory=Mass\n");
    const std::string before = ReadAll(settings_->path());
    {
        auto window = open();
        window->chooseCategory(QStringLiteral("Distance"));
        window->pressEscape();
    }
    QCOMPARE(ReadAll(settings_->path()), before);
}

void ConverterWindowSettingsTest::enterDoesNotEndTheWindow() {
    auto window = open();
    window->typeInput(QStringLiteral("42"));
    QTest::keyClick(window->inputEdit(), Qt::Key_Return);
    QTest::keyClick(window->inputEdit(), Qt::Key_Enter);
    QVERIFY(window->dialog().isVisible());
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("42"));
    QVERIFY(!settings_->exists());
}

void ConverterWindowSettingsTest::rememberedVolumeRestoresTheRightCategory_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("selected");
    QTest::newRow("exact name sorts first") << "[Settings]\nLastCategory=Volume\n"
                                            << "Volume";
    QTest::newRow("hidden Volume falls to Volume (Dry)")
        << "[Settings]\nLastCategory=Volume\n[Volume]\nVisibility=0\n"
        << "Volume (Dry)";
    QTest::newRow("remembering off") << "[Settings]\nRememberCategory=FALSE\nLastCategory=Volume\n"
                                     << "Acceleration";
    QTest::newRow("unknown category") << "[Settings]\nLastCategory=Nothing like it\n"
                                      << "Acceleration";
    QTest::newRow("Acceleration hidden") << "[Acceleration]\nVisibility=0\n"
                                         << "Angle";
}

void ConverterWindowSettingsTest::rememberedVolumeRestoresTheRightCategory() {
    QFETCH(QString, file);
    QFETCH(QString, selected);
    settings_->write(file.toStdString());
    auto window = open();
    QCOMPARE(window->categoryList()->currentText(), selected);
    const int category = window->dialog().currentCategory();
    QCOMPARE(QString::fromStdString(window->state().catalogue.CategoryName(category)), selected);
    QCOMPARE(window->inputList()->count(), window->state().catalogue.UnitCount(category));
}

void ConverterWindowSettingsTest::customCategoryFromTheLastRunIsRestored() {
    settings_->write(
        "[Settings]\nCustom_1=lumber\nLastCategory=lumber\nLastUnitFrom=1\nLastUnitTo=0\n"
        "[lumber]\nCustomUnits=2\nCustomUnit_1=Cord\nCustomValue_1=1536.00000000000000\n"
        "CustomUnit_2=Board foot\nCustomValue_2=1\n");
    auto window = open();
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("lumber"));
    QCOMPARE(window->dialog().currentCategory(), kFirstCustomCategory);
    QCOMPARE(Entries(window->inputList()), (QStringList{"Board foot", "Cord"}));
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("Cord"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("Board foot"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("1536"));
    QCOMPARE(window->inputLabel()->text(), QStringLiteral("Cord"));
}

void ConverterWindowSettingsTest::onTopComesFromTheFile_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("onTop");
    QTest::newRow("TRUE") << "TRUE" << true;
    QTest::newRow("lower case is off") << "true" << false;
    QTest::newRow("FALSE") << "FALSE" << false;
}

void ConverterWindowSettingsTest::onTopComesFromTheFile() {
    QFETCH(QString, value);
    QFETCH(bool, onTop);
    settings_->write("[Settings]\nOnTop=" + value.toStdString() + "\n");
    auto window = open();
    QCOMPARE(window->dialog().windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    if (onTop)
        QCOMPARE(window->dialog().pos(), QPoint(150, 150));
    QVERIFY(window->dialog().isVisible());
}

// A position beyond a list selects its first unit: nothing of the window's first look (the
// placeholder texts) may stay, and the close stores a real position, not -1 for ever.
void ConverterWindowSettingsTest::rememberedPositionsOutsideTheListsSelectTheFirstUnit() {
    settings_->write("[Settings]\nLastCategory=Distance\nLastUnitFrom=500\nLastUnitTo=-7\n");
    {
        auto window = open();
        QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
        const QString first = window->inputList()->item(0)->text();
        QCOMPARE(window->selectedText(window->inputList()), first);
        QCOMPARE(window->selectedText(window->outputList()), first);
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("1"));
        for (const QLabel* label : {window->inputLabel(), window->outputLabel()}) {
            QVERIFY(label->text().startsWith(first));
            QVERIFY(!label->text().contains(QStringLiteral("Static")));
        }
        window->typeInput(QStringLiteral("3"));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("3"));
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Settings", "LastUnitFrom"), std::optional<std::string>("0"));
    QCOMPARE(settings_->value("Settings", "LastUnitTo"), std::optional<std::string>("0"));
}

void ConverterWindowSettingsTest::settingsWriteFailureIsReportedOncePerRun() {
    RecordingDesktopServices services;
    SettingsWriteReporter reporter(services, nullptr);
    reporter.reportFailure("/nowhere/Tabrivo.ini", "Permission denied",
                           SettingsWriteReporter::Moment::Shutdown);
    QVERIFY(services.messages.empty());
    reporter.reportFailure("/nowhere/Tabrivo.ini", "Permission denied",
                           SettingsWriteReporter::Moment::Running);
    reporter.reportFailure("/nowhere/Tabrivo.ini", "No space left on device",
                           SettingsWriteReporter::Moment::Running);
    QCOMPARE(services.messages.size(), std::size_t{1});
    QVERIFY(services.messages[0].text.contains(QStringLiteral("/nowhere/Tabrivo.ini")));
    QVERIFY(services.messages[0].text.contains(QStringLiteral("Permission denied")));
    QCOMPARE(services.messages[0].caption, QStringLiteral("Korvane Unit Converter"));
}

void ConverterWindowSettingsTest::shutdownWriteFailureShowsNoMessage() {
    // The settings folder is a file, so no write can succeed.
    settings_->write("");
    ConverterWindow window(settings_->path() + QStringLiteral("/Tabrivo.ini"));
    window.chooseCategory(QStringLiteral("Distance"));
    window.closeWindow();
    QVERIFY(!window.dialog().isVisible());
    QVERIFY(window.services().messages.empty());
}

}  // namespace korvane::test
