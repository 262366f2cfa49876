#include "PreferencesSheetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace korvane::test {

SheetDriver::SheetDriver(ConverterWindow& window)
    : window_(window), sheet_(window.dialog().createPreferencesSheet()) {
    // Shown without a modal loop, so the watchdog, which closes every modal dialog it sees,
    // leaves it alone.
    sheet_->setWindowModality(Qt::NonModal);
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    if (!QTest::qWaitForWindowActive(sheet_.get(), 2000))
        qWarning("sheet not active");
}

SheetDriver::~SheetDriver() {
    if (sheet_ != nullptr)
        finish(false);
}

QTabWidget* SheetDriver::tabs() const {
    return sheet_->findChild<QTabWidget*>(QStringLiteral("preferencesTabs"));
}

void SheetDriver::showPage(Page page) {
    tabs()->setCurrentIndex(page);
}

QCheckBox* SheetDriver::box(const char* objectName) const {
    return sheet_->findChild<QCheckBox*>(QString::fromLatin1(objectName));
}

QAbstractButton* SheetDriver::formatButton(int format) const {
    const char* const names[] = {"autoFormatButton", "scientificButton", "fixedButton"};
    return sheet_->findChild<QAbstractButton*>(QString::fromLatin1(names[format]));
}

QComboBox* SheetDriver::precisionList() const {
    return sheet_->findChild<QComboBox*>(QStringLiteral("precisionList"));
}

QLabel* SheetDriver::preview() const {
    return sheet_->findChild<QLabel*>(QStringLiteral("previewText"));
}

QListWidget* SheetDriver::categoryChecks() const {
    return sheet_->findChild<QListWidget*>(QStringLiteral("visibleCategoryList"));
}

void SheetDriver::choosePrecision(int precision) {
    QComboBox* list = precisionList();
    const int index = list->findText(QString::number(precision));
    QVERIFY(index >= 0);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void SheetDriver::enterCategoryList() {
    categoryChecks()->setFocus(Qt::MouseFocusReason);
    QVERIFY(categoryChecks()->hasFocus());
}

void SheetDriver::toggleCategory(const QString& name) {
    QListWidget* list = categoryChecks();
    const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(name));
    const Qt::CheckState before = items.front()->checkState();
    enterCategoryList();
    list->setCurrentItem(items.front());
    QTest::keyClick(list, Qt::Key_Space);
    QVERIFY(items.front()->checkState() != before);
}

void SheetDriver::ok() {
    finish(true);
}

void SheetDriver::cancel() {
    finish(false);
}

void SheetDriver::finish(bool accepted) {
    sheet_
        ->findChild<QPushButton*>(accepted ? QStringLiteral("okButton")
                                           : QStringLiteral("cancelButton"))
        ->click();
    window_.dialog().applyPreferences(*sheet_, sheet_->result());
    sheet_.reset();
    QApplication::setActiveWindow(&window_.dialog());
}

std::optional<std::string> Text(const char* text) {
    return std::optional<std::string>(text);
}

void WithModalSheet(ConverterWindow& window, const std::function<void(CPropSheet&)>& whileOpen,
                    QWidget* keyTarget) {
    QTimer::singleShot(0, [whileOpen] {
        auto* sheet = qobject_cast<CPropSheet*>(QApplication::activeModalWidget());
        QVERIFY(sheet != nullptr);
        whileOpen(*sheet);
        // Whatever the check above decided, the modal run ends.
        if (sheet->isVisible())
            sheet->reject();
    });
    if (keyTarget == nullptr) {
        window.dialog().OnPreferences();
        return;
    }
    QApplication::setActiveWindow(&window.dialog());
    keyTarget->setFocus();
    QTest::keyClick(keyTarget, Qt::Key_P, Qt::ControlModifier);
}

}  // namespace korvane::test
