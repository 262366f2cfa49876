#include "ConverterWindowDetailsTest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTemporaryFile>
#include <QTest>
#include <QToolTip>

#include <unistd.h>

#include <cstdio>

#include "platform/Diagnostics.h"
#include "ui/app/DisplayCheck.h"
#include "ui/main/CategoryBox.h"
#include "ui/main/UnitList.h"

namespace korvane::test {

namespace {

const char* const kLongUnit = "An uncommonly long custom unit name for a narrow list";

// The room the style gives the box's text: its edit field, less the pixel it leaves free on
// each side.
int TextRoom(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    option.rect = box->rect();
    return box->style()
               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
               .width() -
           2;
}

// The desktop's font at another size while it lives (0: as it is).
class ApplicationFontSize {
  public:
    explicit ApplicationFontSize(int points) : saved_(QApplication::font()) {
        if (points <= 0)
            return;
        QFont sized = saved_;
        sized.setPointSize(points);
        QApplication::setFont(sized);
    }
    ~ApplicationFontSize() { QApplication::setFont(saved_); }
    ApplicationFontSize(const ApplicationFontSize&) = delete;
    ApplicationFontSize& operator=(const ApplicationFontSize&) = delete;

  private:
    QFont saved_;
};

void ShowToolTipAt(QWidget* widget, const QPoint& at) {
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
}

}  // namespace

void ConverterWindowDetailsTest::cleanup() {
    QToolTip::hideText();
    WindowTestCase::cleanup();
}

// A list laid over the box with the current entry under the pointer turned a second click on
// the box into a choice of another category.
void ConverterWindowDetailsTest::categoryListDropsDownBelowTheBox() {
    auto window = open();
    QComboBox* box = window->categoryList();
    window->chooseCategory(QStringLiteral("Temperature"));
    QVERIFY(box->count() > box->maxVisibleItems());

    box->showPopup();
    QWidget* popup = box->view()->window();
    QTRY_VERIFY(popup->isVisible());
    const QRect boxOnScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QRect popupOnScreen = popup->geometry();
    QVERIFY2(popupOnScreen.top() >= boxOnScreen.bottom(),
             qPrintable(QStringLiteral("popup top %1, box bottom %2")
                            .arg(popupOnScreen.top())
                            .arg(boxOnScreen.bottom())));
    const int rowHeight = box->view()->sizeHintForRow(0);
    QVERIFY(box->view()->viewport()->height() <= box->maxVisibleItems() * rowHeight);
    QVERIFY(box->view()->viewport()->height() >= (box->maxVisibleItems() - 1) * rowHeight);
    box->hidePopup();
    QCOMPARE(box->currentText(), QStringLiteral("Temperature"));
}

void ConverterWindowDetailsTest::rechoosingTheShownCategoryKeepsTheUnits() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Temperature"));
    window->clickUnit(window->inputList(), QStringLiteral("degree Rankine"));
    window->clickUnit(window->outputList(), QStringLiteral("degree Fahrenheit"));
    window->typeInput(QStringLiteral("300"));
    const QString result = window->outputEdit()->text();
    QVERIFY(!result.isEmpty());

    window->chooseCategory(QStringLiteral("Temperature"));
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("degree Rankine"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("degree Fahrenheit"));
    QCOMPARE(window->outputEdit()->text(), result);

    // A different category still starts its lists at the first unit.
    window->chooseCategory(QStringLiteral("Power"));
    QCOMPARE(window->inputList()->currentRow(), 0);
    QCOMPARE(window->outputList()->currentRow(), 0);
}

void ConverterWindowDetailsTest::everyCategoryNameShowsWhole_data() {
    QTest::addColumn<int>("points");
    QTest::newRow("desktop font") << 0;
    QTest::newRow("12 pt") << 12;
    QTest::newRow("18 pt") << 18;
}

void ConverterWindowDetailsTest::everyCategoryNameShowsWhole() {
    QFETCH(int, points);
    const ApplicationFontSize fontSize(points);
    // Every built-in category listed, "Thermal Conductance (buildings)" the longest of them.
    settings_->write("[Settings]\nLastCategory=Thermal Conductance (buildings)\n");
    auto window = open();
    QComboBox* box = window->categoryList();
    // The window carries the template's font where the desktop has it, and else the desktop's.
    if (points > 0 && !window->dialog().testAttribute(Qt::WA_SetFont))
        QCOMPARE(box->font().pointSize(), points);
    QCOMPARE(box->currentText(), QStringLiteral("Thermal Conductance (buildings)"));
    for (int i = 0; i < box->count(); ++i) {
        const int advance = box->fontMetrics().horizontalAdvance(box->itemText(i));
        QVERIFY2(TextRoom(box) >= advance,
                 qPrintable(box->itemText(i) +
                            QStringLiteral(": %1 < %2").arg(TextRoom(box)).arg(advance)));
    }
}

