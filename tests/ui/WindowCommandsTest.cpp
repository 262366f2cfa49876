#include "WindowCommandsTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <vector>

#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CHelpDialog.h"
#include "ui/dialogs/CSearchUnits.h"
#include "ui/dialogs/LinkLabel.h"
#include "ui/widgets/SortedLists.h"

namespace korvane::test {

namespace {

const WebAddresses kAddresses{QStringLiteral("file:///opt/korvane/manual/index.html"),
                              QStringLiteral("file:///opt/korvane/manual/about.html")};

// Drives the modal dialog of class T that a command is about to open: `act` runs once the
// dialog is the active modal widget. A dialog that never opens leaves ran() false.
template <typename T>
class WhenOpen {
  public:
    explicit WhenOpen(std::function<void(T&)> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
        timer_.start();
    }
    bool ran() const { return ran_; }

  private:
    void poll() {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer_.stop();
            ran_ = true;
            act_(*dialog);
        } else if (++polls_ > 300) {
            timer_.stop();
        }
    }

    std::function<void(T&)> act_;
    QTimer timer_;
    bool ran_ = false;
    int polls_ = 0;
};

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// In the Find dialog: types `text`, picks `entry` and presses Go (or double-clicks it).
void ChooseInFind(CSearchUnits& find, const QString& text, const QString& entry,
                  bool doubleClick = false) {
    auto* edit = find.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    QTest::keyClicks(edit, text);
    auto* list = find.findChild<QListView*>(QStringLiteral("matchList"));
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       entry, 1, Qt::MatchExactly);
    if (found.isEmpty()) {
        find.reject();
        QFAIL(qPrintable(entry));
    }
    list->scrollTo(found.front());
    const QPoint centre = list->visualRect(found.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    if (doubleClick) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    } else {
        Click(find.findChild<QPushButton*>(QStringLiteral("goButton")));
    }
}

std::vector<int> Flags(const CategoryVisibility& visibility) {
    std::vector<int> flags;
    for (int c = 0; c < kBuiltInCategories; ++c)
        flags.push_back(visibility.Flag(c));
    return flags;
}

std::string EveryCategoryHidden() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    std::string file;
    for (int c = 0; c < kBuiltInCategories; ++c)
        file += "[" + catalogue.CategoryName(c) + "]\nVisibility=0\n";
    return file;
}

void PressCtrl(QWidget* target, Qt::Key key) {
    QTest::keyClick(target, key, Qt::ControlModifier);
}

}  // namespace

std::unique_ptr<ConverterWindow> WindowCommandsTest::open() {
    auto window = WindowTestCase::open();
    window->dialog().setWebAddresses(kAddresses);
    return window;
}

// After a dialog has closed, the window takes the keys again once it is the active window.
void WindowCommandsTest::activate(ConverterWindow& window) {
    QApplication::setActiveWindow(&window.dialog());
    QVERIFY(QTest::qWaitForWindowActive(&window.dialog(), 2000));
}

void WindowCommandsTest::copyOutputCopiesTheWholeResultFromTheInputBox() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->inputList(), QStringLiteral("meter"));
    window->clickUnit(window->outputList(), QStringLiteral("centimeter"));
    window->typeInput(QStringLiteral("2*3.25"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("650"));

    QLineEdit* input = window->inputEdit();
    input->setFocus();
    input->setSelection(0, 1);
    PressCtrl(input, Qt::Key_C);
    QCOMPARE(window->services().clipboard, QStringList{QStringLiteral("650")});
    QCOMPARE(window->outputEdit()->selectedText(), QStringLiteral("650"));
    QCOMPARE(input->text(), QStringLiteral("2*3.25"));
    QCOMPARE(input->selectedText(), QStringLiteral("2"));

    window->typeInput(QStringLiteral("1e-5"));
    window->dialog().findChild<QAction*>(QStringLiteral("actionCopyOutput"))->trigger();
    QCOMPARE(window->services().clipboard.last(), QStringLiteral("0.001"));
    QCOMPARE(window->outputEdit()->selectedText(), QStringLiteral("0.001"));
}

