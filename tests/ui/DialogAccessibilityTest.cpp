#include "DialogAccessibilityTest.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <utility>

#include "AccessibilityCheck.h"
#include "Palettes.h"
#include "PreferencesSheetDriver.h"
#include "app/ProfileStore.h"
#include "catalogue/UnitCatalogue.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CHelpDialog.h"
#include "ui/dialogs/CSearchUnits.h"
#include "ui/dialogs/LinkLabel.h"

namespace korvane::test {

namespace {

const WebAddresses kAddresses{QStringLiteral("file:///opt/korvane/manual/index.html"),
                              QStringLiteral("file:///opt/korvane/manual/product.html")};

QString Problems(QWidget* window) {
    return AccessibilityProblems(window).join(QLatin1Char('\n'));
}

// The controls Tab visits from the one with the focus until it comes back to it.
QList<QWidget*> TabCycle(QWidget& window) {
    QList<QWidget*> visited;
    QWidget* start = QApplication::focusWidget();
    if (start == nullptr || start->window() != &window)
        return visited;
    QWidget* current = start;
    do {
        visited.push_back(current);
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
    } while (current != nullptr && current != start && visited.size() < 50);
    return visited;
}

// Every control that can take the focus from the keyboard and is on screen now.
QList<QWidget*> TabStops(QWidget& window) {
    QList<QWidget*> stops;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisibleTo(&window) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            widget->focusProxy() == nullptr) {
            stops.push_back(widget);
        }
    }
    return stops;
}

// Tab visits every control once, from top to bottom and, on one line, from left to right;
// only the jump back to the start may go up.
void CheckTabCycle(QWidget& window, const QString& what) {
    QList<QWidget*> cycle = TabCycle(window);
    QVERIFY2(!cycle.isEmpty(), qPrintable(what + ": nothing has the focus"));
    QList<QWidget*> sortedCycle = cycle;
    QList<QWidget*> stops = TabStops(window);
    const auto byAddress = [](QWidget* a, QWidget* b) { return a < b; };
    std::sort(sortedCycle.begin(), sortedCycle.end(), byAddress);
    std::sort(stops.begin(), stops.end(), byAddress);
    QVERIFY2(sortedCycle == stops, qPrintable(what + ": Tab misses a control or visits one twice"));

    const auto place = [&window](QWidget* widget) {
        return widget->mapTo(&window, widget->rect().center());
    };
    // Start from the control nearest the top left, as a reader does.
    const auto first = std::min_element(cycle.begin(), cycle.end(), [&](QWidget* a, QWidget* b) {
        return std::pair(place(a).y(), place(a).x()) < std::pair(place(b).y(), place(b).x());
    });
    std::rotate(cycle.begin(), first, cycle.end());
    for (int i = 1; i < cycle.size(); ++i) {
        const QPoint before = place(cycle[i - 1]);
        const QPoint after = place(cycle[i]);
        const QRect previous(cycle[i - 1]->mapTo(&window, QPoint(0, 0)), cycle[i - 1]->size());
        const bool sameLine = after.y() >= previous.top() && after.y() <= previous.bottom();
        QVERIFY2(sameLine ? after.x() > before.x() : after.y() > before.y(),
                 qPrintable(what + ": " + cycle[i - 1]->objectName() + " then " +
                            cycle[i]->objectName()));
    }
}

// No widget keeps colours of its own against the desktop's, except the About address (its
// link blue, checked for contrast elsewhere) and the About text's transparent face.
void CheckFollowsPalette(QWidget& window, const QPalette& expected) {
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text}) {
            if (qobject_cast<LinkLabel*>(widget) != nullptr && role == QPalette::WindowText)
                continue;
            const auto* terms = window.findChild<QWidget*>(QStringLiteral("termsText"));
            const bool inTerms =
                terms != nullptr && (widget == terms || terms->isAncestorOf(widget));
            if (inTerms && role == QPalette::Base)
                continue;
            QVERIFY2(widget->palette().color(QPalette::Active, role) ==
                         expected.color(QPalette::Active, role),
                     qPrintable(window.objectName() + QStringLiteral(" / ") + widget->objectName() +
                                QStringLiteral(" ") + QString::number(role)));
        }
    }
}

void ShowAndActivate(QWidget& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

}  // namespace

