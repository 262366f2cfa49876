#include <QApplication>
#include <QTest>

#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

#include "AccessibilityTest.h"
#include "ConverterWindowDetailsTest.h"
#include "ConverterWindowTest.h"
#include "CustomPageTest.h"
#include "DialogAccessibilityTest.h"
#include "FindDialogTest.h"
#include "HelpAboutTest.h"
#include "ManualScreenshots.h"
#include "PictureTest.h"
#include "PreferencesTest.h"
#include "SortedListsTest.h"
#include "UiTestSupport.h"
#include "WindowCommandsTest.h"

namespace {

// KORVANE_SCREENSHOT=<file.png>: instead of testing, save a picture of the window as a first
// start shows it, for the README.
int SaveScreenshot(const char* path) {
    QTemporaryDir dir;
    korvane::test::ConverterWindow window(dir.filePath(QStringLiteral("Tabrivo.ini")));
    window.chooseCategory(QStringLiteral("Distance"));
    window.clickUnit(window.inputList(), QStringLiteral("meter"));
    window.clickUnit(window.outputList(), QStringLiteral("foot"));
    window.typeInput(QStringLiteral("2*3"));
    QTest::qWait(300);
    return window.dialog().grab().save(QString::fromLocal8Bit(path)) ? 0 : 1;
}

}  // namespace

// One program for every window test, on the platform the environment names (offscreen in
// ctest), in the C locale the program itself uses.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (const char* screenshot = std::getenv("KORVANE_SCREENSHOT"))
        return SaveScreenshot(screenshot);
    // KORVANE_MANUAL_SCREENSHOTS=<folder>: the pictures of the user manual instead.
    if (const char* folder = std::getenv("KORVANE_MANUAL_SCREENSHOTS"))
        return korvane::test::SaveManualScreenshots(QString::fromLocal8Bit(folder));
    int failures = 0;
    {
        korvane::test::SortedListsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::PictureTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::FindDialogTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::HelpAboutTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::ConverterWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::ConverterWindowDetailsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::WindowCommandsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::PreferencesTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::CustomPageTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::AccessibilityTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::DialogAccessibilityTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