void WindowCommandsTest::copyOfAnEmptyOutputLeavesTheClipboardAlone() {
    auto window = open();
    // No conversion the window offers leaves the box empty today; the command must cope all
    // the same.
    window->outputEdit()->clear();
    PressCtrl(window->inputEdit(), Qt::Key_C);
    QVERIFY(window->services().clipboard.isEmpty());
    QVERIFY(window->services().messages.empty());
}

void WindowCommandsTest::invertTwiceFromTheInputBoxRestoresTheResult() {
    auto window = open();
    window->chooseCategory(QStringLiteral("Mass"));
    window->clickUnit(window->inputList(), QStringLiteral("kilogram"));
    window->clickUnit(window->outputList(), QStringLiteral("gram"));
    window->typeInput(QStringLiteral("3"));
    const QString forward = window->outputEdit()->text();
    QCOMPARE(forward, QStringLiteral("3000"));
    window->inputEdit()->setFocus();
    PressCtrl(window->inputEdit(), Qt::Key_I);
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("0.003"));
    PressCtrl(window->inputEdit(), Qt::Key_I);
    QCOMPARE(window->outputEdit()->text(), forward);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("kilogram"));
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("3"));
}

void WindowCommandsTest::calculatorStartsOrFailsSilently_data() {
    QTest::addColumn<bool>("installed");
    QTest::newRow("calculator installed") << true;
    QTest::newRow("no calculator") << false;
}

void WindowCommandsTest::calculatorStartsOrFailsSilently() {
    QFETCH(bool, installed);
    auto window = open();
    window->services().calculatorAvailable = installed;
    window->inputEdit()->setFocus();
    PressCtrl(window->inputEdit(), Qt::Key_L);
    QCOMPARE(window->services().calculatorStarts, 1);
    window->dialog().findChild<QAction*>(QStringLiteral("actionCalculator"))->trigger();
    QCOMPARE(window->services().calculatorStarts, 2);
    QVERIFY(window->services().messages.empty());
    QCOMPARE(window->inputEdit()->text(), QStringLiteral("1"));
}

void WindowCommandsTest::findOnAHiddenCategoryListsItForGood() {
    watchdog_.allow("korvane::CSearchUnits");
    {
        auto window = open();
        const int flow = window->state().catalogue.FindCategory("Flow");
        QVERIFY(!window->state().visibility.IsVisible(flow));
        QVERIFY(!Entries(window->categoryList()).contains(QStringLiteral("Flow")));

        WhenOpen<CSearchUnits> find([](CSearchUnits& dialog) {
            ChooseInFind(dialog, QStringLiteral("FLOW >> cent"),
                         QStringLiteral("Flow >> centimeter³/second [cm³/s]"));
        });
        window->inputEdit()->setFocus();
        PressCtrl(window->inputEdit(), Qt::Key_F);
        QVERIFY(find.ran());

        QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Flow"));
        QCOMPARE(window->dialog().currentCategory(), flow);
        QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("centimeter³/second"));
        QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("centimeter³/second"));
        QVERIFY(window->inputLabel()->text().startsWith(QStringLiteral("centimeter³/second")));
        QCOMPARE(window->outputEdit()->text(), QStringLiteral("1"));
        QVERIFY(window->state().visibility.IsVisible(flow));
        const QStringList listed = Entries(window->categoryList());
        QCOMPARE(listed.count(QStringLiteral("Flow")), 1);
        QCOMPARE(listed, SortedForList(listed));
        window->closeWindow();
    }
    QCOMPARE(settings_->value("Flow", "Visibility"), std::optional<std::string>("1"));
    auto again = open();
    QVERIFY(Entries(again->categoryList()).contains(QStringLiteral("Flow")));
}

void WindowCommandsTest::findOnAListedCategoryChangesNoFlags() {
    watchdog_.allow("korvane::CSearchUnits");
    auto window = open();
    const std::vector<int> flags = Flags(window->state().visibility);
    const QStringList listed = Entries(window->categoryList());
    WhenOpen<CSearchUnits> find([](CSearchUnits& dialog) {
        ChooseInFind(dialog, QStringLiteral("inch"), QStringLiteral("Distance >> inch [in]"), true);
    });
    window->dialog().findChild<QAction*>(QStringLiteral("actionFind"))->trigger();
    QVERIFY(find.ran());
    QCOMPARE(Flags(window->state().visibility), flags);
    QCOMPARE(Entries(window->categoryList()), listed);
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("inch"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("inch"));
}

