#include <QApplication>
#include <QTest>

#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

#include "AccessibilityTest.h"
#include "AllUnitsPaneTest.h"
#include "ConverterWindowDetailsTest.h"
#include "ConverterWindowTest.h"
#include "CustomPageTest.h"
#include "DialogAccessibilityTest.h"
#include "DialogScreenshots.h"
#include "FindDialogTest.h"
#include "FreeFormWindowTest.h"
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

// One test class, its object gone before the next class starts. KORVANE_UI_TEST_CLASS=<name>
// (without the namespace) runs that class alone, so its functions can be named on the command
// line.
template <typename Test>
int Run(int argc, char** argv) {
    const QByteArray only = qgetenv("KORVANE_UI_TEST_CLASS");
    const QByteArray name = Test::staticMetaObject.className();
    if (!only.isEmpty() && !name.endsWith("::" + only))
        return 0;
    Test test;
    return QTest::qExec(&test, argc, argv);
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
    // KORVANE_DIALOG_SCREENSHOTS=<folder>: pictures of the dialog details, on a real display.
    if (const char* folder = std::getenv("KORVANE_DIALOG_SCREENSHOTS"))
        return korvane::test::SaveDialogScreenshots(QString::fromLocal8Bit(folder));
    // KORVANE_PANE_SCREENSHOTS=<folder>: pictures of the all-units pane to look at.
    if (const char* folder = std::getenv("KORVANE_PANE_SCREENSHOTS"))
        return korvane::test::SavePaneScreenshots(QString::fromLocal8Bit(folder));
    using namespace korvane::test;
    int failures = 0;
    failures += Run<SortedListsTest>(argc, argv);
    failures += Run<PictureTest>(argc, argv);
    failures += Run<FindDialogTest>(argc, argv);
    failures += Run<HelpAboutTest>(argc, argv);
    failures += Run<ConverterWindowTest>(argc, argv);
    failures += Run<ConverterWindowDetailsTest>(argc, argv);
    failures += Run<WindowCommandsTest>(argc, argv);
    failures += Run<FreeFormWindowTest>(argc, argv);
    failures += Run<AllUnitsPaneTest>(argc, argv);
    failures += Run<PreferencesTest>(argc, argv);
    failures += Run<CustomPageTest>(argc, argv);
    failures += Run<AccessibilityTest>(argc, argv);
    failures += Run<DialogAccessibilityTest>(argc, argv);
    return failures == 0 ? 0 : 1;
}
