// The converter window's commands: what the menu items, their keys and the invert icon do.
#include <QListWidget>

#include "app/ConverterState.h"
#include "ui/main/CConverterDlg.h"
#include "ui/main/SortedLists.h"
#include "ui/preferences/CPropSheet.h"
#include "ui/preferences/CResults.h"

namespace korvane {

void CConverterDlg::OnInvert() {
    const int from = SelectedRow(widgets_.inputUnitList);
    const int to = SelectedRow(widgets_.outputUnitList);
    SelectRow(widgets_.inputUnitList, to);
    SelectRow(widgets_.outputUnitList, from);
    UpdateConversion();
}

void CConverterDlg::OnFileExit() {
    saveDisplaySettings();
    done(QDialog::Rejected);
}

void CConverterDlg::OnPreferences() {
    const std::unique_ptr<CPropSheet> sheet = createPreferencesSheet();
    const int result = sheet->exec();
    applyPreferences(*sheet, result);
}

std::unique_ptr<CPropSheet> CConverterDlg::createPreferencesSheet() {
    const PreferencesContext context{state_, services_, writeReporter_,
                                     [this](bool on) { SetOnTop(on); }};
    return std::make_unique<CPropSheet>(context, this);
}

// What General and Custom did is already done, OK or not; Result Format and Visible
// Categories count only on OK.
void CConverterDlg::applyPreferences(const CPropSheet& sheet, int result) {
    if (result != QDialog::Accepted)
        return;
    // A page never shown has no choice; the format stays as it was.
    if (const CResults& results = sheet.resultsPage(); results.isBuilt()) {
        state_.format.mode = FormatModeFromInt(results.format());
        state_.format.precision = results.precisionIndex() + 1;
    }
    if (state_.visibilityChanged)
        rebuildCategoryList();
    UpdateConversion();
}

}  // namespace korvane
