// The converter window's access to the settings file, and the ways out that save to it.
#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>

#include "ui/main/CConverterDlg.h"
#include "ui/main/ConverterState.h"
#include "ui/main/SortedLists.h"

namespace korvane {

// WIRING POINT (settings store): until app/Settings.h and app/CustomUnitStorage.h land,
// every read below yields what a missing settings file yields and nothing is written.

void CConverterDlg::loadCustomUnits() {}

void CConverterDlg::readVisibility() {}

CConverterDlg::RememberedSelection CConverterDlg::readRememberedSelection() {
    return {};
}

void CConverterDlg::readDisplaySettings() {}

bool CConverterDlg::readOnTop() {
    return false;
}

void CConverterDlg::saveDisplaySettings() {}

void CConverterDlg::saveLastSelection(const std::string& /*categoryText*/, int /*toPosition*/,
                                      int /*fromPosition*/) {}

void CConverterDlg::closeEvent(QCloseEvent* event) {
    saveDisplaySettings();
    const std::string category = categoryList_->currentIndex() < 0
                                     ? std::string()
                                     : categoryList_->currentText().toStdString();
    saveLastSelection(category, SelectedRow(outputUnitList_), SelectedRow(inputUnitList_));
    QDialog::closeEvent(event);
}

void CConverterDlg::OnFileExit() {
    saveDisplaySettings();
    done(QDialog::Rejected);
}

}  // namespace korvane