void WindowCommandsTest::findSelectsCustomUnitsWithBrackets_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("search");
    QTest::newRow("plain custom unit") << "rod of Korvane"
                                       << "rod of";
    QTest::newRow("bracket in the name") << "rod [old]"
                                         << "rod [";
    QTest::newRow("separator in the name") << "old >> rod [x]"
                                           << "old >>";
}

void WindowCommandsTest::findSelectsCustomUnitsWithBrackets() {
    QFETCH(QString, unit);
    QFETCH(QString, search);
    watchdog_.allow("korvane::CSearchUnits");
    settings_->write("[Distance]\nCustomUnits=1\nCustomUnit_1=" + unit.toStdString() +
                     "\nCustomValue_1=502.92\n");
    auto window = open();
    window->chooseCategory(QStringLiteral("Mass"));
    WhenOpen<CSearchUnits> find(
        [&](CSearchUnits& dialog) { ChooseInFind(dialog, search, "Distance >> " + unit + " []"); });
    window->dialog().OnFind();
    QVERIFY(find.ran());
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QCOMPARE(window->selectedText(window->inputList()), unit);
    QCOMPARE(window->selectedText(window->outputList()), unit);
    QVERIFY(window->inputLabel()->text().startsWith(unit));
}

void WindowCommandsTest::findWithoutAChoiceChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Go with nothing selected") << "go";
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Escape") << "escape";
}

