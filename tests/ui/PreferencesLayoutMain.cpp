#include <QApplication>
#include <QTest>

#include <clocale>
#include <cstdlib>

#include "PreferencesLayoutTest.h"

// The Preferences sheet's layout at one scale factor (the environment's QT_SCALE_FACTOR); ctest
// runs this program once per scale.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (const char* folder = std::getenv("KORVANE_PREFERENCES_SCREENSHOTS"))
        return korvane::test::SavePreferencesScreenshots(QString::fromLocal8Bit(folder));
    korvane::test::PreferencesLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}