void DialogAccessibilityTest::findNamesEveryControl() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    CSearchUnits dialog(catalogue);
    ShowAndActivate(dialog);
    const QString problems = Problems(&dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void DialogAccessibilityTest::helpNamesEveryControl() {
    const ProfileStore settings(settings_->path().toStdString());
    CHelpDialog dialog(settings);
    ShowAndActivate(dialog);
    const QString problems = Problems(&dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

// The banner and the address work from a screen reader as from the mouse, and the address
// reads well on light and dark faces alike.
void DialogAccessibilityTest::aboutNamesEveryControlAndItsLinkStaysReadable() {
    RecordingDesktopServices services;
    CAboutDlg dialog(services, kAddresses);
    ShowAndActivate(dialog);
    const QString problems = Problems(&dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));

    const QList<AccessibleNode> tree = AccessibleTree(&dialog);
    auto* address = dialog.findChild<LinkLabel*>(QStringLiteral("productAddress"));
    const AccessibleNode* link = FindNode(tree, address);
    QVERIFY(link != nullptr);
    QCOMPARE(link->role, QAccessible::Link);
    QCOMPARE(link->name, address->text());
    QVERIFY(!link->state.focusable);
    const AccessibleNode* banner = FindNode(tree, dialog.findChild<QWidget*>("banner"));
    QVERIFY(banner != nullptr);
    QCOMPARE(banner->name, QStringLiteral("Open the home page"));
    for (const AccessibleNode* node : {banner, link}) {
        QAccessible::queryAccessibleInterface(node->object)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(services.urls, (QStringList{kAddresses.home, kAddresses.product}));

    for (const QPalette& palette : {LightPalette(), DarkPalette()}) {
        dialog.setPalette(palette);
        const double contrast = Contrast(address->linkColour(), palette.color(QPalette::Window));
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
        QCOMPARE(address->palette().color(QPalette::WindowText), address->linkColour());
    }
}

void DialogAccessibilityTest::everyPreferencesPageNamesEveryControl() {
    ConverterWindow window(settings_->path());
    SheetDriver driver(window);
    for (const SheetDriver::Page page : {SheetDriver::General, SheetDriver::ResultFormat,
                                         SheetDriver::VisibleCategories, SheetDriver::Custom}) {
        driver.showPage(page);
        const QString problems = Problems(&driver.sheet());
        QVERIFY2(problems.isEmpty(), qPrintable(QString::number(page) + ": " + problems));
    }
}

// The preview's frame is named by its own title, not by the group around it.
void DialogAccessibilityTest::previewGroupHasItsOwnName() {
    ConverterWindow window(settings_->path());
    SheetDriver driver(window);
    driver.showPage(SheetDriver::ResultFormat);
    const QList<AccessibleNode> tree = AccessibleTree(&driver.sheet());
    const QWidget* group = driver.sheet().findChild<QWidget*>(QStringLiteral("previewGroup"));
    const AccessibleNode* node = FindNode(tree, group);
    QVERIFY(node != nullptr);
    QCOMPARE(node->name, QStringLiteral("Preview"));
    const AccessibleNode* text = FindNode(tree, driver.preview());
    QVERIFY(text != nullptr);
    QCOMPARE(text->name, driver.preview()->text());
}

}  // namespace korvane::test

namespace korvane::test {

void DialogAccessibilityTest::tabReachesEveryControlInReadingOrder() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    {
        CSearchUnits find(catalogue);
        ShowAndActivate(find);
        QVERIFY(QTest::qWaitForWindowActive(&find));
        CheckTabCycle(find, QStringLiteral("Find"));
    }
    {
        const ProfileStore settings(settings_->path().toStdString());
        CHelpDialog help(settings);
        ShowAndActivate(help);
        QVERIFY(QTest::qWaitForWindowActive(&help));
        CheckTabCycle(help, QStringLiteral("Help"));
    }
    {
        RecordingDesktopServices services;
        CAboutDlg about(services, kAddresses);
        ShowAndActivate(about);
        QVERIFY(QTest::qWaitForWindowActive(&about));
        CheckTabCycle(about, QStringLiteral("About"));
    }
    ConverterWindow window(settings_->path());
    SheetDriver driver(window);
    for (const SheetDriver::Page page : {SheetDriver::General, SheetDriver::ResultFormat,
                                         SheetDriver::VisibleCategories, SheetDriver::Custom}) {
        driver.showPage(page);
        driver.tabs()->tabBar()->setFocus(Qt::TabFocusReason);
        CheckTabCycle(driver.sheet(), QStringLiteral("Preferences page %1").arg(page));
    }
}

}  // namespace korvane::test

namespace korvane::test {

void DialogAccessibilityTest::dialogsFollowTheDarkPalette() {
    const PaletteScope scope(DarkPalette());
    const QPalette dark = DarkPalette();
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    {
        CSearchUnits find(catalogue);
        ShowAndActivate(find);
        CheckFollowsPalette(find, dark);
    }
    {
        const ProfileStore settings(settings_->path().toStdString());
        CHelpDialog help(settings);
        ShowAndActivate(help);
        CheckFollowsPalette(help, dark);
        // The bold headings are drawn in the text colour of the palette they opened with.
        auto* text = help.findChild<QTextEdit*>(QStringLiteral("helpText"));
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (format.hasProperty(QTextFormat::ForegroundBrush))
                    QVERIFY(Contrast(format.foreground().color(), dark.color(QPalette::Base)) >=
                            4.5);
            }
        }
    }
    {
        RecordingDesktopServices services;
        CAboutDlg about(services, kAddresses);
        ShowAndActivate(about);
        CheckFollowsPalette(about, dark);
    }
    ConverterWindow window(settings_->path());
    SheetDriver driver(window);
    CheckFollowsPalette(driver.sheet(), dark);
}

}  // namespace korvane::test
