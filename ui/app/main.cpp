#include <QApplication>

#include <clocale>
#include <csignal>

#include "platform/QtDesktopServices.h"
#include "ui/app/CConverterApp.h"
#include "ui/main/ApplicationIcon.h"

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
    // Every window the program opens carries its icon, not only the main one.
    QApplication::setWindowIcon(korvane::ApplicationIcon());

    korvane::QtDesktopServices services;
    korvane::CConverterApp app(services);
    return app.InitInstance();
}
