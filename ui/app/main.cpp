#include <QApplication>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "KorvaneVersion.h"
#include "platform/QtDesktopServices.h"
#include "ui/app/CConverterApp.h"
#include "ui/app/DisplayCheck.h"
#include "ui/widgets/ApplicationIcon.h"

namespace {

// Qt aborts when it finds no display; say plainly what is missing instead.
bool ReportMissingDisplay([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    const korvane::DisplayEnvironment environment{
        std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"),
        korvane::PlatformOption(argc, argv)};
    if (korvane::NoDisplayFound(environment)) {
        std::fwrite(korvane::kNoDisplayMessage.data(), 1, korvane::kNoDisplayMessage.size(),
                    stderr);
        return true;
    }
#endif
    return false;
}

// --version answers before anything needs a display, so a packager's check or a script works
// on a machine without one.
bool ReportVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("korvane %s\n", korvane::config::kVersion);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A closed standard stream must not end the program; writes to it just fail.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (ReportVersion(argc, argv))
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    if (ReportMissingDisplay(argc, argv))
        return 1;
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
