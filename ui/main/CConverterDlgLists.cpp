// The category list, the two unit lists and the live conversion of the converter window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>

#include "app/ConversionRequest.h"
#include "app/ConverterState.h"
#include "catalogue/Utf8.h"
#include "ui/main/AllUnitsPane.h"
#include "ui/main/CConverterDlg.h"
#include "ui/widgets/SortedLists.h"

namespace korvane {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// Remembered positions can only address the category list's first 47 entries.
constexpr int kMaxCategoryPosition = kMaxCategories;

// A remembered position that the list no longer has (the file was edited, or the list got
// shorter) selects the first unit: a list without selection would leave nothing to convert.
int PositionInList(const QListWidget* list, int position) {
    return position >= 0 && position < list->count() ? position : 0;
}

}  // namespace

void CConverterDlg::FillCategoryList() {
    QStringList names;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        if (state_.visibility.IsVisible(c))
            names.push_back(ToQString(state_.catalogue.CategoryName(c)));
    }
    for (int c = kFirstCustomCategory; c < kMaxCategories; ++c) {
        const std::string& name = state_.catalogue.CategoryName(c);
        // Characters, not bytes: the settings file treats a one-character name ("Ω") as a
        // free entry, so listing it would show a category that the next start has lost.
        if (!state_.catalogue.IsFreeSlot(c) && CharacterCount(name) >= 2)
            names.push_back(ToQString(name));
    }
    {
        const QSignalBlocker blocker(widgets_.categoryList);
        widgets_.categoryList->clear();
        widgets_.categoryList->addItems(SortedForList(std::move(names)));
    }
    fitCategoryBox();
}

// Wide enough for every built-in name, shown or hidden, so the window keeps its width when the
// visible categories change; and for the custom names listed.
void CConverterDlg::fitCategoryBox() {
    QStringList names;
    for (int c = 0; c < kBuiltInCategories; ++c)
        names.push_back(ToQString(state_.catalogue.CategoryName(c)));
    for (int i = 0; i < widgets_.categoryList->count(); ++i)
        names.push_back(widgets_.categoryList->itemText(i));
    widgets_.categoryList->fitNames(names, dluX(kCategoryBoxWidth));
}

void CConverterDlg::FillUnitLists() {
    QStringList names;
    const int count = state_.catalogue.UnitCount(m_nCurrentCategory);
    names.reserve(count);
    for (int unit = 0; unit < count; ++unit) {
        names.push_back(ToQString(state_.catalogue.UnitName(m_nCurrentCategory, unit)));
    }
    names = SortedForList(std::move(names));
    for (QListWidget* list : {widgets_.inputUnitList, widgets_.outputUnitList}) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(names);
    }
    if (allUnitsPane_ != nullptr)
        allUnitsPane_->showCategory(m_nCurrentCategory);
}

void CConverterDlg::RestoreLastSelection() {
    FillCategoryList();
    const RememberedSelection remembered = readRememberedSelection();
    int position = FindPrefix(widgets_.categoryList, ToQString(remembered.category));
    if (position < 0 || position >= kMaxCategoryPosition)
        position = 0;
    SelectRow(widgets_.categoryList, position);
    if (widgets_.categoryList->currentIndex() < 0) {
        clearUnitLists();
        return;
    }
    m_nCurrentCategory =
        state_.catalogue.FindCategory(widgets_.categoryList->currentText().toStdString());
    FillUnitLists();
    SelectRow(widgets_.inputUnitList, PositionInList(widgets_.inputUnitList, remembered.from));
    SelectRow(widgets_.outputUnitList, PositionInList(widgets_.outputUnitList, remembered.to));
}

void CConverterDlg::OnSelchangeCategory() {
    if (widgets_.categoryList->currentIndex() < 0)
        return;
    m_nCurrentCategory =
        state_.catalogue.FindCategory(widgets_.categoryList->currentText().toStdString());
    FillUnitLists();
    selectFirstUnits();
    UpdateConversion();
}

// Only a change of category starts the unit lists afresh; choosing the category already shown
// keeps the units the user picked.
void CConverterDlg::onCategoryActivated() {
    if (widgets_.categoryList->currentIndex() < 0)
        return;
    const int chosen =
        state_.catalogue.FindCategory(widgets_.categoryList->currentText().toStdString());
    const bool listsShowIt = widgets_.inputUnitList->count() == state_.catalogue.UnitCount(chosen);
    if (chosen == m_nCurrentCategory && listsShowIt)
        return;
    OnSelchangeCategory();
}

