#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "RecordingDesktopServices.h"
#include "app/ConverterState.h"
#include "ui/main/CConverterDlg.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace korvane::test {

// Fails the running test when a modal dialog other than the allowed one appears: with the
// recording desktop services no real message box or dialog should ever open. The offending
// dialog is closed so the run goes on.
class ModalWatchdog : public QObject {
    Q_OBJECT
  public:
    ModalWatchdog();
    // Starts watching; only the converter window and the dialogs allowed since are expected.
    void start();
    // Lets dialogs of this class open (a test that drives the dialog itself).
    void allow(const char* className) { allowed_.push_back(QString::fromLatin1(className)); }
    // The names of the unexpected dialogs seen since start().
    QStringList seen() const { return seen_; }

  private:
    void check();
    QTimer timer_;
    QStringList seen_;
    QStringList allowed_;
};

// One converter window on a settings file of its own, the way the program starts it.
class ConverterWindow {
  public:
    explicit ConverterWindow(const QString& settingsPath,
                             CConverterDlg::Pictures pictures = CConverterDlg::Pictures{});
    ~ConverterWindow();

    CConverterDlg& dialog() { return *dialog_; }
    ConverterState& state() { return state_; }
    RecordingDesktopServices& services() { return services_; }

    QComboBox* categoryList() const;
    QListWidget* inputList() const;
    QListWidget* outputList() const;
    QLineEdit* inputEdit() const;
    QLineEdit* outputEdit() const;
    QLabel* inputLabel() const;
    QLabel* outputLabel() const;

    // As the user does it: the category through the list's activation, units by mouse
    // click, input by typing.
    void chooseCategory(const QString& name);
    void clickUnit(QListWidget* list, const QString& unit);
    void typeInput(const QString& text);
    QString selectedText(const QListWidget* list) const;

    // The three ways out.
    void closeWindow();
    void pressEscape();
    void chooseExit();

  private:
    ConverterState state_;
    RecordingDesktopServices services_;
    std::unique_ptr<CConverterDlg> dialog_;
};

// The texts of a list's entries, in the order shown.
QStringList Entries(const QComboBox* list);
QStringList Entries(const QListWidget* list);

// A file's bytes as they are on disk.
std::string ReadAll(const QString& path);

// A settings file in a temporary folder, written and read as plain text so the tests check
// the file itself, not the code that writes it.
class SettingsFile {
  public:
    SettingsFile();
    QString path() const;
    void write(const std::string& text) const;
    bool exists() const;
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

  private:
    QTemporaryDir dir_;
};

// What every window test class shares: before each test function a settings file of its own in
// a temporary folder and the modal-dialog watchdog; after it, the check that no unexpected
// dialog opened. QtTest finds init() and cleanup() by name; being protected, they are not taken
// for test functions, and a class that needs more calls them from its own.
class WindowTestCase : public QObject {
    Q_OBJECT
  protected slots:
    void init();
    void cleanup();

  protected:
    // The converter window on this test function's settings file.
    std::unique_ptr<ConverterWindow> open(CConverterDlg::Pictures pictures = {});

    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
