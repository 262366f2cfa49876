#include <QApplication>
#include <QTest>

#include <QTemporaryDir>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AccessibilityTest.h"
#include "AllUnitsPaneTest.h"
#include "ConverterWindowDetailsTest.h"
#include "ConverterWindowSettingsTest.h"
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
#include "ResultsPageTest.h"
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

using Runner = int (*)(int argc, char** argv);

// One test class, its object gone before the next class starts.
template <typename Test>
int Run(int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

struct TestClass {
    QByteArray name;  // without the namespace
    Runner run;
};

template <typename... Tests>
std::vector<TestClass> ClassesOf() {
    const auto shortName = [](const char* className) {
        const QByteArray name(className);
        return name.mid(name.lastIndexOf(':') + 1);
    };
    return {TestClass{shortName(Tests::staticMetaObject.className()), &Run<Tests>}...};
}

// In the order a whole run takes them; ctest runs each alone, by name.
std::vector<TestClass> AllClasses() {
    using namespace korvane::test;
    return ClassesOf<SortedListsTest, PictureTest, FindDialogTest, HelpAboutTest,
                     ConverterWindowTest, ConverterWindowSettingsTest, ConverterWindowDetailsTest,
                     WindowCommandsTest, FreeFormWindowTest, AllUnitsPaneTest, PreferencesTest,
                     ResultsPageTest, CustomPageTest, AccessibilityTest, DialogAccessibilityTest>();
}

const TestClass* FindClass(const std::vector<TestClass>& classes, const QByteArray& name) {
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [&](const TestClass& test) { return test.name == name; });
    return found == classes.end() ? nullptr : &*found;
}

int ListClasses() {
    for (const TestClass& test : AllClasses())
        std::printf("%s\n", test.name.constData());
    return 0;
}

// `korvane_ui_tests <Class> [QtTest arguments]` runs that class alone, so its functions can be
// named on the command line; KORVANE_UI_TEST_CLASS=<Class> does the same and leaves every
// argument to QtTest. Without either, every class runs in turn.
int RunTests(int argc, char** argv) {
    const std::vector<TestClass> classes = AllClasses();
    QByteArray only = qgetenv("KORVANE_UI_TEST_CLASS");
    if (argc > 1 && FindClass(classes, argv[1]) != nullptr) {
        only = argv[1];
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    if (!only.isEmpty()) {
        const TestClass* test = FindClass(classes, only);
        if (test == nullptr) {
            std::fprintf(stderr, "no test class %s; --classes lists them\n", only.constData());
            return 1;
        }
        return test->run(argc, argv);
    }
    int failures = 0;
    for (const TestClass& test : classes)
        failures += test.run(argc, argv);
    return failures == 0 ? 0 : 1;
}

}  // namespace

// One program for every window test, on the platform the environment names (offscreen in
// ctest), in the C locale the program itself uses.
int main(int argc, char** argv) {
    // --classes: the names, one a line, for scripts that run the classes one at a time; no
    // display needed.
    if (argc > 1 && std::strcmp(argv[1], "--classes") == 0)
        return ListClasses();
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
    return RunTests(argc, argv);
}
