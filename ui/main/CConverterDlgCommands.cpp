// The converter window's commands: what the menu items, their keys, the invert icon and the
// banner do.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "app/ConverterState.h"
#include "platform/DesktopServices.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CHelpDialog.h"
#include "ui/dialogs/CSearchUnits.h"
#include "ui/main/CConverterDlg.h"
#include "ui/preferences/CCustom.h"
#include "ui/preferences/CPropSheet.h"
#include "ui/preferences/CResults.h"
#include "ui/widgets/SortedLists.h"

namespace korvane {

namespace {

// The category list's entry that reads exactly `text`, letter case included; -1 when none. A
// case-blind match could pick a custom category whose name differs only in case, and the list
// would then show one category while the unit lists show another.
int FindCategoryEntry(const QComboBox* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == text)
            return i;
    }
    return -1;
}

}  // namespace

// The window's own modal run does not count; a Find, Help, About or message box on top of it
// does, so a key or a click that reaches the window then does nothing.
bool CConverterDlg::anotherDialogOpen() const {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != this;
}

// The whole result goes to the clipboard, even while the input box has the focus; the
// selection stays in the output box. An empty result leaves the clipboard as it was.
void CConverterDlg::OnCopyOutput() {
    if (anotherDialogOpen())
        return;
    QLineEdit* output = widgets_.outputEdit;
    output->selectAll();
    if (!output->text().isEmpty())
        services_.setClipboardText(output->text());
}

void CConverterDlg::OnFind() {
    if (anotherDialogOpen())
        return;
    CSearchUnits search(state_.catalogue, this);
    if (search.exec() != QDialog::Accepted || search.selectedPosition() < 0)
        return;
    showFoundUnit(search);
}

void CConverterDlg::showFoundUnit(const CSearchUnits& search) {
    const int category = search.categoryIndex();
    if (!listCategory(category))
        return;
    m_nCurrentCategory = category;
    FillUnitLists();
    const int unit =
        LastUnitEntry(widgets_.inputUnitList, QString::fromStdString(search.unitName()));
    SelectRow(widgets_.inputUnitList, unit);
    SelectRow(widgets_.outputUnitList, unit);
    UpdateConversion();
}

bool CConverterDlg::listCategory(int category) {
    if (!UnitCatalogue::IsCategoryIndex(category))
        return false;
    const QString name = QString::fromStdString(state_.catalogue.CategoryName(category));
    int position = FindCategoryEntry(widgets_.categoryList, name);
    if (position < 0) {
        // Only a hidden built-in category can be listed; a custom one is listed whenever it
        // exists.
        if (category >= kBuiltInCategories)
            return false;
        // Listed for the rest of the run, and stored as visible when the window closes.
        state_.visibility.SetFlag(category, 1);
        position = InsertSorted(widgets_.categoryList, name);
    }
    SelectRow(widgets_.categoryList, position);
    return true;
}

void CConverterDlg::OnInvert() {
    if (anotherDialogOpen())
        return;
    const int from = SelectedRow(widgets_.inputUnitList);
    const int to = SelectedRow(widgets_.outputUnitList);
    SelectRow(widgets_.inputUnitList, to);
    SelectRow(widgets_.outputUnitList, from);
    UpdateConversion();
}

// A desktop without a calculator leaves the command without effect, and without a message.
void CConverterDlg::OnCalculator() {
    if (anotherDialogOpen())
        return;
    services_.startCalculator();
}

void CConverterDlg::OnHelp() {
    if (anotherDialogOpen())
        return;
    CHelpDialog help(state_.settings, this);
    help.exec();
}

void CConverterDlg::OnAbout() {
    if (anotherDialogOpen())
        return;
    CAboutDlg about(services_, addresses_, this, pictureNames_.banner);
    about.exec();
}

void CConverterDlg::OnProductPage() {
    openPage(addresses_.product);
}

void CConverterDlg::OnHomePage() {
    openPage(addresses_.home);
}

// A page that no browser opens is not reported.
void CConverterDlg::openPage(const QString& address) {
    if (anotherDialogOpen() || address.isEmpty())
        return;
    services_.openUrl(address);
}

void CConverterDlg::OnFileExit() {
    saveDisplaySettings();
    saveAllUnitsPane();
    done(QDialog::Rejected);
}

void CConverterDlg::OnPreferences() {
    if (anotherDialogOpen())
        return;
    const std::unique_ptr<CPropSheet> sheet = createPreferencesSheet();
    const int result = sheet->exec();
    applyPreferences(*sheet, result);
}

std::unique_ptr<CPropSheet> CConverterDlg::createPreferencesSheet() {
    const PreferencesContext context{state_, services_, writeReporter_,
                                     [this](bool on) { SetOnTop(on); }};
    auto sheet = std::make_unique<CPropSheet>(context, this);
    // Custom categories and units reach the window the moment the page changes them.
    connect(&sheet->customPage(), &CCustom::catalogueChanged, this,
            &CConverterDlg::OnCatalogueChanged);
    return sheet;
}

// What General and Custom did is already done, OK or not; Result Format and Visible
// Categories count only on OK.
void CConverterDlg::applyPreferences(const CPropSheet& sheet, int result) {
    // The Custom page may have changed units, even when the sheet was cancelled.
    freeForm_.CatalogueChanged();
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
