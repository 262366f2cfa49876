#include "AccessibilityTest.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "AccessibilityCheck.h"
#include "Palettes.h"
#include "ui/widgets/PictureControl.h"

namespace korvane::test {

namespace {

QString Description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

PictureControl* Picture(ConverterWindow& window, const char* name) {
    return window.dialog().findChild<PictureControl*>(QString::fromLatin1(name));
}

// Distance, meter to centimeter: the conversion every test starts from.
void ChooseMeterToCentimeter(ConverterWindow& window) {
    window.chooseCategory(QStringLiteral("Distance"));
    window.clickUnit(window.inputList(), QStringLiteral("meter"));
    window.clickUnit(window.outputList(), QStringLiteral("centimeter"));
}

}  // namespace

void AccessibilityTest::everyControlIsNamedOnce() {
    auto window = open();
    const QStringList problems = AccessibilityProblems(&window->dialog());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    const QList<AccessibleNode> tree = AccessibleTree(&window->dialog());
    const std::pair<QWidget*, const char*> expected[] = {
        {window->inputList(), "Convert from"},
        {window->outputList(), "Convert to"},
        {window->inputEdit(), "Value to convert"},
        {window->outputEdit(), "Converted value"},
        {Picture(*window, "invertIcon"), "Invert selected units"},
        {Picture(*window, "banner"), "Open the home page"},
    };
    for (const auto& [widget, name] : expected) {
        const AccessibleNode* node = FindNode(tree, widget);
        QVERIFY2(node != nullptr, name);
        QCOMPARE(node->name, QString::fromLatin1(name));
    }
    // Qt names a drop-down list on Linux by its current entry and labels it by its group, as
    // desktop screen readers expect; elsewhere it carries the name given.
    const AccessibleNode* category = FindNode(tree, window->categoryList());
    QVERIFY(category != nullptr);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QCOMPARE(category->name, window->categoryList()->currentText());
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(window->categoryList());
    const auto labels = box->relations(QAccessible::Label);
    QVERIFY(!labels.isEmpty());
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("Select Category  "));
#else
    QCOMPARE(category->name, QStringLiteral("Category"));
#endif
    QVERIFY(!category->description.isEmpty());

    // The template's hidden default button is not there to be found.
    QVERIFY(window->dialog().findChildren<QPushButton*>().isEmpty());
    for (const AccessibleNode& node : tree)
        QVERIFY2(node.name != QStringLiteral("Button2"), qPrintable(node.path));
}

