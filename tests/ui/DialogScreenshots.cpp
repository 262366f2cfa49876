#include "DialogScreenshots.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "CustomPageDriver.h"
#include "PreferencesSheetDriver.h"
#include "UiTestSupport.h"
#include "platform/QtDesktopServices.h"
#include "ui/widgets/CPicture.h"

namespace korvane::test {

namespace {

bool SaveScreen(const QString& folder, const char* name) {
    QTest::qWait(400);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return screen.save(QDir(folder).filePath(QString::fromLatin1(name)));
}

bool SaveCustomPage(const QString& folder) {
    SettingsFile settings;
    ConverterWindow window(settings.path());
    SheetDriver sheet(window);
    sheet.showPage(SheetDriver::Custom);
    const CustomPageDriver page(sheet.sheet().customPage());
    page.useAddCategory();
    page.categoryName()->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(page.categoryName(), QStringLiteral("Tools"));
    QTest::keyClick(page.categoryName(), Qt::Key_Return);
    QTest::qWait(300);
    bool saved = sheet.sheet().grab().save(QDir(folder).filePath("custom-enter-adds.png"));

    page.chooseCategory(QStringLiteral("Energy"));
    page.chooseUnit(QStringLiteral("British thermal unit (39 \u00baF)"));
    QComboBox* list = page.unitList();
    const QPoint middle = list->rect().center();
    QTest::mouseMove(list, middle);
    QHelpEvent help(QEvent::ToolTip, middle, list->mapToGlobal(middle));
    QApplication::sendEvent(list, &help);
    saved = SaveScreen(folder, "custom-reference-tooltip.png") && saved;
    QToolTip::hideText();
    list->showPopup();
    saved = SaveScreen(folder, "custom-reference-open.png") && saved;
    list->hidePopup();
    return saved;
}

// A window not shown yet owns the message, as the converter window does while it starts.
bool SavePictureError(const QString& folder) {
    QtDesktopServices services;
    QWidget owner;
    bool saved = false;
    QTimer::singleShot(800, &owner, [&] {
        saved = SaveScreen(folder, "picture-error-centred.png");
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    CPicture picture(services, &owner);
    picture.LoadFromResource(QStringLiteral("999"));
    return saved;
}

}  // namespace

int SaveDialogScreenshots(const QString& folder) {
    const bool custom = SaveCustomPage(folder);
    const bool picture = SavePictureError(folder);
    return custom && picture ? 0 : 1;
}

}  // namespace korvane::test