void ConverterWindowDetailsTest::longCustomCategoryNamesWidenTheBoxWithinLimits() {
    auto window = open();
    auto* box = dynamic_cast<CategoryBox*>(window->categoryList());
    QVERIFY(box != nullptr);
    const int builtInWidth = box->width();

    const std::string longName = "Lumber and timber measures of the sawmill";
    window->state().catalogue.SetCategoryName(kFirstCustomCategory, longName);
    window->dialog().OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::CategoryInserted);
    QVERIFY(box->width() > builtInWidth);
    QVERIFY(TextRoom(box) >=
            box->fontMetrics().horizontalAdvance(QString::fromStdString(longName)));
    QVERIFY(window->dialog().width() >= box->width());

    // A name of any length widens the box only so far; it shows whole as the tooltip.
    const std::string hugeName(400, 'w');
    window->state().catalogue.SetCategoryName(kFirstCustomCategory + 1, hugeName);
    window->dialog().OnCatalogueChanged(kFirstCustomCategory + 1,
                                        CatalogueAction::CategoryInserted);
    QVERIFY(box->width() <= 2 * builtInWidth);
    window->chooseCategory(QString::fromStdString(hugeName));
    ShowToolTipAt(box, box->rect().center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromStdString(hugeName));

    // Removing them gives the room back.
    window->dialog().OnCatalogueChanged(kFirstCustomCategory + 1, CatalogueAction::CategoryDeleted);
    window->dialog().OnCatalogueChanged(kFirstCustomCategory, CatalogueAction::CategoryDeleted);
    QCOMPARE(box->width(), builtInWidth);
}

void ConverterWindowDetailsTest::unitListsShowWholeRowsAndScrollOnlyWhenNeeded() {
    auto window = open();
    for (QListWidget* list : {window->inputList(), window->outputList()}) {
        const int rowHeight = list->sizeHintForRow(0);
        QVERIFY(rowHeight > 0);
        QCOMPARE(list->viewport()->height() % rowHeight, 0);
    }
    window->chooseCategory(QStringLiteral("Temperature"));
    QVERIFY(window->inputList()->count() * window->inputList()->sizeHintForRow(0) <=
            window->inputList()->viewport()->height());
    QVERIFY(!window->inputList()->verticalScrollBar()->isVisible());
    window->chooseCategory(QStringLiteral("Distance"));
    QVERIFY(window->inputList()->verticalScrollBar()->isVisible());
    QVERIFY(!window->inputList()->horizontalScrollBar()->isVisible());
    // The whole-row height holds whichever list is shown.
    QCOMPARE(window->inputList()->viewport()->height() % window->inputList()->sizeHintForRow(0), 0);
}

void ConverterWindowDetailsTest::cutUnitNamesShowInFullAsTooltip() {
    settings_->write(std::string("[Settings]\nCustom_1=lumber\nLastCategory=lumber\n"
                                 "[lumber]\nCustomUnits=2\nCustomUnit_1=") +
                     kLongUnit + "\nCustomValue_1=2\nCustomUnit_2=Cord\nCustomValue_2=1\n");
    auto window = open();
    auto* list = dynamic_cast<UnitList*>(window->inputList());
    QVERIFY(list != nullptr);
    QListWidgetItem* longItem =
        list->findItems(QString::fromLatin1(kLongUnit), Qt::MatchExactly)[0];
    QListWidgetItem* shortItem = list->findItems(QStringLiteral("Cord"), Qt::MatchExactly)[0];
    QVERIFY(list->fontMetrics().horizontalAdvance(longItem->text()) > list->viewport()->width());
    QVERIFY(list->isCut(longItem));
    QVERIFY(!list->isCut(shortItem));
    // The row is as wide as the list, so the name is shortened with "…", not clipped.
    QCOMPARE(list->visualItemRect(longItem).width(), list->viewport()->width());

    ShowToolTipAt(list->viewport(), list->visualItemRect(longItem).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromLatin1(kLongUnit));
    ShowToolTipAt(list->viewport(), list->visualItemRect(shortItem).center());
    QTRY_VERIFY(!QToolTip::isVisible());
}

void ConverterWindowDetailsTest::pasteDropsLineBreaksAtItsEnds_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("output");
    QTest::newRow("trailing line break") << "" << 0 << "12\n"
                                         << "12"
                                         << "12";
    QTest::newRow("Windows line end") << "" << 0 << "12\r\n"
                                      << "12"
                                      << "12";
    QTest::newRow("breaks at both ends") << "" << 0 << "\n\n2*3\r\n\n"
                                         << "2*3"
                                         << "6";
    QTest::newRow("into the middle") << "13" << 1 << "2\n"
                                     << "123"
                                     << "123";
    // A break inside the pasted text is the user's text, and not a number.
    QTest::newRow("break inside stays") << "" << 0 << "1\n2\n"
                                        << "1\n2"
                                        << "Error";
    QTest::newRow("only breaks") << "7" << 1 << "\r\n"
                                 << "7"
                                 << "7";
}

void ConverterWindowDetailsTest::pasteDropsLineBreaksAtItsEnds() {
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(QString, output);
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    QLineEdit* edit = window->inputEdit();
    edit->setText(before);
    edit->setCursorPosition(cursor);
    edit->setFocus();
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), after);
    QCOMPARE(window->outputEdit()->text(), output);
}

