#include "ui/dialogs/CHelpDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/ProfileStore.h"
#include "ui/widgets/FocusMarking.h"

namespace korvane {

namespace {

// Room for a paragraph of the help text without scrolling sideways.
constexpr QSize kTextMinimumSize(460, 340);

const char* const kUseBody =
    "Select the category, then the unit to convert from in the INPUT list and the unit to "
    "convert to in the OUTPUT list, and type your value into the input box. It takes the "
    "value\n"
    "as Decimal, e.g. 1.75\n"
    "as Exponent, e.g. 1.2e-5\n"
    "as Partial Fraction, e.g. 7/8 \n"
    "as Mixed Fraction, e.g. 2+3/4  (for 2\u00be)\n"
    "as Mixed Expression, e.g. sin(-50.01+10^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))\n"
    "The result is shown at once in the output box.\n"
    "To invert the units, choose Invert selected units in the Edit menu, click the icon "
    "between the INPUT and OUTPUT lists, or press Ctrl + I.\n\n";

const char* const kFindBody =
    "Edit, Find or Ctrl + F opens the Find dialog. Type all or part of the name of a unit, of "
    "a category or of an abbreviation: the list of possible matches narrows as you type. "
    "Double-click a match, or select it and click Go, to close the dialog and show that "
    "category and unit in the main window.\n\n";

const char* const kPreferencesBody =
    "The Preferences sheet of the Options menu (Ctrl + P) shows more or fewer categories "
    "(Visible Categories), remembers the last used category and units (General), and adds "
    "custom categories and units (Custom).\n\n";

QTextCharFormat HeadingFormat(const QColor& colour) {
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setForeground(colour);
    return format;
}

}  // namespace

QString CustomizationsHelpText(const std::string& settingsPath) {
    const QString keep =
        settingsPath.empty()
            ? QStringLiteral(
                  "Custom units and preferences are kept in a small settings file. This "
                  "session found no place for it (no home folder is known), so they last only "
                  "until the program ends; set KORVANE_SETTINGS to the path of a file to keep "
                  "them.")
            : QStringLiteral(
                  "Custom units and preferences are stored in a small file,\n%1\nwhich you may "
                  "copy to other computers to carry your customizations along.")
                  .arg(QString::fromStdString(settingsPath));
    return keep +
           QStringLiteral("\nRemoving a custom category also removes all of its custom units.");
}

CHelpDialog::CHelpDialog(const ProfileStore& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("helpDialog"));
    KeepFocusMarked(*this);
    setWindowTitle(QStringLiteral("Help"));

    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("helpText"));
    text_->setAccessibleName(QStringLiteral("Help text"));
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setMinimumSize(kTextMinimumSize);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CHelpDialog::accept);

    auto* root = new QVBoxLayout(this);
    root->addWidget(text_, 1);
    root->addWidget(buttons);

    fillText(settings.Path());
}

// Each section is a bold heading, a blank line and its body; the heading format applies to
// the heading alone.
void CHelpDialog::fillText(const std::string& settingsPath) {
    const QTextCharFormat heading = HeadingFormat(text_->palette().color(QPalette::Text));
    const QTextCharFormat body;
    const QString sections[][2] = {
        {QStringLiteral("Use"), QString::fromUtf8(kUseBody)},
        {QStringLiteral("Find"), QString::fromUtf8(kFindBody)},
        {QStringLiteral("Preferences"), QString::fromUtf8(kPreferencesBody)},
        {QStringLiteral("Customizations"), CustomizationsHelpText(settingsPath)},
    };
    text_->clear();
    QTextCursor cursor(text_->document());
    for (const auto& section : sections) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(section[0], heading);
        cursor.insertText(QStringLiteral("\n\n"), body);
        cursor.insertText(section[1], body);
    }
    text_->moveCursor(QTextCursor::Start);
}

}  // namespace korvane
