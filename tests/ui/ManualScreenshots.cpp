#include "ManualScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include "KorvaneConfig.h"
#include "UiTestSupport.h"
#include "app/ProfileStore.h"
#include "ui/app/ManualAddresses.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CHelpDialog.h"
#include "ui/dialogs/CSearchUnits.h"

namespace korvane::test {

namespace {

bool Save(QWidget& widget, const QString& folder, const char* name) {
    widget.show();
    QApplication::setActiveWindow(&widget);
    if (!QTest::qWaitForWindowExposed(&widget, 2000))
        return false;
    QTest::qWait(300);
    return widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}

void ChooseEntry(CSearchUnits& find, const QString& text, const QString& entry) {
    QTest::keyClicks(find.findChild<QLineEdit*>(QStringLiteral("searchEdit")), text);
    auto* list = find.findChild<QListView*>(QStringLiteral("matchList"));
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       entry, 1, Qt::MatchExactly);
    if (!found.isEmpty())
        list->setCurrentIndex(found.front());
}

}  // namespace

int SaveManualScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    QTemporaryDir settings;
    ConverterWindow window(settings.filePath(QStringLiteral("Tabrivo.ini")));
    window.chooseCategory(QStringLiteral("Distance"));
    window.clickUnit(window.inputList(), QStringLiteral("meter"));
    window.clickUnit(window.outputList(), QStringLiteral("foot"));
    window.typeInput(QStringLiteral("2*3"));
    bool saved = Save(window.dialog(), folder, "window.png");
    window.dialog().showAllUnitsPane(true);
    QTest::qWait(100);
    saved = Save(window.dialog(), folder, "allunits.png") && saved;
    window.dialog().showAllUnitsPane(false);

    CSearchUnits find(window.state().catalogue, &window.dialog());
    ChooseEntry(find, QStringLiteral("inch"), QStringLiteral("Distance >> inch [in]"));
    saved = Save(find, folder, "find.png") && saved;
    find.hide();

    // A settings path as a typical user's desktop has it, not this machine's.
    const ProfileStore typical(std::string("/home/user/.config/korvane/Tabrivo.ini"));
    CHelpDialog help(typical, &window.dialog());
    saved = Save(help, folder, "help.png") && saved;
    help.hide();

    ManualPlaces installed;
    installed.installDir = QString::fromUtf8(config::kManualInstallDir);
    CAboutDlg about(window.services(), ResolveWebAddresses(installed), &window.dialog());
    saved = Save(about, folder, "about.png") && saved;
    about.hide();

    window.typeInput(QStringLiteral("12 in to cm"));
    saved = Save(window.dialog(), folder, "typing.png") && saved;
    return saved ? 0 : 1;
}

}  // namespace korvane::test
