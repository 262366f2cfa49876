// The converter window's all-units pane and the copies that carry the unit along.
#include <QAction>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMenu>

#include "app/ConversionRequest.h"
#include "app/ConverterState.h"
#include "catalogue/Conversion.h"
#include "catalogue/ConversionFactor.h"
#include "platform/DesktopServices.h"
#include "ui/main/AllUnitsPane.h"
#include "ui/main/CConverterDlg.h"

#include <optional>
#include "ui/widgets/SortedLists.h"

namespace korvane {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// The last entry that reads exactly `text`, as the conversion request finds units; -1 when none.
int LastEntry(const QListWidget* list, const QString& text) {
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->text() == text)
            return i;
    }
    return -1;
}

// A result worth copying: converted, and no error in it.
bool Copyable(const ConversionResult& result) {
    return result.changed && result.output != kErrorText && result.errorMessage.empty();
}

}  // namespace

// An error keeps its message; a result shows how its units relate.
QString CConverterDlg::outputToolTip(const ConversionRequest& request,
                                     const ConversionResult& result) const {
    const QString error = ToQString(ErrorDescription(result));
    if (!error.isEmpty() || !result.changed || result.output == kErrorText)
        return error;
    const int from = state_.catalogue.FindUnit(request.category, *request.fromUnit);
    const int to = state_.catalogue.FindUnit(request.category, *request.toUnit);
    return ToQString(FactorLine(state_.catalogue, request.category, from, to));
}

void CConverterDlg::OnAllUnits() {
    if (anotherDialogOpen())
        return;
    showAllUnitsPane(allUnitsPane_ == nullptr || allUnitsPane_->isHidden());
}

void CConverterDlg::showAllUnitsPane(bool open) {
    if (!open && allUnitsPane_ == nullptr)
        return;
    if (allUnitsPane_ == nullptr)
        buildAllUnitsPane();
    allUnitsPane_->setVisible(open);
}

void CConverterDlg::buildAllUnitsPane() {
    allUnitsPane_ = new AllUnitsPane(state_.catalogue, services_, this);
    allUnitsPane_->hide();
    static_cast<QBoxLayout*>(layout())->addWidget(allUnitsPane_);
    connect(allUnitsPane_, &AllUnitsPane::targetChosen, this,
            [this](const QString& name) { choosePaneUnit(widgets_.outputUnitList, name); });
    connect(allUnitsPane_, &AllUnitsPane::sourceChosen, this,
            [this](const QString& name) { choosePaneUnit(widgets_.inputUnitList, name); });
    allUnitsPane_->showCategory(widgets_.inputUnitList->count() > 0 ? m_nCurrentCategory : -1);
    const ConversionRequest request = conversionRequest();
    allUnitsPane_->showConversion(request, RunConversionRequest(state_.catalogue, request));
}

// The unit becomes the list's selection, as a click in the list would make it; the input stays.
void CConverterDlg::choosePaneUnit(UnitList* list, const QString& name) {
    const int row = LastEntry(list, name);
    if (row < 0 || row == SelectedRow(list))
        return;
    SelectRow(list, row);
    list->scrollToItem(list->item(row));
    UpdateConversion();
}

// The quiet conversion of what the window shows, for the copy commands; none when there is
// nothing worth copying.
std::optional<ConversionResult> CConverterDlg::copyableConversion(
    const ConversionRequest& request) const {
    ConversionRequest quiet = request;
    quiet.printEvaluation = false;
    ConversionResult result = RunConversionRequest(state_.catalogue, quiet);
    if (!Copyable(result))
        return std::nullopt;
    return result;
}

void CConverterDlg::OnCopyWithUnit() {
    if (anotherDialogOpen())
        return;
    const ConversionRequest request = conversionRequest();
    const auto result = copyableConversion(request);
    if (!result)
        return;
    const int to = state_.catalogue.FindUnit(request.category, *request.toUnit);
    services_.setClipboardText(
        ToQString(ValueWithUnit(state_.catalogue, request.category, to, result->output)));
}

// The input side is written as the output box would write it with the source unit as the
// target, so "2*3" reads "6" and the two sides share their format.
void CConverterDlg::OnCopyConversion() {
    if (anotherDialogOpen())
        return;
    const ConversionRequest request = conversionRequest();
    const auto result = copyableConversion(request);
    if (!result)
        return;
    ConversionRequest inputRequest = request;
    inputRequest.toUnit = request.fromUnit;
    const auto input = copyableConversion(inputRequest);
    if (!input)
        return;
    const int from = state_.catalogue.FindUnit(request.category, *request.fromUnit);
    const int to = state_.catalogue.FindUnit(request.category, *request.toUnit);
    services_.setClipboardText(ToQString(ConversionLine(state_.catalogue, request.category, from,
                                                        to, input->output, result->output)));
}

std::unique_ptr<QMenu> CConverterDlg::createOutputMenu() {
    std::unique_ptr<QMenu> menu(widgets_.outputEdit->createStandardContextMenu());
    menu->setObjectName(QStringLiteral("outputMenu"));
    menu->addSeparator();
    const auto add = [&menu](const char* text, const char* name) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(add("Copy with unit\tCtrl+Shift+C", "actionCopyWithUnit"), &QAction::triggered, this,
            &CConverterDlg::OnCopyWithUnit);
    connect(add("Copy conversion", "actionCopyConversion"), &QAction::triggered, this,
            &CConverterDlg::OnCopyConversion);
    QAction* showAll = add("Show all units\tF9", "actionShowAllUnits");
    showAll->setCheckable(true);
    showAll->setChecked(allUnitsPane_ != nullptr && !allUnitsPane_->isHidden());
    connect(showAll, &QAction::triggered, this, &CConverterDlg::OnAllUnits);
    return menu;
}

void CConverterDlg::showOutputMenu(const QPoint& at) {
    const std::unique_ptr<QMenu> menu = createOutputMenu();
    menu->exec(widgets_.outputEdit->mapToGlobal(at));
}

}  // namespace korvane
