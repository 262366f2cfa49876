#include <QApplication>
#include <QTest>

#include <clocale>

#include "ConverterWindowTest.h"
#include "ListOrderTest.h"
#include "PictureTest.h"

// One program for every window test, on the platform the environment names (offscreen in
// ctest), in the C locale the program itself uses.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    int failures = 0;
    {
        korvane::test::ListOrderTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::PictureTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        korvane::test::ConverterWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
