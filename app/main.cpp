#include <QApplication>

#include <clocale>
#include <csignal>

#include "app/CConverterApp.h"
#include "platform/QtDesktopServices.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A closed standard stream must not end the program; writes to it just fail.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QApplication application(argc, argv);
    // QApplication takes the locale from the environment; numbers stay in the C form.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Korvane Unit Converter"));
    QGuiApplication::setDesktopFileName(QStringLiteral("korvane"));

    korvane::QtDesktopServices services;
    korvane::CConverterApp app(services);
    return app.InitInstance();
}