// Nothing is listed at all: no category, so no units to convert between.
void CConverterDlg::clearUnitLists() {
    m_nCurrentCategory = 0;
    for (QListWidget* list : {widgets_.inputUnitList, widgets_.outputUnitList}) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    if (allUnitsPane_ != nullptr)
        allUnitsPane_->showCategory(-1);
}

void CConverterDlg::selectFirstUnits() {
    SelectRow(widgets_.inputUnitList, 0);
    SelectRow(widgets_.outputUnitList, 0);
}

std::optional<std::string> CConverterDlg::selectedUnitText(const QListWidget* list) const {
    const int row = SelectedRow(list);
    if (row < 0)
        return std::nullopt;
    return list->item(row)->text().toStdString();
}

ConversionRequest CConverterDlg::conversionRequest() const {
    ConversionRequest request;
    request.category = m_nCurrentCategory;
    request.fromUnit = selectedUnitText(widgets_.inputUnitList);
    request.toUnit = selectedUnitText(widgets_.outputUnitList);
    request.input = widgets_.inputEdit->text().toStdString();
    request.format = state_.format;
    request.showAbbreviation = state_.showAbbreviation;
    request.printEvaluation = printDiagnostics_;
    return request;
}

void CConverterDlg::UpdateConversion() {
    if (!UnitCatalogue::IsCategoryIndex(m_nCurrentCategory))
        m_nCurrentCategory = 0;
    const ConversionRequest request = conversionRequest();
    const ConversionResult result = RunConversionRequest(state_.catalogue, request);
    if (!result.changed) {
        showInPane(request, result);
        clearResult();
        return;
    }
    const QString error = ToQString(ErrorDescription(result));
    if (FreeFormInput::ShouldRead(state_.catalogue, m_nCurrentCategory, result)) {
        showFreeFormAnswer(request, result,
                           freeForm_.Read(state_.catalogue, request.input, m_nCurrentCategory, error));
        return;
    }
    showResult(request, result, error, QString());
}

void CConverterDlg::showInPane(const ConversionRequest& request, const ConversionResult& result) {
    if (allUnitsPane_ != nullptr)
        allUnitsPane_->showConversion(request, result);
}

// `error` says why there is no value, `note` how a typed conversion was read; the output box's
// tooltip carries both, or the units' factor line when there is no error.
void CConverterDlg::showResult(const ConversionRequest& request, const ConversionResult& result,
                               const QString& error, const QString& note) {
    showInPane(request, result);
    widgets_.inputUnitLabel->setText(ToQString(result.fromLabel));
    widgets_.outputUnitLabel->setText(ToQString(result.toLabel));
    nameUnitLabels();
    widgets_.outputEdit->setText(ToQString(result.output));
    // Long results show their beginning, as the input box does.
    widgets_.outputEdit->setCursorPosition(0);
    const QString tip = error.isEmpty() ? outputToolTip(request, result) : error;
    QStringList toolTip;
    for (const QString& line : {note, tip}) {
        if (!line.isEmpty())
            toolTip.push_back(line);
    }
    widgets_.outputEdit->setToolTip(toolTip.join(QLatin1Char('\n')));
    describeResult(widgets_.outputEdit->text(),
                   ToQString(result.toLabel.substr(0, result.toLabel.find('\n'))), error, note);
}

void CConverterDlg::showFreeFormAnswer(const ConversionRequest& request,
                                       const ConversionResult& rejected,
                                       const FreeFormAnswer& answer) {
    if (answer.selection && showReading(*answer.selection))
        return;
    showResult(request, rejected, answer.refusal, QString());
}

// The lists move as a user would move them, and only as far as the reading needs: the
// category when it changes, the to-list only when the text names a target.
bool CConverterDlg::showReading(const ReadingSelection& selection) {
    const bool categoryChanges = selection.category != m_nCurrentCategory;
    if (categoryChanges) {
        if (!listCategory(selection.category))
            return false;
        m_nCurrentCategory = selection.category;
        FillUnitLists();
    }
    SelectRow(widgets_.inputUnitList, LastUnitEntry(widgets_.inputUnitList, selection.fromUnit));
    if (selection.toUnit) {
        SelectRow(widgets_.outputUnitList,
                  LastUnitEntry(widgets_.outputUnitList, *selection.toUnit));
    } else if (categoryChanges || SelectedRow(widgets_.outputUnitList) < 0) {
        SelectRow(widgets_.outputUnitList, 0);
    }
    ConversionRequest request = conversionRequest();
    request.input = selection.input;
    const ConversionResult result = RunConversionRequest(state_.catalogue, request);
    if (!result.changed) {
        showInPane(request, result);
        clearResult();
        return true;
    }
    showResult(request, result, ToQString(ErrorDescription(result)), selection.echo);
    return true;
}

