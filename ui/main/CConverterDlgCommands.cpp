// The converter window's commands: what the menu items, their keys and the invert icon do.
#include <QListWidget>

#include "ui/main/CConverterDlg.h"
#include "ui/main/SortedLists.h"

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

}  // namespace korvane
