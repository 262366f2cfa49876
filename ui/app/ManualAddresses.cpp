#include "ui/app/ManualAddresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "KorvaneConfig.h"

namespace korvane {

namespace {

constexpr const char* kHomePage = "index.html";
constexpr const char* kProductPage = "about.html";

bool HoldsManual(const QString& dir) {
    return !dir.isEmpty() && QFileInfo(QDir(dir).filePath(QString::fromLatin1(kHomePage))).isFile();
}

QString ManualDir(const ManualPlaces& places) {
    if (HoldsManual(places.overrideDir))
        return QDir::cleanPath(places.overrideDir);
    if (!places.programDir.isEmpty() && !places.fromProgramDir.isEmpty()) {
        const QString beside =
            QDir::cleanPath(QDir(places.programDir).filePath(places.fromProgramDir));
        if (HoldsManual(beside))
            return beside;
    }
    return QDir::cleanPath(places.installDir);
}

QString PageAddress(const QString& dir, const char* page) {
    return QUrl::fromLocalFile(QDir(dir).filePath(QString::fromLatin1(page))).toString();
}

}  // namespace

WebAddresses ResolveWebAddresses(const ManualPlaces& places) {
    const QString dir = ManualDir(places);
    WebAddresses addresses;
    addresses.home =
        places.homeOverride.isEmpty() ? PageAddress(dir, kHomePage) : places.homeOverride;
    addresses.product =
        places.productOverride.isEmpty() ? PageAddress(dir, kProductPage) : places.productOverride;
    return addresses;
}

WebAddresses DefaultWebAddresses() {
    ManualPlaces places;
    if (QCoreApplication::instance() != nullptr)
        places.programDir = QCoreApplication::applicationDirPath();
    places.fromProgramDir = QString::fromUtf8(config::kManualFromProgramDir);
    places.installDir = QString::fromUtf8(config::kManualInstallDir);
    places.overrideDir = qEnvironmentVariable("KORVANE_MANUAL_DIR");
    places.homeOverride = QString::fromUtf8(config::kHomeUrl);
    places.productOverride = QString::fromUtf8(config::kProductUrl);
    return ResolveWebAddresses(places);
}

}  // namespace korvane