// Nothing to convert (no units, or no unit chosen): a number left in the output box would read
// as the result for what is on screen now.
void CConverterDlg::clearResult() {
    widgets_.inputUnitLabel->clear();
    widgets_.outputUnitLabel->clear();
    nameUnitLabels();
    widgets_.outputEdit->clear();
    widgets_.outputEdit->setToolTip(QString());
    describeResult(QString(), QString(), QString());
}

// Drops every entry that no longer names a category in use. The custom-category operation
// frees the row before the window hears of it, so the entry is found by what is gone, not by
// the row's (already reset) name.
void CConverterDlg::removeUnlistedCategoryEntries(bool currentWasRemoved) {
    const UnitCatalogue& catalogue = state_.catalogue;
    bool selectedWasRemoved = false;
    for (int position = widgets_.categoryList->count() - 1; position >= 0; --position) {
        const std::string text = widgets_.categoryList->itemText(position).toStdString();
        const int category = catalogue.FindCategory(text);
        if (catalogue.CategoryName(category) == text && !catalogue.IsFreeSlot(category))
            continue;
        selectedWasRemoved |= position == widgets_.categoryList->currentIndex();
        const QSignalBlocker blocker(widgets_.categoryList);
        widgets_.categoryList->removeItem(position);
    }
    fitCategoryBox();
    if (widgets_.categoryList->count() == 0) {
        clearUnitLists();
    } else if (selectedWasRemoved || currentWasRemoved) {
        SelectRow(widgets_.categoryList, 0);
        OnSelchangeCategory();
    }
}

void CConverterDlg::OnCatalogueChanged(int index, CatalogueAction action) {
    freeForm_.CatalogueChanged();
    if (!UnitCatalogue::IsCategoryIndex(index))
        return;
    const QString name = ToQString(state_.catalogue.CategoryName(index));
    switch (action) {
        case CatalogueAction::CategoryInserted:
            if (UnitCatalogue::IsCustomCategory(index) && !state_.catalogue.IsFreeSlot(index) &&
                FindExact(widgets_.categoryList, name) < 0) {
                InsertSorted(widgets_.categoryList, name);
                fitCategoryBox();
                // The first entry of an empty list is shown as selected at once; make it the
                // current category too, so the list and the unit lists stay in step.
                if (widgets_.categoryList->count() == 1)
                    OnSelchangeCategory();
            }
            return;
        case CatalogueAction::CategoryDeleted:
            if (!UnitCatalogue::IsCustomCategory(index))
                return;
            if (!state_.catalogue.IsFreeSlot(index))
                state_.catalogue.FreeCustomCategory(index);
            removeUnlistedCategoryEntries(index == m_nCurrentCategory);
            return;
        case CatalogueAction::UnitDeleted:
            if (const int position = FindExact(widgets_.categoryList, name); position >= 0) {
                SelectRow(widgets_.categoryList, position);
                OnSelchangeCategory();
            } else if (index == m_nCurrentCategory) {
                FillUnitLists();
                selectFirstUnits();
                UpdateConversion();
            }
            return;
        case CatalogueAction::UnitInserted:
            OnSelchangeCategory();
            return;
        case CatalogueAction::Refreshed:
            takeRefreshedCatalogue();
            return;
    }
}

// Another copy of the program changed the custom categories or units: the list takes in the
// categories that came, drops those that went, and shows the current category's units again.
void CConverterDlg::takeRefreshedCatalogue() {
    for (int row = kFirstCustomCategory; row < kMaxCategories; ++row) {
        const QString name = ToQString(state_.catalogue.CategoryName(row));
        if (!state_.catalogue.IsFreeSlot(row) && FindExact(widgets_.categoryList, name) < 0) {
            const QSignalBlocker blocker(widgets_.categoryList);
            InsertSorted(widgets_.categoryList, name);
        }
    }
    removeUnlistedCategoryEntries(false);
    if (widgets_.categoryList->count() > 0)
        OnSelchangeCategory();
}

// After a change of visibility: the list as a start-up fills it, back on its first entry.
void CConverterDlg::rebuildCategoryList() {
    FillCategoryList();
    SelectRow(widgets_.categoryList, 0);
    if (widgets_.categoryList->currentIndex() < 0) {
        clearUnitLists();
        return;
    }
    OnSelchangeCategory();
}

}  // namespace korvane
