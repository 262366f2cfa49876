#include "ui/main/AllUnitsModel.h"

#include "catalogue/CaseFold.h"
#include "catalogue/FindEntries.h"
#include "ui/widgets/SortedLists.h"

namespace korvane {

namespace {

bool SameConversion(const ConversionRequest& a, const ConversionRequest& b) {
    return a.category == b.category && a.fromUnit == b.fromUnit && a.input == b.input &&
           a.format.mode == b.format.mode && a.format.precision == b.format.precision;
}

}  // namespace

AllUnitsModel::AllUnitsModel(const UnitCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {
    request_.printEvaluation = false;
}

void AllUnitsModel::setCategory(int category) {
    beginResetModel();
    category_ = category;
    units_.clear();
    QStringList names;
    const int count = UnitCatalogue::IsCategoryIndex(category) ? catalogue_.UnitCount(category) : 0;
    for (int unit = 0; unit < count; ++unit)
        names.push_back(QString::fromStdString(catalogue_.UnitName(category, unit)));
    // Each listed name stands for the unit the conversion request finds under it.
    for (const QString& name : SortedForList(std::move(names))) {
        const std::string text = name.toStdString();
        const int unit = catalogue_.TryFindUnit(category, text).value_or(0);
        const UnitRecord& record = catalogue_.Unit(category, unit);
        units_.push_back(
            Unit{unit, name, FoldCase(UnitEntryText(record.name, record.abbreviation))});
    }
    values_.assign(units_.size(), std::nullopt);
    applyFilter();
    endResetModel();
}

void AllUnitsModel::setConversion(const ConversionRequest& request, bool valuesShown) {
    if (SameConversion(request, request_) && valuesShown == valuesShown_)
        return;
    request_.category = request.category;
    request_.fromUnit = request.fromUnit;
    request_.input = request.input;
    request_.format = request.format;
    valuesShown_ = valuesShown;
    values_.assign(units_.size(), std::nullopt);
    if (!shown_.empty())
        emit dataChanged(index(0, ValueColumn), index(rowCount() - 1, ValueColumn));
}

void AllUnitsModel::setFilter(const QString& text) {
    const std::string folded = FoldCase(text.toStdString());
    if (folded == foldedFilter_)
        return;
    beginResetModel();
    foldedFilter_ = folded;
    applyFilter();
    endResetModel();
}

void AllUnitsModel::applyFilter() {
    shown_.clear();
    for (int i = 0; i < static_cast<int>(units_.size()); ++i) {
        if (ContainsFolded(units_[i].folded, foldedFilter_))
            shown_.push_back(i);
    }
}

const AllUnitsModel::Unit* AllUnitsModel::shownUnit(int row) const {
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return nullptr;
    return &units_[shown_[row]];
}

int AllUnitsModel::unitAt(int row) const {
    const Unit* unit = shownUnit(row);
    return unit != nullptr ? unit->index : -1;
}

QString AllUnitsModel::nameAt(int row) const {
    const Unit* unit = shownUnit(row);
    return unit != nullptr ? unit->name : QString();
}

QString AllUnitsModel::valueAt(int row) const {
    if (!valuesShown_ || shownUnit(row) == nullptr)
        return {};
    std::optional<QString>& value = values_[shown_[row]];
    if (!value) {
        ConversionRequest request = request_;
        request.toUnit = shownUnit(row)->name.toStdString();
        const ConversionResult result = RunConversionRequest(catalogue_, request);
        value = QString::fromStdString(result.output);
    }
    return *value;
}

int AllUnitsModel::rowOfName(const QString& name) const {
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
        if (units_[shown_[row]].name == name)
            return row;
    }
    return -1;
}

int AllUnitsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int AllUnitsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AllUnitsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    if (index.column() == UnitColumn)
        return nameAt(index.row());
    return valueAt(index.row());
}

QVariant AllUnitsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == UnitColumn ? QStringLiteral("Unit") : QStringLiteral("Value");
}

}  // namespace korvane
