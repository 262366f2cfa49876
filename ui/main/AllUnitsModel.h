#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "app/ConversionRequest.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The all-units table: one row per unit of the category, in the "Convert to" list's order, its
// value what the output box would show with that unit as the target. A value is converted only
// when the view asks for it, so a keystroke costs the rows on screen, not the whole category.
class AllUnitsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { UnitColumn = 0, ValueColumn = 1, ColumnCount = 2 };

    explicit AllUnitsModel(const UnitCatalogue& catalogue, QObject* parent = nullptr);

    // The rows of `category`, in list order; the filter stays.
    void setCategory(int category);
    // What every row converts: the request's source unit, input and format; its target is
    // each row's unit. `valuesShown` false leaves the value cells empty (an input in error).
    void setConversion(const ConversionRequest& request, bool valuesShown);
    // Keeps the rows whose "name [abbreviation]" contains `text`, ignoring case, as Find does.
    void setFilter(const QString& text);

    int category() const { return category_; }
    int unitCount() const { return static_cast<int>(units_.size()); }
    // The catalogue's unit index and name of a shown row; -1 and empty outside the rows.
    int unitAt(int row) const;
    QString nameAt(int row) const;
    QString valueAt(int row) const;
    // The shown row of the unit named exactly `name`; -1 when it is filtered out or absent.
    int rowOfName(const QString& name) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    struct Unit {
        int index = 0;
        QString name;
        std::string folded;  // "name [abbreviation]" through the core's case folding
    };
    const Unit* shownUnit(int row) const;
    void applyFilter();

    const UnitCatalogue& catalogue_;
    int category_ = -1;
    std::vector<Unit> units_;
    std::vector<int> shown_;  // positions into units_
    std::string foldedFilter_;
    ConversionRequest request_;
    bool valuesShown_ = false;
    // One formatted value per unit, filled as the view asks; emptied when the request changes.
    mutable std::vector<std::optional<QString>> values_;
};

}  // namespace korvane
