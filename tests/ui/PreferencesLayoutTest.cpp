#include "PreferencesLayoutTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <cstdlib>

#include "PreferencesSheetDriver.h"

namespace korvane::test {

namespace {

// A control shows its whole text when it has at least the room its size hint asks for.
void VerifyFits(const QWidget* widget) {
    const QSize hint = widget->sizeHint();
    const QString what = widget->metaObject()->className() + QStringLiteral(" ") +
                         widget->objectName() + QStringLiteral(" ") +
                         widget->property("text").toString() + widget->property("title").toString();
    QVERIFY2(widget->width() >= hint.width() && widget->height() >= hint.height(),
             qPrintable(what + QStringLiteral(": %1x%2 for %3x%4")
                                   .arg(widget->width())
                                   .arg(widget->height())
                                   .arg(hint.width())
                                   .arg(hint.height())));
}

}  // namespace

void PreferencesLayoutTest::init() {
    WindowTestCase::init();
    window_ = open();
}

void PreferencesLayoutTest::cleanup() {
    // The window goes before the settings file it was opened on.
    window_.reset();
    WindowTestCase::cleanup();
}

void PreferencesLayoutTest::pageTextsFit_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("General") << int{SheetDriver::General};
    QTest::newRow("Result Format") << int{SheetDriver::ResultFormat};
    QTest::newRow("Visible Categories") << int{SheetDriver::VisibleCategories};
    QTest::newRow("Custom") << int{SheetDriver::Custom};
}

void PreferencesLayoutTest::pageTextsFit() {
    QFETCH(int, page);
    SheetDriver driver(*window_);
    driver.showPage(static_cast<SheetDriver::Page>(page));
    QWidget* shown = driver.tabs()->widget(page);
    int checked = 0;
    for (const QAbstractButton* button : shown->findChildren<QAbstractButton*>()) {
        VerifyFits(button);
        ++checked;
    }
    for (const QGroupBox* group : shown->findChildren<QGroupBox*>()) {
        QVERIFY(group->width() >= group->minimumSizeHint().width());
        ++checked;
    }
    for (const QLabel* label : shown->findChildren<QLabel*>()) {
        if (label == driver.preview())
            continue;
        VerifyFits(label);
        ++checked;
    }
    QVERIFY(checked >= 1);
    if (page != SheetDriver::ResultFormat)
        return;
    // The preview has a fixed width: the longest text the list's precisions give fits.
    const QFontMetrics metrics(driver.preview()->font());
    for (const char* text : {"123.45678976898", "1.234567898e+002", "123.456789769"}) {
        QVERIFY2(metrics.horizontalAdvance(QString::fromLatin1(text)) <= driver.preview()->width(),
                 text);
    }
}

void PreferencesLayoutTest::tabTitlesFit() {
    SheetDriver driver(*window_);
    // A tab bar with the room it asks for squeezes and elides no title.
    const QTabBar* bar = driver.tabs()->tabBar();
    QVERIFY(bar->width() >= bar->sizeHint().width());
    const QFontMetrics metrics(bar->font());
    for (int tab = 0; tab < bar->count(); ++tab) {
        QVERIFY2(bar->tabRect(tab).width() > metrics.horizontalAdvance(bar->tabText(tab)),
                 qPrintable(bar->tabText(tab)));
    }
}

void PreferencesLayoutTest::everyCategoryNameFitsItsColumn() {
    SheetDriver driver(*window_);
    driver.showPage(SheetDriver::VisibleCategories);
    const QListWidget* list = driver.categoryChecks();
    const QFontMetrics metrics(list->font());
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        const int needed = metrics.horizontalAdvance(item->text()) + indicator;
        QVERIFY2(list->visualItemRect(item).width() >= needed, qPrintable(item->text()));
    }
}

// All the categories at once, each whole: no scrolling, sideways or down, to reach any of them.
void PreferencesLayoutTest::everyCategoryIsInViewWithoutScrolling() {
    SheetDriver driver(*window_);
    driver.showPage(SheetDriver::VisibleCategories);
    QListWidget* list = driver.categoryChecks();
    QCoreApplication::processEvents();
    QCOMPARE(list->count(), 42);
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(list->verticalScrollBar()->maximum(), 0);
    const QRect view = list->viewport()->rect();
    for (int row = 0; row < list->count(); ++row) {
        const QRect item = list->visualItemRect(list->item(row));
        QVERIFY2(view.contains(item), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                                                     .arg(list->item(row)->text())
                                                     .arg(item.x())
                                                     .arg(item.y())
                                                     .arg(item.width())
                                                     .arg(item.height())
                                                     .arg(view.width())
                                                     .arg(view.height())));
    }
}

// The pages are made when first shown; the sheet has its final size from the start all the same.
void PreferencesLayoutTest::sheetKeepsItsSizeAcrossThePages() {
    SheetDriver driver(*window_);
    const QSize opened = driver.sheet().size();
    for (int page = SheetDriver::ResultFormat; page <= SheetDriver::Custom; ++page) {
        driver.showPage(static_cast<SheetDriver::Page>(page));
        QCoreApplication::processEvents();
        QCOMPARE(driver.sheet().size(), opened);
    }
}

void PreferencesLayoutTest::sheetOpensOnTheWindowsScreen() {
    SheetDriver driver(*window_);
    const QRect screen = window_->dialog().screen()->availableGeometry();
    QVERIFY2(screen.contains(window_->dialog().frameGeometry()), "the window fits its screen");
    QVERIFY(screen.contains(driver.sheet().frameGeometry()));
    QCOMPARE(driver.sheet().screen(), window_->dialog().screen());
}

int SavePreferencesScreenshots(const QString& folder) {
    SettingsFile settings;
    ConverterWindow window(settings.path());
    SheetDriver driver(window);
    bool saved = true;
    for (int page = SheetDriver::General; page <= SheetDriver::Custom; ++page) {
        driver.showPage(static_cast<SheetDriver::Page>(page));
        QTest::qWait(200);
        const QString file = QDir(folder).filePath(QStringLiteral("preferences-%1.png").arg(page));
        saved = driver.sheet().grab().save(file) && saved;
    }
    return saved ? 0 : 1;
}

}  // namespace korvane::test
