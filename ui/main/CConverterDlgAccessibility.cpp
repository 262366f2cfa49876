// What the converter window tells assistive technologies: a name for every control, and the
// result as it changes; and the focus it always shows.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>

#include "ui/main/CConverterDlg.h"
#include "ui/widgets/FocusMarking.h"
#include "ui/widgets/PictureControl.h"

namespace korvane {

void CConverterDlg::nameControls() {
    widgets_.menuBar->setAccessibleName(QStringLiteral("Menu"));
    widgets_.categoryList->setAccessibleName(QStringLiteral("Category"));
    widgets_.categoryList->setAccessibleDescription(
        QStringLiteral("The kind of quantity whose units the lists show"));
    widgets_.inputUnitList->setAccessibleName(QStringLiteral("Convert from"));
    widgets_.outputUnitList->setAccessibleName(QStringLiteral("Convert to"));
    // The captions above the lists label them for screen readers too.
    widgets_.inputCaption->setBuddy(widgets_.inputUnitList);
    widgets_.outputCaption->setBuddy(widgets_.outputUnitList);
    // The input box's tooltip, the help on what can be typed, is its description until the
    // first result replaces it.
    widgets_.inputEdit->setAccessibleName(QStringLiteral("Value to convert"));
    widgets_.outputEdit->setAccessibleName(QStringLiteral("Converted value"));
    widgets_.invertIcon->setAccessibleName(QStringLiteral("Invert selected units"));
    widgets_.banner->setAccessibleName(QStringLiteral("Open the home page"));
    KeepFocusMarked(*this);
}

// A screen reader reads what changes on the control that has the focus, which while the user
// types is the input box, not the output box: the input box's description carries the result,
// so every new result is spoken as it appears. The output box describes its unit, or the error.
void CConverterDlg::describeResult(const QString& output, const QString& unitName,
                                   const QString& error, const QString& note) {
    QString spoken;
    if (!error.isEmpty()) {
        spoken = QStringLiteral("Result: %1, %2").arg(output, error);
    } else if (!output.isEmpty()) {
        spoken = QStringLiteral("Result: %1 %2").arg(output, unitName);
    }
    if (!note.isEmpty())
        spoken += QStringLiteral(". ") + note;
    widgets_.inputEdit->setAccessibleDescription(spoken);
    widgets_.outputEdit->setAccessibleDescription(error.isEmpty() ? unitName : error);
}

// A label is read by its text; an empty one would be read by its group's title instead, "Result ",
// as if it were the result. It is named for what it lacks.
void CConverterDlg::nameUnitLabels() {
    const auto name = [](QLabel* label, const QString& whenEmpty) {
        label->setAccessibleName(label->text().isEmpty() ? whenEmpty : QString());
    };
    name(widgets_.inputUnitLabel, QStringLiteral("No unit to convert from"));
    name(widgets_.outputUnitLabel, QStringLiteral("No unit to convert to"));
}

}  // namespace korvane