void WindowCommandsTest::findWithoutAChoiceChangesNothing() {
    QFETCH(QString, how);
    watchdog_.allow("korvane::CSearchUnits");
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    window->clickUnit(window->outputList(), QStringLiteral("foot"));
    const QString output = window->outputEdit()->text();
    WhenOpen<CSearchUnits> find([&](CSearchUnits& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        QTest::keyClicks(edit, QStringLiteral("Flow"));
        if (how == QStringLiteral("go")) {
            Click(dialog.findChild<QPushButton*>(QStringLiteral("goButton")));
        } else if (how == QStringLiteral("cancel")) {
            Click(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")));
        } else {
            QTest::keyClick(edit, Qt::Key_Escape);
        }
    });
    window->dialog().OnFind();
    QVERIFY(find.ran());
    QCOMPARE(window->categoryList()->currentText(), QStringLiteral("Distance"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("foot"));
    QCOMPARE(window->outputEdit()->text(), output);
    QVERIFY(!window->state().visibility.IsVisible(window->state().catalogue.FindCategory("Flow")));
}

void WindowCommandsTest::findOnAHiddenCategoryWhileNoneIsListed() {
    watchdog_.allow("korvane::CSearchUnits");
    settings_->write(EveryCategoryHidden());
    auto window = open();
    QCOMPARE(window->categoryList()->count(), 0);
    WhenOpen<CSearchUnits> find([](CSearchUnits& dialog) {
        ChooseInFind(dialog, QStringLiteral("kPa"), QStringLiteral("Pressure >> kilopascal [kPa]"));
    });
    window->dialog().OnFind();
    QVERIFY(find.ran());
    QCOMPARE(Entries(window->categoryList()), QStringList{QStringLiteral("Pressure")});
    QCOMPARE(window->categoryList()->currentIndex(), 0);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("kilopascal"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("1"));
}

void WindowCommandsTest::helpAndAboutOpenOverTheWindow() {
    watchdog_.allow("korvane::CHelpDialog");
    watchdog_.allow("korvane::CAboutDlg");
    auto window = open();
    QWidget* owner = &window->dialog();
    QString helpText;
    WhenOpen<CHelpDialog> help([&](CHelpDialog& dialog) {
        QCOMPARE(dialog.parentWidget(), owner);
        helpText = dialog.findChild<QTextEdit*>(QStringLiteral("helpText"))->toPlainText();
        Click(dialog.findChild<QPushButton*>(QStringLiteral("okButton")));
    });
    owner->findChild<QAction*>(QStringLiteral("actionHelp"))->trigger();
    QVERIFY(help.ran());
    QVERIFY(helpText.contains(settings_->path()));

    WhenOpen<CAboutDlg> about([&](CAboutDlg& dialog) {
        QCOMPARE(dialog.parentWidget(), owner);
        Click(dialog.findChild<LinkLabel*>(QStringLiteral("productAddress")));
        Click(dialog.findChild<QWidget*>(QStringLiteral("banner")));
        Click(dialog.findChild<QPushButton*>(QStringLiteral("okButton")));
    });
    owner->findChild<QAction*>(QStringLiteral("actionAbout"))->trigger();
    QVERIFY(about.ran());
    QCOMPARE(window->services().urls, (QStringList{kAddresses.product, kAddresses.home}));
    QVERIFY(window->services().messages.empty());
}

// F1 and Ctrl+Q act as the Help and Exit items do, from the input box too.
void WindowCommandsTest::desktopKeysOpenHelpAndExit() {
    watchdog_.allow("korvane::CHelpDialog");
    auto window = open();
    WhenOpen<CHelpDialog> help([](CHelpDialog& dialog) {
        Click(dialog.findChild<QPushButton*>(QStringLiteral("okButton")));
    });
    QTest::keyClick(window->inputEdit(), Qt::Key_F1);
    QVERIFY(help.ran());
    QVERIFY(window->dialog().isVisible());

    activate(*window);
    PressCtrl(window->inputEdit(), Qt::Key_Q);
    QVERIFY(!window->dialog().isVisible());
    // Exit's saving, not a close's: the display settings, no selection.
    QCOMPARE(settings_->value("Settings", "Format"), std::optional<std::string>("0"));
    QVERIFY(!settings_->value("Settings", "LastCategory"));
}

void WindowCommandsTest::webItemsOpenTheirPagesQuietly_data() {
    QTest::addColumn<bool>("browser");
    QTest::newRow("browser") << true;
    QTest::newRow("no browser") << false;
}

void WindowCommandsTest::webItemsOpenTheirPagesQuietly() {
    QFETCH(bool, browser);
    auto window = open();
    window->services().browserAvailable = browser;
    window->dialog().findChild<QAction*>(QStringLiteral("actionProductPage"))->trigger();
    Click(window->dialog().findChild<QWidget*>(QStringLiteral("banner")));
    QCOMPARE(window->services().urls, (QStringList{kAddresses.product, kAddresses.home}));
    QVERIFY(window->services().messages.empty());

    // Without configured pages the items do nothing.
    window->dialog().setWebAddresses(WebAddresses{});
    window->dialog().OnProductPage();
    window->dialog().OnHomePage();
    QCOMPARE(window->services().urls.size(), 2);
}

void WindowCommandsTest::noCommandActsWhileAnotherDialogIsOpen() {
    watchdog_.allow("korvane::CHelpDialog");
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    const QString from = window->selectedText(window->inputList());
    CConverterDlg& dialog = window->dialog();
    WhenOpen<CHelpDialog> help([&](CHelpDialog& open) {
        QWidget* text = open.findChild<QTextEdit*>(QStringLiteral("helpText"));
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_F, Qt::Key_I, Qt::Key_L})
            PressCtrl(text, key);
        dialog.OnCalculator();
        dialog.OnCopyOutput();
        dialog.OnInvert();
        dialog.OnFind();
        dialog.OnAbout();
        dialog.OnHelp();
        dialog.OnHomePage();
        open.accept();
    });
    dialog.OnHelp();
    QVERIFY(help.ran());
    QCOMPARE(window->services().calculatorStarts, 0);
    QVERIFY(window->services().clipboard.isEmpty());
    QVERIFY(window->services().urls.isEmpty());
    QCOMPARE(window->selectedText(window->inputList()), from);

    // Back on the window, its keys work again.
    activate(*window);
    PressCtrl(window->inputEdit(), Qt::Key_L);
    QCOMPARE(window->services().calculatorStarts, 1);
}

}  // namespace korvane::test
