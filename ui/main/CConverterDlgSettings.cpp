// The converter window's access to the settings file, and the ways out that save to it.
#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>

#include "app/ConverterState.h"
#include "app/CustomUnitStorage.h"
#include "app/ExtrasSettings.h"
#include "app/Settings.h"
#include "ui/main/AllUnitsPane.h"
#include "ui/main/CConverterDlg.h"
#include "ui/widgets/SortedLists.h"

namespace korvane {

void CConverterDlg::loadCustomUnits() {
    LoadCustomUnits(state_.settings, state_.catalogue);
}

void CConverterDlg::readVisibility() {
    state_.visibility = ReadVisibility(state_.settings, state_.catalogue);
}

CConverterDlg::RememberedSelection CConverterDlg::readRememberedSelection() {
    if (!ReadFlag(state_.settings, SettingsFlag::RememberCategory))
        return {};
    const LastSelection last = ReadLastSelection(state_.settings);
    return RememberedSelection{last.category, last.fromPosition, last.toPosition};
}

void CConverterDlg::readDisplaySettings() {
    state_.format = ReadResultFormat(state_.settings);
    state_.showAbbreviation = ReadFlag(state_.settings, SettingsFlag::ShowAbbreviation);
}

bool CConverterDlg::readOnTop() {
    return ReadFlag(state_.settings, SettingsFlag::OnTop);
}

bool CConverterDlg::readAllUnitsPane() {
    return ReadAllUnitsPane(state_.settings);
}

// Only a run that opened the pane has anything to store: a user who never did keeps the file
// exactly as the window always wrote it.
void CConverterDlg::saveAllUnitsPane() {
    if (allUnitsPane_ == nullptr)
        return;
    const WriteResult result = SaveAllUnitsPane(state_.settings, !allUnitsPane_->isHidden());
    if (!result.ok()) {
        writeReporter_.reportFailure(state_.settings.Path(), result.reason,
                                     SettingsWriteReporter::Moment::Shutdown);
    }
}

// Both run while the program ends: a failure goes to the standard error stream only.
void CConverterDlg::saveDisplaySettings() {
    const WriteResult result =
        SaveDisplaySettings(state_.settings, state_.catalogue, state_.format, state_.visibility);
    if (!result.ok()) {
        writeReporter_.reportFailure(state_.settings.Path(), result.reason,
                                     SettingsWriteReporter::Moment::Shutdown);
    }
}

void CConverterDlg::saveLastSelection(const std::string& categoryText, int toPosition,
                                      int fromPosition) {
    const WriteResult result =
        SaveLastSelection(state_.settings, categoryText, toPosition, fromPosition);
    if (!result.ok()) {
        writeReporter_.reportFailure(state_.settings.Path(), result.reason,
                                     SettingsWriteReporter::Moment::Shutdown);
    }
}

void CConverterDlg::closeEvent(QCloseEvent* event) {
    saveDisplaySettings();
    const std::string category = widgets_.categoryList->currentIndex() < 0
                                     ? std::string()
                                     : widgets_.categoryList->currentText().toStdString();
    saveLastSelection(category, SelectedRow(widgets_.outputUnitList),
                      SelectedRow(widgets_.inputUnitList));
    saveAllUnitsPane();
    QDialog::closeEvent(event);
}

}  // namespace korvane
