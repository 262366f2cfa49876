#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/BuiltInUnitTable.h"

namespace korvane {

inline constexpr int kMaxCategories = 47;
inline constexpr int kRecordsPerCategory = 179;
inline constexpr int kMaxUnitsPerCategory = kRecordsPerCategory - 1;
inline constexpr int kBuiltInCategories = 42;
inline constexpr int kFirstCustomCategory = kBuiltInCategories;
inline constexpr int kCustomCategorySlots = kMaxCategories - kBuiltInCategories;

// A custom slot is free while its header carries this name.
inline constexpr std::string_view kFreeSlotName = "Custom";
// The abbreviation that means "this unit has none".
inline constexpr std::string_view kNoAbbreviation = " ";

struct UnitRecord {
    std::string name;
    std::string abbreviation;
    double factor = 0.0;
    friend bool operator==(const UnitRecord&, const UnitRecord&) = default;
};

// The 47-row table every list, lookup and conversion reads. In each row, record 0 is the header
// {category name, " ", unit count} and records 1..count are the units; the remaining records up
// to 178 are free: empty in built-in rows, with the " " marker as abbreviation in custom rows.
// Texts are UTF-8 and compared byte for byte, so case and trailing blanks matter. Units are
// addressed by unit index (record number - 1); out-of-range indexes read as an empty record.
//
// Loading costs next to nothing: a built-in row reads its units from the compiled-in tables until
// it changes, and only then copies them into strings of its own (reserving all 178 units, so
// adding units to it never reallocates). The `...View` readers never build a string; the
// readers that hand out `const std::string&` build the strings of all built-in rows once per
// process, on first use. A command-line conversion therefore reads only views.
class UnitCatalogue {
  public:
    UnitCatalogue();

    // Fills all 47 rows from the compiled-in tables; the five custom rows become free slots.
    void LoadBuiltInTables();

    static bool IsCategoryIndex(int category) { return category >= 0 && category < kMaxCategories; }
    static bool IsCustomCategory(int category) {
        return category >= kFirstCustomCategory && category < kMaxCategories;
    }

    int UnitCount(int category) const;
    const std::string& CategoryName(int category) const;
    const UnitRecord& Unit(int category, int unitIndex) const;
    const std::string& UnitName(int category, int unitIndex) const {
        return Unit(category, unitIndex).name;
    }
    const std::string& UnitAbbreviation(int category, int unitIndex) const {
        return Unit(category, unitIndex).abbreviation;
    }
    std::string_view UnitNameView(int category, int unitIndex) const {
        return UnitView(category, unitIndex).name;
    }
    std::string_view UnitAbbreviationView(int category, int unitIndex) const {
        return UnitView(category, unitIndex).abbreviation;
    }
    double UnitFactor(int category, int unitIndex) const {
        return UnitView(category, unitIndex).factor;
    }
    // Any record 0..178 of a row, free ones included.
    const UnitRecord& Record(int category, int record) const;

    // Exact comparison; the last match wins; none when nothing matches.
    std::optional<int> TryFindCategory(std::string_view name) const;
    std::optional<int> TryFindUnit(int category, std::string_view name) const;
    // The same, with 0 (the first category, the first unit) for a miss, as the window's lists
    // expect; a caller that must tell a miss from the first entry uses the Try forms.
    int FindCategory(std::string_view name) const { return TryFindCategory(name).value_or(0); }
    int FindUnit(int category, std::string_view name) const {
        return TryFindUnit(category, name).value_or(0);
    }
    bool HasUnit(int category, std::string_view name) const {
        return TryFindUnit(category, name).has_value();
    }

    // True while a built-in row reads the compiled-in units: it has not changed since loading.
    bool ReadsCompiledInUnits(int category) const {
        return IsCategoryIndex(category) && rows_[category].loaded && !rows_[category].owned;
    }

    // True when a custom row is not in use (its header reads "Custom").
    bool IsFreeSlot(int category) const;

    // Changes made by the custom-unit storage and the Custom page.
    void SetCategoryName(int category, std::string name);
    // Appends after the last unit, keeping the slot's abbreviation; false when the row is full.
    bool AppendUnit(int category, std::string name, double factor);
    // Removes one unit and closes the gap; false for an index outside 0..count-1.
    bool RemoveUnit(int category, int unitIndex);
    // Turns a custom row back into a free slot with no units.
    void FreeCustomCategory(int category);

    // Whole rows compared with, or taken from, another catalogue: how a catalogue is brought up
    // to date with the settings file another copy of the program changed.
    bool SameRow(const UnitCatalogue& other, int category) const;
    void CopyRow(const UnitCatalogue& other, int category);

    // A unit's texts without building a string: what a pass over many units reads.
    struct RecordView {
        std::string_view name;
        std::string_view abbreviation;
        double factor = 0.0;
    };
    RecordView UnitView(int category, int unitIndex) const;

  private:
    struct Row {
        bool loaded = false;
        UnitRecord header;
        // While `owned` is false the units are the compiled-in ones; from the first change on
        // they live in `units`.
        bool owned = false;
        std::span<const BuiltInUnit> builtIn;
        std::vector<UnitRecord> units;
    };

    // The row's units as strings of its own, copied from the compiled-in table on first change.
    std::vector<UnitRecord>& OwnedUnits(int category);
    // The header's factor holds the count, as every reader of the table expects.
    void SetUnitCount(int category);

    std::array<Row, kMaxCategories> rows_;
};

// Inline: the lookups ask for the count in every pass over a row.
inline int UnitCatalogue::UnitCount(int category) const {
    if (!IsCategoryIndex(category) || !rows_[category].loaded)
        return 0;
    const Row& row = rows_[category];
    return static_cast<int>(row.owned ? row.units.size() : row.builtIn.size());
}

// Inline: batch conversions read a few of these per line.
inline UnitCatalogue::RecordView UnitCatalogue::UnitView(int category, int unitIndex) const {
    if (unitIndex >= 0 && unitIndex < UnitCount(category)) {
        const Row& row = rows_[category];
        if (!row.owned) {
            const BuiltInUnit& unit = row.builtIn[unitIndex];
            return {unit.name, unit.abbreviation, unit.factor};
        }
        const UnitRecord& unit = row.units[unitIndex];
        return {unit.name, unit.abbreviation, unit.factor};
    }
    const UnitRecord& free = Unit(category, unitIndex);
    return {free.name, free.abbreviation, free.factor};
}

// One flag per built-in category; non-zero means the category is listed in the window.
class CategoryVisibility {
  public:
    CategoryVisibility();  // the defaults of the built-in tables (25 shown, 17 hidden)

    int Flag(int category) const;
    bool IsVisible(int category) const { return Flag(category) != 0; }
    void SetFlag(int category, int flag);
    static int DefaultFlag(int category);

  private:
    std::array<int, kBuiltInCategories> flags_{};
};

}  // namespace korvane
