#include "catalogue/UnitCatalogue.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "catalogue/BuiltInUnitTable.h"

namespace korvane {

namespace {

const UnitRecord& EmptyRecord() {
    static const UnitRecord empty;
    return empty;
}

const UnitRecord& FreeCustomRecord() {
    static const UnitRecord free{std::string(), std::string(kNoAbbreviation), 0.0};
    return free;
}

}  // namespace

UnitCatalogue::UnitCatalogue() = default;

void UnitCatalogue::LoadBuiltInTables() {
    const auto table = BuiltInUnitTable();
    for (int c = 0; c < kMaxCategories; ++c) {
        std::vector<UnitRecord>& row = rows_[c];
        const bool builtIn = c < static_cast<int>(table.size());
        const auto units = builtIn ? table[c].units : std::span<const BuiltInUnit>();
        const int count = std::min<int>(static_cast<int>(units.size()), kMaxUnitsPerCategory);
        row.clear();
        row.reserve(kRecordsPerCategory);
        const std::string_view name = builtIn ? table[c].name : kFreeSlotName;
        row.push_back(UnitRecord{std::string(name), std::string(kNoAbbreviation), double(count)});
        for (int u = 0; u < count; ++u) {
            row.push_back(UnitRecord{std::string(units[u].name), std::string(units[u].abbreviation),
                                     units[u].factor});
        }
    }
}

int UnitCatalogue::UnitCount(int category) const {
    if (!IsCategoryIndex(category) || rows_[category].empty())
        return 0;
    return static_cast<int>(rows_[category].size()) - 1;
}

const std::string& UnitCatalogue::CategoryName(int category) const {
    return Record(category, 0).name;
}

const UnitRecord& UnitCatalogue::Unit(int category, int unitIndex) const {
    if (unitIndex < 0)
        return EmptyRecord();
    return Record(category, unitIndex + 1);
}

const UnitRecord& UnitCatalogue::Record(int category, int record) const {
    if (!IsCategoryIndex(category) || record < 0 || record >= kRecordsPerCategory)
        return EmptyRecord();
    const std::vector<UnitRecord>& row = rows_[category];
    if (record < static_cast<int>(row.size()))
        return row[record];
    return IsCustomCategory(category) ? FreeCustomRecord() : EmptyRecord();
}

std::optional<int> UnitCatalogue::TryFindCategory(std::string_view name) const {
    std::optional<int> found;
    for (int c = 0; c < kMaxCategories; ++c) {
        if (CategoryName(c) == name)
            found = c;
    }
    return found;
}

std::optional<int> UnitCatalogue::TryFindUnit(int category, std::string_view name) const {
    const int count = UnitCount(category);
    std::optional<int> found;
    for (int record = 1; record <= count; ++record) {
        if (rows_[category][record].name == name)
            found = record - 1;
    }
    return found;
}

bool UnitCatalogue::IsFreeSlot(int category) const {
    return IsCustomCategory(category) && CategoryName(category) == kFreeSlotName;
}

void UnitCatalogue::SetCategoryName(int category, std::string name) {
    if (IsCategoryIndex(category) && !rows_[category].empty())
        rows_[category][0].name = std::move(name);
}

bool UnitCatalogue::AppendUnit(int category, std::string name, double factor) {
    if (!IsCategoryIndex(category) || rows_[category].empty() ||
        UnitCount(category) >= kMaxUnitsPerCategory)
        return false;
    std::vector<UnitRecord>& row = rows_[category];
    // A new unit takes the abbreviation its free record had: none in a built-in row, the
    // "no abbreviation" marker in a custom row.
    row.push_back(UnitRecord{std::move(name),
                             Record(category, UnitCount(category) + 1).abbreviation, factor});
    SetUnitCount(category);
    return true;
}

bool UnitCatalogue::RemoveUnit(int category, int unitIndex) {
    if (!IsCategoryIndex(category) || unitIndex < 0 || unitIndex >= UnitCount(category))
        return false;
    std::vector<UnitRecord>& row = rows_[category];
    row.erase(row.begin() + unitIndex + 1);
    SetUnitCount(category);
    return true;
}

void UnitCatalogue::FreeCustomCategory(int category) {
    if (!IsCustomCategory(category) || rows_[category].empty())
        return;
    rows_[category].resize(1);
    rows_[category][0].name = kFreeSlotName;
    SetUnitCount(category);
}

bool UnitCatalogue::SameRow(const UnitCatalogue& other, int category) const {
    return IsCategoryIndex(category) && rows_[category] == other.rows_[category];
}

void UnitCatalogue::CopyRow(const UnitCatalogue& other, int category) {
    if (!IsCategoryIndex(category))
        return;
    rows_[category] = other.rows_[category];
    // Adding units must still never reallocate the row.
    rows_[category].reserve(kRecordsPerCategory);
}

void UnitCatalogue::SetUnitCount(int category) {
    rows_[category][0].factor = double(rows_[category].size() - 1);
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