void ConverterWindowDetailsTest::contextMenuAndDropPasteTheSameWay() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    QLineEdit* edit = window->inputEdit();
    edit->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("5\n"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, edit->rect().center(),
                                edit->mapToGlobal(edit->rect().center()));
    QApplication::sendEvent(edit, &menuEvent);
    auto* menu = edit->findChild<QMenu*>();
    QVERIFY(menu != nullptr);
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    QVERIFY(paste != nullptr);
    paste->trigger();
    menu->close();
    QCOMPARE(edit->text(), QStringLiteral("5"));

    edit->clear();
    QMimeData dragged;
    dragged.setText(QStringLiteral("\r\n42\n"));
    const QPoint centre = edit->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
    QCOMPARE(edit->text(), QStringLiteral("42"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("42"));
}

void ConverterWindowDetailsTest::noDisplayIsFoundOnlyWhenNothingCanDraw_data() {
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("noDisplay");
    const QStringList none;
    QTest::newRow("nothing set") << ""
                                 << ""
                                 << "" << none << true;
    QTest::newRow("X display") << ":0"
                               << ""
                               << "" << none << false;
    QTest::newRow("Wayland display") << ""
                                     << "wayland-0"
                                     << "" << none << false;
    QTest::newRow("xcb asked, no display") << ""
                                           << ""
                                           << "xcb" << none << true;
    QTest::newRow("offscreen") << ""
                               << ""
                               << "offscreen" << none << false;
    QTest::newRow("vnc with options") << ""
                                      << ""
                                      << "vnc:size=800x600" << none << false;
    QTest::newRow("list with a fallback") << ""
                                          << ""
                                          << "wayland;minimal" << none << false;
    QTest::newRow("list without one") << ""
                                      << ""
                                      << "wayland;xcb" << none << true;
    QTest::newRow("option wins over the variable")
        << ""
        << ""
        << "offscreen" << QStringList{"-platform", "xcb"} << true;
    QTest::newRow("double-dash option") << ""
                                        << ""
                                        << "" << QStringList{"--platform", "offscreen"} << false;
    QTest::newRow("option without a value") << ""
                                            << ""
                                            << "" << QStringList{"-platform"} << true;
}

void ConverterWindowDetailsTest::noDisplayIsFoundOnlyWhenNothingCanDraw() {
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, platform);
    QFETCH(QStringList, arguments);
    QFETCH(bool, noDisplay);
    const QByteArray displayBytes = display.toUtf8();
    const QByteArray waylandBytes = wayland.toUtf8();
    const QByteArray platformBytes = platform.toUtf8();
    std::vector<QByteArray> argumentBytes{QByteArrayLiteral("korvane")};
    for (const QString& argument : arguments)
        argumentBytes.push_back(argument.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& argument : argumentBytes)
        argv.push_back(argument.constData());

    DisplayEnvironment environment;
    environment.display = displayBytes.constData();
    environment.waylandDisplay = wayland.isEmpty() ? nullptr : waylandBytes.constData();
    environment.platform = platformBytes.constData();
    environment.platformOption = PlatformOption(static_cast<int>(argv.size()), argv.data());
    QCOMPARE(NoDisplayFound(environment), noDisplay);
}

void ConverterWindowDetailsTest::diagnosticsGoWhereSomeoneReadsThem_data() {
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("wanted");
    QTest::newRow("journal") << QByteArray() << false << false;
    QTest::newRow("terminal") << QByteArray() << true << true;
    QTest::newRow("asked for") << QByteArrayLiteral("1") << false << true;
    QTest::newRow("refused on a terminal") << QByteArrayLiteral("0") << true << false;
    QTest::newRow("other value: the terminal decides")
        << QByteArrayLiteral("yes") << false << false;
}

void ConverterWindowDetailsTest::diagnosticsGoWhereSomeoneReadsThem() {
    QFETCH(QByteArray, setting);
    QFETCH(bool, terminal);
    QFETCH(bool, wanted);
    QCOMPARE(DiagnosticsWanted(setting.isNull() ? nullptr : setting.constData(), terminal), wanted);
}

// The test's standard error stream is no terminal, as a desktop start's is not: a failing
// expression typed into the window writes nothing there unless KORVANE_DIAGNOSTICS asks for it.
void ConverterWindowDetailsTest::windowWritesDiagnosticsOnlyWhenAsked() {
    for (const bool asked : {false, true}) {
        if (asked) {
            qputenv("KORVANE_DIAGNOSTICS", "1");
        } else {
            qunsetenv("KORVANE_DIAGNOSTICS");
        }
        QTemporaryFile captured;
        QVERIFY(captured.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(captured.handle(), STDERR_FILENO);
        {
            auto window = open();
            window->typeInput(QStringLiteral("2+"));
            QCOMPARE(window->outputEdit()->text(), QStringLiteral("Error"));
        }
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        qunsetenv("KORVANE_DIAGNOSTICS");
        // The redirected stream moved the shared file position to the end.
        QVERIFY(captured.seek(0));
        const QByteArray written = captured.readAll();
        QCOMPARE(written.contains("ERROR in math expression"), asked);
    }
}

}  // namespace korvane::test
