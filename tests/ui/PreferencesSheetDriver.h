#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "UiTestSupport.h"
#include "ui/preferences/CPropSheet.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;

namespace korvane::test {

// The Preferences sheet of a converter window, opened without a modal loop but through the
// same two halves as the Preferences command: the window makes the sheet, and takes over its
// outcome when ok() or cancel() ends it. (The modal run itself is tested through the command.)
class SheetDriver {
  public:
    enum Page { General = 0, ResultFormat = 1, VisibleCategories = 2, Custom = 3 };

    explicit SheetDriver(ConverterWindow& window);
    ~SheetDriver();

    CPropSheet& sheet() { return *sheet_; }
    QTabWidget* tabs() const;
    void showPage(Page page);

    QCheckBox* box(const char* objectName) const;
    QAbstractButton* formatButton(int format) const;
    QComboBox* precisionList() const;
    QLabel* preview() const;
    QListWidget* categoryChecks() const;

    // As the user does it: a precision from the drop-down list; a category's tick toggled from
    // the keyboard inside the list.
    void choosePrecision(int precision);
    void toggleCategory(const QString& name);
    // Puts the keyboard focus into the Visible Categories list.
    void enterCategoryList();

    void ok();
    void cancel();

  private:
    void finish(bool accepted);

    ConverterWindow& window_;
    std::unique_ptr<CPropSheet> sheet_;
};

// A settings value as the file should hold it.
std::optional<std::string> Text(const char* text);

// Gives the Preferences command, by Ctrl+P on `keyTarget` or directly when there is none, and
// runs `whileOpen` on the sheet as soon as the command's modal run has it on the screen.
void WithModalSheet(ConverterWindow& window, const std::function<void(CPropSheet&)>& whileOpen,
                    QWidget* keyTarget = nullptr);

}  // namespace korvane::test
