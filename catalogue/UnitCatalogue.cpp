#include "catalogue/UnitCatalogue.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "catalogue/BuiltInUnitTable.h"

namespace korvane {

namespace {

const UnitRecord& EmptyRecord() {
    static const UnitRecord empty;
    return empty;
}

}  // namespace

UnitCatalogue::UnitCatalogue()
    : rows_(std::make_unique<std::array<CategoryTable, kMaxCategories>>()) {}

void UnitCatalogue::LoadBuiltInTables() {
    *rows_ = {};
    const auto table = BuiltInUnitTable();
    for (int c = 0; c < kMaxCategories; ++c) {
        CategoryTable& row = (*rows_)[c];
        if (c < static_cast<int>(table.size())) {
            const BuiltInCategory& source = table[c];
            const int count =
                std::min<int>(static_cast<int>(source.units.size()), kMaxUnitsPerCategory);
            for (int u = 0; u < count; ++u) {
                const BuiltInUnit& unit = source.units[u];
                row[u + 1] =
                    UnitRecord{std::string(unit.name), std::string(unit.abbreviation), unit.factor};
            }
            row[0] =
                UnitRecord{std::string(source.name), std::string(kNoAbbreviation), double(count)};
        } else {
            row[0] = UnitRecord{std::string(kFreeSlotName), std::string(kNoAbbreviation), 0.0};
        }
    }
    // Custom rows carry the "no abbreviation" marker in every record, so a custom unit added
    // there is labelled by its name alone, while one added to a built-in row gets "".
    for (int c = kFirstCustomCategory; c < kMaxCategories; ++c) {
        for (UnitRecord& record : (*rows_)[c])
            record.abbreviation = kNoAbbreviation;
    }
}

int UnitCatalogue::UnitCount(int category) const {
    if (!IsCategoryIndex(category))
        return 0;
    const double stored = (*rows_)[category][0].factor;
    if (!std::isfinite(stored) || stored <= 0.0)
        return 0;
    return std::min(static_cast<int>(stored), kMaxUnitsPerCategory);
}

const std::string& UnitCatalogue::CategoryName(int category) const {
    return IsCategoryIndex(category) ? (*rows_)[category][0].name : EmptyRecord().name;
}

const UnitRecord& UnitCatalogue::Unit(int category, int unitIndex) const {
    if (!IsCategoryIndex(category) || unitIndex < 0 || unitIndex >= kMaxUnitsPerCategory) {
        return EmptyRecord();
    }
    return (*rows_)[category][unitIndex + 1];
}

const CategoryTable& UnitCatalogue::Row(int category) const {
    return (*rows_)[IsCategoryIndex(category) ? category : 0];
}

int UnitCatalogue::FindCategory(std::string_view name) const {
    int found = 0;
    for (int c = 0; c < kMaxCategories; ++c) {
        if ((*rows_)[c][0].name == name)
            found = c;
    }
    return found;
}

int UnitCatalogue::FindUnit(int category, std::string_view name) const {
    if (!IsCategoryIndex(category))
        return 0;
    const CategoryTable& row = (*rows_)[category];
    const int count = UnitCount(category);
    int found = 0;
    for (int record = 1; record <= count; ++record) {
        if (row[record].name == name)
            found = record - 1;
    }
    return found;
}

bool UnitCatalogue::IsFreeSlot(int category) const {
    return IsCustomCategory(category) && (*rows_)[category][0].name == kFreeSlotName;
}

void UnitCatalogue::SetCategoryName(int category, std::string name) {
    if (IsCategoryIndex(category))
        (*rows_)[category][0].name = std::move(name);
}

bool UnitCatalogue::AppendUnit(int category, std::string name, double factor) {
    const int count = UnitCount(category);
    if (!IsCategoryIndex(category) || count >= kMaxUnitsPerCategory)
        return false;
    UnitRecord& record = (*rows_)[category][count + 1];
    record.name = std::move(name);
    record.factor = factor;
    SetUnitCount(category, count + 1);
    return true;
}

bool UnitCatalogue::RemoveUnit(int category, int unitIndex) {
    const int count = UnitCount(category);
    if (!IsCategoryIndex(category) || unitIndex < 0 || unitIndex >= count)
        return false;
    CategoryTable& row = (*rows_)[category];
    for (int record = unitIndex + 1; record < count; ++record)
        row[record] = std::move(row[record + 1]);
    row[count] = UnitRecord{std::string(), std::string(SlotAbbreviation(category)), 0.0};
    SetUnitCount(category, count - 1);
    return true;
}

void UnitCatalogue::FreeCustomCategory(int category) {
    if (!IsCustomCategory(category))
        return;
    CategoryTable& row = (*rows_)[category];
    for (UnitRecord& record : row)
        record = UnitRecord{std::string(), std::string(kNoAbbreviation), 0.0};
    row[0].name = kFreeSlotName;
}

void UnitCatalogue::SetUnitCount(int category, int count) {
    (*rows_)[category][0].factor = double(count);
}

std::string_view UnitCatalogue::SlotAbbreviation(int category) const {
    return IsCustomCategory(category) ? kNoAbbreviation : std::string_view();
}

CategoryVisibility::CategoryVisibility() {
    for (int c = 0; c < kBuiltInCategories; ++c)
        flags_[c] = DefaultFlag(c);
}

int CategoryVisibility::Flag(int category) const {
    return category >= 0 && category < kBuiltInCategories ? flags_[category] : 0;
}

void CategoryVisibility::SetFlag(int category, int flag) {
    if (category >= 0 && category < kBuiltInCategories)
        flags_[category] = flag;
}

int CategoryVisibility::DefaultFlag(int category) {
    const auto table = BuiltInUnitTable();
    if (category < 0 || category >= static_cast<int>(table.size()))
        return 0;
    return table[category].visibleByDefault ? 1 : 0;
}

}  // namespace korvane