// A unit label is named by the unit it shows; an empty one must not borrow its group's title
// ("Result "), which would announce it as the result.
void AccessibilityTest::unitLabelsAreNamedByTheirUnitOrAsEmpty() {
    settings_->write("[Settings]\nCustom_1=my units\n");
    auto window = open();
    window->chooseCategory(QStringLiteral("Distance"));
    QVERIFY(!window->inputLabel()->text().isEmpty());
    QList<AccessibleNode> tree = AccessibleTree(&window->dialog());
    QCOMPARE(FindNode(tree, window->inputLabel())->name, window->inputLabel()->text());
    QCOMPARE(FindNode(tree, window->outputLabel())->name, window->outputLabel()->text());

    window->chooseCategory(QStringLiteral("my units"));
    QVERIFY(window->inputLabel()->text().isEmpty());
    tree = AccessibleTree(&window->dialog());
    QCOMPARE(FindNode(tree, window->inputLabel())->name, QStringLiteral("No unit to convert from"));
    QCOMPARE(FindNode(tree, window->outputLabel())->name, QStringLiteral("No unit to convert to"));
    const QStringList problems = AccessibilityProblems(&window->dialog());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void AccessibilityTest::picturesArePressableButtonsOutsideTheTabOrder() {
    auto window = open();
    ChooseMeterToCentimeter(*window);
    window->typeInput(QStringLiteral("2"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("200"));

    for (const char* name : {"invertIcon", "banner"}) {
        QAccessibleInterface* picture =
            QAccessible::queryAccessibleInterface(Picture(*window, name));
        QCOMPARE(picture->role(), QAccessible::Button);
        QCOMPARE(picture->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        QVERIFY2(!picture->state().focusable, name);
    }

    QAccessibleInterface* invert =
        QAccessible::queryAccessibleInterface(Picture(*window, "invertIcon"));
    invert->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("centimeter"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("meter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("0.02"));

    QSignalSpy bannerClicks(Picture(*window, "banner"), &PictureControl::clicked);
    QAccessible::queryAccessibleInterface(Picture(*window, "banner"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(bannerClicks.count(), 1);
}

void AccessibilityTest::resultAndErrorAreDescribed_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("outputDescription");
    QTest::addColumn<QString>("inputDescription");
    QTest::newRow("result") << "2*3"
                            << "600"
                            << "centimeter"
                            << "Result: 600 centimeter";
    QTest::newRow("wrong symbol") << QStringLiteral("2+\u00a7") << "Error"
                                  << QStringLiteral("wrong symbol '\u00a7' at position 3")
                                  << QStringLiteral(
                                         "Result: Error, wrong symbol '\u00a7' at position 3");
    QTest::newRow("divide by zero") << "4 / 0"
                                    << "Error"
                                    << "divide by 0 '0' at position 5"
                                    << "Result: Error, divide by 0 '0' at position 5";
}

void AccessibilityTest::resultAndErrorAreDescribed() {
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, outputDescription);
    QFETCH(QString, inputDescription);
    auto window = open();
    ChooseMeterToCentimeter(*window);
    window->typeInput(input);
    QCOMPARE(window->outputEdit()->text(), output);
    QCOMPARE(Description(window->outputEdit()), outputDescription);
    QCOMPARE(Description(window->inputEdit()), inputDescription);
    // The error's tooltip says what its description says.
    if (output == QStringLiteral("Error"))
        QCOMPARE(window->outputEdit()->toolTip(), outputDescription);
    else
        QVERIFY(window->outputEdit()->toolTip().startsWith(QStringLiteral("1 meter = ")));
}

void AccessibilityTest::resultChangesAreAnnounced() {
    if (!WaitForAccessibility()) {
        if (AccessibilityRequired())
            QFAIL("accessibility is not active: no accessibility bus");
        QSKIP("no assistive technology listens here; scripts/ui-xvfb.sh runs this test");
    }
    auto window = open();
    ChooseMeterToCentimeter(*window);
    window->typeInput(QStringLiteral("2"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("200"));

    AccessibleEventRecorder recorder;
    QTest::keyClicks(window->inputEdit(), QStringLiteral("*3"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("600"));
    bool outputTextTold = false;
    bool inputDescriptionTold = false;
    for (const AccessibleEventRecorder::Event& event : recorder.events()) {
        if (event.object == window->outputEdit() && event.inserted == QStringLiteral("600"))
            outputTextTold = true;
        if (event.object == window->inputEdit() && event.type == QAccessible::DescriptionChanged)
            inputDescriptionTold = true;
    }
    QVERIFY(outputTextTold);
    QVERIFY(inputDescriptionTold);
    QCOMPARE(Description(window->inputEdit()), QStringLiteral("Result: 600 centimeter"));
}

void AccessibilityTest::tabVisitsTheControlsInTheTemplatesOrder() {
    auto window = open();
    QCOMPARE(QApplication::focusWidget(), window->inputList());
    const QList<QWidget*> order = {window->outputList(), window->inputEdit(), window->outputEdit(),
                                   window->categoryList(), window->inputList()};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), *it);
    }
}

// Alt with a menu's letter opens it; the arrows reach the menu without one ("Edit").
void AccessibilityTest::menusOpenFromTheKeyboard() {
    auto window = open();
    ChooseMeterToCentimeter(*window);
    QTest::keyClick(window->inputList(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QStringLiteral("&File"));

    QTest::keyClick(menu, Qt::Key_Right);
    QTRY_VERIFY(QApplication::activePopupWidget() != menu);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QStringLiteral("Edit"));

    // Down and Enter run an item's command: Invert selected units is the third.
    for (int i = 0; i <= menu->actions().size() &&
                    (menu->activeAction() == nullptr ||
                     menu->activeAction()->objectName() != QStringLiteral("actionInvert"));
         ++i) {
        QTest::keyClick(menu, Qt::Key_Down);
    }
    QVERIFY(menu->activeAction() != nullptr);
    QCOMPARE(menu->activeAction()->objectName(), QStringLiteral("actionInvert"));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("centimeter"));

    QTest::keyClick(window->inputList(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(menu->title(), QStringLiteral("&Help"));
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QVERIFY(window->dialog().isVisible());
}

void AccessibilityTest::enterDoesNothingWhereverTheFocusIs() {
    auto window = open();
    ChooseMeterToCentimeter(*window);
    window->typeInput(QStringLiteral("2"));
    for (QWidget* control :
         {static_cast<QWidget*>(window->inputList()), static_cast<QWidget*>(window->outputList()),
          static_cast<QWidget*>(window->inputEdit()),
          static_cast<QWidget*>(window->outputEdit())}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY2(window->dialog().isVisible(), qPrintable(control->objectName()));
    }
    QCOMPARE(window->selectedText(window->inputList()), QStringLiteral("meter"));
    QCOMPARE(window->selectedText(window->outputList()), QStringLiteral("centimeter"));
    QCOMPARE(window->outputEdit()->text(), QStringLiteral("200"));
    QVERIFY(!settings_->exists());
}

// Each control that takes the focus looks different with it than without it.
void AccessibilityTest::focusedControlIsVisiblyMarked() {
    auto window = open();
    if (!window->dialog().isActiveWindow()) {
        if (AccessibilityRequired())
            QFAIL("the window was not activated");
        QSKIP("the window is not active here; scripts/ui-xvfb.sh runs this test");
    }
    ChooseMeterToCentimeter(*window);
    const QList<QWidget*> controls = {window->categoryList(), window->inputList(),
                                      window->outputList(), window->inputEdit(),
                                      window->outputEdit()};
    for (QWidget* control : controls) {
        QWidget* elsewhere = control == window->inputEdit()
                                 ? static_cast<QWidget*>(window->outputEdit())
                                 : window->inputEdit();
        elsewhere->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(elsewhere->hasFocus());
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(control->hasFocus());
        // A text box's caret blinks; what marks the focus must show in any case.
        QTest::qWait(50);
        const QImage with = control->grab().toImage();
        QVERIFY2(with != without, qPrintable(control->objectName()));
    }
}

// No control keeps colours of its own: with a dark desktop palette the window is dark and its
// texts light. KORVANE_SCREENSHOT_DIR=<folder> saves the picture as dark-palette.png.
void AccessibilityTest::darkPaletteIsFollowed() {
    const PaletteScope scope(DarkPalette());
    auto window = open();
    ChooseMeterToCentimeter(*window);
    window->typeInput(QStringLiteral("2*3"));
    const QPalette dark = DarkPalette();
    for (QWidget* widget : window->dialog().findChildren<QWidget*>()) {
        if (widget->isWindow())
            continue;
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text}) {
            QVERIFY2(
                widget->palette().color(QPalette::Active, role) ==
                    dark.color(QPalette::Active, role),
                qPrintable(widget->objectName() + QStringLiteral(" ") + QString::number(role)));
        }
    }
    QVERIFY(Contrast(dark.color(QPalette::Base), dark.color(QPalette::Text)) >= 7.0);

    const QImage shot = window->dialog().grab().toImage();
    // The face between the controls, just inside the left edge under the menu, is the palette's.
    const QPoint face(4, shot.height() - 4);
    QVERIFY(Contrast(shot.pixelColor(face), dark.color(QPalette::Window)) < 1.2);
    if (const QByteArray folder = qgetenv("KORVANE_SCREENSHOT_DIR"); !folder.isEmpty()) {
        QVERIFY(shot.save(
            QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("dark-palette.png"))));
    }
}

}  // namespace korvane::test
