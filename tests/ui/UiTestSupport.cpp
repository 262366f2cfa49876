#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace korvane::test {

ModalWatchdog::ModalWatchdog() {
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
}

void ModalWatchdog::start() {
    seen_.clear();
    allowed_.clear();
    timer_.start();
}

void ModalWatchdog::check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || qobject_cast<CConverterDlg*>(modal) != nullptr ||
        allowed_.contains(QString::fromLatin1(modal->metaObject()->className()))) {
        return;
    }
    seen_.push_back(modal->metaObject()->className() + QStringLiteral(" ") + modal->windowTitle());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

ConverterWindow::ConverterWindow(const QString& settingsPath, CConverterDlg::Pictures pictures) {
    state_.settings = ProfileStore(settingsPath.toStdString());
    dialog_ = std::make_unique<CConverterDlg>(state_, services_, std::move(pictures));
    dialog_->OnInitDialog();
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    if (!QTest::qWaitForWindowActive(dialog_.get(), 2000))
        qWarning("window not active");
}

ConverterWindow::~ConverterWindow() = default;

QComboBox* ConverterWindow::categoryList() const {
    return dialog_->findChild<QComboBox*>(QStringLiteral("categoryList"));
}
QListWidget* ConverterWindow::inputList() const {
    return dialog_->findChild<QListWidget*>(QStringLiteral("inputUnitList"));
}
QListWidget* ConverterWindow::outputList() const {
    return dialog_->findChild<QListWidget*>(QStringLiteral("outputUnitList"));
}
QLineEdit* ConverterWindow::inputEdit() const {
    return dialog_->findChild<QLineEdit*>(QStringLiteral("inputEdit"));
}
QLineEdit* ConverterWindow::outputEdit() const {
    return dialog_->findChild<QLineEdit*>(QStringLiteral("outputEdit"));
}
QLabel* ConverterWindow::inputLabel() const {
    return dialog_->findChild<QLabel*>(QStringLiteral("inputUnitLabel"));
}
QLabel* ConverterWindow::outputLabel() const {
    return dialog_->findChild<QLabel*>(QStringLiteral("outputUnitLabel"));
}

void ConverterWindow::chooseCategory(const QString& name) {
    QComboBox* list = categoryList();
    const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(name));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void ConverterWindow::clickUnit(QListWidget* list, const QString& unit) {
    const QList<QListWidgetItem*> items = list->findItems(unit, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(unit));
    list->scrollToItem(items.front());
    const QPoint centre = list->visualItemRect(items.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

void ConverterWindow::typeInput(const QString& text) {
    inputEdit()->selectAll();
    QTest::keyClick(inputEdit(), Qt::Key_Backspace);
    QTest::keyClicks(inputEdit(), text);
}

QString ConverterWindow::selectedText(const QListWidget* list) const {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void ConverterWindow::closeWindow() {
    dialog_->close();
}

void ConverterWindow::pressEscape() {
    QTest::keyClick(inputList(), Qt::Key_Escape);
}

void ConverterWindow::chooseExit() {
    dialog_->findChild<QAction*>(QStringLiteral("actionExit"))->trigger();
}

SettingsFile::SettingsFile() = default;

QString SettingsFile::path() const {
    return dir_.filePath(QStringLiteral("Tabrivo.ini"));
}

void SettingsFile::write(const std::string& text) const {
    std::ofstream out(path().toStdString(), std::ios::binary);
    out << text;
}

bool SettingsFile::exists() const {
    return QFile::exists(path());
}

namespace {

std::string Trimmed(std::string text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::optional<std::string> SettingsFile::value(const std::string& section,
                                               const std::string& key) const {
    std::ifstream in(path().toStdString(), std::ios::binary);
    std::string line;
    bool inSection = false;
    std::optional<std::string> found;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            inSection = Lower(Trimmed(line.substr(1, line.size() - 2))) == Lower(section);
        } else if (inSection) {
            const auto equals = line.find('=');
            if (equals != std::string::npos &&
                Lower(Trimmed(line.substr(0, equals))) == Lower(key)) {
                found = Trimmed(line.substr(equals + 1));
            }
        }
    }
    return found;
}

QStringList Entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(list->itemText(i));
    return texts;
}

QStringList Entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(list->item(i)->text());
    return texts;
}

std::string ReadAll(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WindowTestCase::init() {
    settings_ = std::make_unique<SettingsFile>();
    watchdog_.start();
}

void WindowTestCase::cleanup() {
    QVERIFY2(watchdog_.seen().isEmpty(), qPrintable(watchdog_.seen().join(", ")));
    settings_.reset();
}

std::unique_ptr<ConverterWindow> WindowTestCase::open(CConverterDlg::Pictures pictures) {
    return std::make_unique<ConverterWindow>(settings_->path(), std::move(pictures));
}

}  // namespace korvane::test
