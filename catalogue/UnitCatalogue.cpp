#include "catalogue/UnitCatalogue.h"

#include <algorithm>
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

UnitRecord CopyRecord(const BuiltInUnit& unit) {
    return UnitRecord{std::string(unit.name), std::string(unit.abbreviation), unit.factor};
}

// The compiled-in units as strings, for the readers that hand out references to them. Built
// once, on first use, and never changed; shared by every catalogue of the process.
const std::vector<UnitRecord>& BuiltInRecords(int category) {
    static const auto rows = [] {
        std::array<std::vector<UnitRecord>, kBuiltInCategories> built;
        const auto table = BuiltInUnitTable();
        for (std::size_t c = 0; c < table.size() && c < built.size(); ++c) {
            const auto units = table[c].units.first(
                std::min<std::size_t>(table[c].units.size(), kMaxUnitsPerCategory));
            built[c].reserve(units.size());
            for (const BuiltInUnit& unit : units)
                built[c].push_back(CopyRecord(unit));
        }
        return built;
    }();
    return rows[category];
}

}  // namespace

UnitCatalogue::UnitCatalogue() = default;

void UnitCatalogue::LoadBuiltInTables() {
    const auto table = BuiltInUnitTable();
    for (int c = 0; c < kMaxCategories; ++c) {
        Row& row = rows_[c];
        const bool builtIn = c < static_cast<int>(table.size());
        const auto units = builtIn ? table[c].units : std::span<const BuiltInUnit>();
        row.loaded = true;
        row.builtIn = units.first(std::min<std::size_t>(units.size(), kMaxUnitsPerCategory));
        row.owned = !builtIn;
        row.units.clear();
        const std::string_view name = builtIn ? table[c].name : kFreeSlotName;
        row.header =
            UnitRecord{std::string(name), std::string(kNoAbbreviation), double(row.builtIn.size())};
    }
}

const std::string& UnitCatalogue::CategoryName(int category) const {
    if (IsCategoryIndex(category) && rows_[category].loaded)
        return rows_[category].header.name;
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
    const Row& row = rows_[category];
    if (row.loaded && record == 0)
        return row.header;
    if (row.loaded && record <= UnitCount(category)) {
        return row.owned ? row.units[record - 1] : BuiltInRecords(category)[record - 1];
    }
    return IsCustomCategory(category) ? FreeCustomRecord() : EmptyRecord();
}

std::optional<int> UnitCatalogue::TryFindCategory(std::string_view name) const {
    // From the end, since the last match wins.
    for (int c = kMaxCategories; c-- > 0;) {
        if (CategoryName(c) == name)
            return c;
    }
    return std::nullopt;
}

std::optional<int> UnitCatalogue::TryFindUnit(int category, std::string_view name) const {
    if (!IsCategoryIndex(category) || !rows_[category].loaded)
        return std::nullopt;
    // From the end, since the last match wins; every category is scanned for each text a
    // command-line conversion looks up, so this loop reads the row directly.
    const auto lastMatch = [name](const auto& units) -> std::optional<int> {
        for (std::size_t u = units.size(); u-- > 0;) {
            if (std::string_view(units[u].name) == name)
                return static_cast<int>(u);
        }
        return std::nullopt;
    };
    const Row& row = rows_[category];
    return row.owned ? lastMatch(row.units) : lastMatch(row.builtIn);
}

bool UnitCatalogue::IsFreeSlot(int category) const {
    return IsCustomCategory(category) && CategoryName(category) == kFreeSlotName;
}

void UnitCatalogue::SetCategoryName(int category, std::string name) {
    if (IsCategoryIndex(category) && rows_[category].loaded)
        rows_[category].header.name = std::move(name);
}

bool UnitCatalogue::AppendUnit(int category, std::string name, double factor) {
    if (!IsCategoryIndex(category) || !rows_[category].loaded ||
        UnitCount(category) >= kMaxUnitsPerCategory)
        return false;
    // A new unit takes the abbreviation its free record had: none in a built-in row, the
    // "no abbreviation" marker in a custom row.
    std::string abbreviation(UnitView(category, UnitCount(category)).abbreviation);
    OwnedUnits(category).push_back(UnitRecord{std::move(name), std::move(abbreviation), factor});
    SetUnitCount(category);
    return true;
}

bool UnitCatalogue::RemoveUnit(int category, int unitIndex) {
    if (!IsCategoryIndex(category) || unitIndex < 0 || unitIndex >= UnitCount(category))
        return false;
    std::vector<UnitRecord>& units = OwnedUnits(category);
    units.erase(units.begin() + unitIndex);
    SetUnitCount(category);
    return true;
}

void UnitCatalogue::FreeCustomCategory(int category) {
    if (!IsCustomCategory(category) || !rows_[category].loaded)
        return;
    OwnedUnits(category).clear();
    rows_[category].header.name = kFreeSlotName;
    SetUnitCount(category);
}

std::vector<UnitRecord>& UnitCatalogue::OwnedUnits(int category) {
    Row& row = rows_[category];
    row.units.reserve(kMaxUnitsPerCategory);
    if (!row.owned) {
        row.units.clear();
        for (const BuiltInUnit& unit : row.builtIn)
            row.units.push_back(CopyRecord(unit));
        row.owned = true;
    }
    return row.units;
}

bool UnitCatalogue::SameRow(const UnitCatalogue& other, int category) const {
    if (!IsCategoryIndex(category))
        return false;
    const Row& mine = rows_[category];
    const Row& theirs = other.rows_[category];
    if (mine.loaded != theirs.loaded || mine.header != theirs.header)
        return false;
    const int count = UnitCount(category);
    if (count != other.UnitCount(category))
        return false;
    for (int unit = 0; unit < count; ++unit) {
        const RecordView a = UnitView(category, unit);
        const RecordView b = other.UnitView(category, unit);
        if (a.name != b.name || a.abbreviation != b.abbreviation || a.factor != b.factor)
            return false;
    }
    return true;
}

void UnitCatalogue::CopyRow(const UnitCatalogue& other, int category) {
    if (!IsCategoryIndex(category))
        return;
    rows_[category] = other.rows_[category];
    // Adding units must still never reallocate the row.
    if (rows_[category].owned)
        rows_[category].units.reserve(kMaxUnitsPerCategory);
}

void UnitCatalogue::SetUnitCount(int category) {
    rows_[category].header.factor = double(UnitCount(category));
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
