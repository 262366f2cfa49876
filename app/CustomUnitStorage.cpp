#include "app/CustomUnitStorage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_set>

#include "app/CustomNames.h"
#include "app/IniDocument.h"
#include "app/SettingsKeys.h"
#include "app/TextEncoding.h"
#include "catalogue/Blanks.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Conversion.h"
#include "catalogue/NumberText.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

using namespace settings_keys;

std::string NumberedKey(std::string_view prefix, int n) {
    std::string key(prefix);
    key += std::to_string(n);
    return key;
}

std::string CategoryKey(int n) {
    return NumberedKey(kCustomCategoryPrefix, n);
}
std::string UnitKey(int n) {
    return NumberedKey(kCustomUnitPrefix, n);
}
std::string ValueKey(int n) {
    return NumberedKey(kCustomValuePrefix, n);
}

bool IsUsableFactor(double factor) {
    return factor != 0.0 && std::isfinite(factor);
}

bool NameIsTaken(const UnitCatalogue& catalogue, std::string_view name) {
    const std::string folded = FoldCase(name);
    for (int c = 0; c < kMaxCategories; ++c) {
        if (EqualsFolded(catalogue.CategoryName(c), folded))
            return true;
    }
    return false;
}

// The folded names of a row's units, for the duplicate test of each loaded unit.
std::unordered_set<std::string> FoldedUnitNames(const UnitCatalogue& catalogue, int category) {
    std::unordered_set<std::string> names;
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        names.insert(FoldCase(catalogue.UnitName(category, u)));
    }
    return names;
}

int UsedEntries(const ProfileReader& file, std::string_view section) {
    int used = 0;
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        if (!IsFreeEntryName(file.GetString(section, UnitKey(n), kFreeSlotName)))
            ++used;
    }
    return used;
}

// The first entry among 1..entries whose name marks it free; 0 when all are in use.
int FirstFreeEntry(const ProfileReader& file, std::string_view section, std::string_view prefix,
                   int entries) {
    for (int n = 1; n <= entries; ++n) {
        if (IsFreeEntryName(file.GetString(section, NumberedKey(prefix, n), kFreeSlotName))) {
            return n;
        }
    }
    return 0;
}

// Why `name` (trimmed) cannot be stored as a custom name; success when it can. Says "name",
// since the user typed a name, whatever part of the file it ends up in.
WriteResult CheckNameToStore(std::string_view what, std::string_view name) {
    std::string reason;
    if (IsFreeEntryName(name)) {
        reason = "a " + std::string(what) + " must have at least 2 characters and not be \"" +
                 std::string(kFreeSlotName) + "\"";
    } else {
        reason = UnstorableNameReason(what, name);
    }
    if (reason.empty())
        return {};
    return WriteResult::Failure(WriteError::RefusedText, std::move(reason));
}

void LoadCategoryNames(const ProfileReader& file, UnitCatalogue& catalogue) {
    for (int n = 1; n <= kCustomCategoryEntries; ++n) {
        const int row = kFirstCustomCategory + n - 1;
        const std::string name = file.GetString(kSettingsSection, CategoryKey(n), kFreeSlotName);
        // A name that duplicates another category, or that no section could be written for,
        // would make two rows indistinguishable or the category impossible to maintain.
        if (IsFreeEntryName(name) || ContainsControlCharacter(name) ||
            NameIsTaken(catalogue, name) || !catalogue.IsFreeSlot(row)) {
            continue;
        }
        catalogue.SetCategoryName(row, name);
    }
}

// The folded keys of the unit entries, made once for all rows.
struct FoldedEntryKeys {
    std::string unit[kCustomUnitEntries + 1];
    std::string value[kCustomUnitEntries + 1];

    FoldedEntryKeys() {
        for (int n = 1; n <= kCustomUnitEntries; ++n) {
            unit[n] = FoldCase(UnitKey(n));
            value[n] = FoldCase(ValueKey(n));
        }
    }
};

// `lookup(key, n)` gives the text of the entry's key (a FoldedEntryKeys member) or nullopt.
template <typename Lookup>
void LoadUnitsOfRow(const Lookup& lookup, const FoldedEntryKeys& keys, UnitCatalogue& catalogue,
                    int row) {
    std::optional<std::unordered_set<std::string>> taken;  // made when the first unit shows up
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        const auto name = lookup(keys.unit[n]);
        // A control character (a tab, say) could not be stored again by the Custom page and
        // would split the unit's line in tab-separated output.
        if (!name || IsFreeEntryName(*name) || ContainsControlCharacter(*name))
            continue;
        const auto factorText = lookup(keys.value[n]);
        const double factor = factorText ? ReadAtof(*factorText) : 0.0;
        if (!IsUsableFactor(factor))
            continue;
        if (!taken)
            taken = FoldedUnitNames(catalogue, row);
        // A second unit of the same name would shadow the first in every lookup.
        if (!taken->insert(FoldCase(*name)).second)
            continue;
        if (!catalogue.AppendUnit(row, std::string(*name), factor))
            return;  // the row is full
    }
}

// The loader over any reader of the file; `section(name)` gives the lookup of one section.
template <typename SectionLookup>
void LoadFrom(const ProfileReader& file, const SectionLookup& section, UnitCatalogue& catalogue) {
    LoadCategoryNames(file, catalogue);
    // Folding the 356 key texts costs more than a one-shot conversion; without a section that
    // could hold units (no settings file, say) they are never made.
    std::optional<FoldedEntryKeys> folded;
    const auto keys = [&folded]() -> const FoldedEntryKeys& {
        if (!folded)
            folded.emplace();
        return *folded;
    };
    for (int row = 0; row < kMaxCategories; ++row) {
        if (AcceptsCustomUnits(catalogue, row))
            section(catalogue.CategoryName(row), keys, row);
    }
}

}  // namespace

bool IsFreeEntryName(std::string_view name) {
    // No character takes more than four bytes, so a longer name has two; counting them decodes
    // every name of the catalogue at each start.
    return name == kFreeSlotName || (name.size() <= 4 && CharacterCount(name) < 2);
}

bool AcceptsCustomUnits(const UnitCatalogue& catalogue, int category) {
    if (!UnitCatalogue::IsCategoryIndex(category))
        return false;
    const std::string& name = catalogue.CategoryName(category);
    return !IsFreeEntryName(name) && RuleForCategory(name) == ConversionRule::Linear;
}

void LoadCustomUnits(const ProfileStore& store, UnitCatalogue& catalogue) {
    const ProfileSnapshot file = store.Snapshot();
    // Most sections hold only the category's visibility: one pass over the file finds those
    // that name a unit, and only their keys are gathered.
    const std::vector<std::string> withUnits = file.SectionsWithKey(kCustomUnitPrefix);
    LoadFrom(
        file,
        [&](std::string_view name, const auto& keys, int row) {
            const std::string_view trimmed = TrimBlanks(name);
            if (std::none_of(withUnits.begin(), withUnits.end(),
                             [&](const std::string& s) { return EqualsFolded(trimmed, s); }))
                return;
            const IniIndex::Entries* section = file.Section(name);
            if (section == nullptr)
                return;
            LoadUnitsOfRow([&](const std::string& key) { return IniIndex::Find(section, key); },
                           keys(), catalogue, row);
        },
        catalogue);
}

UnitCatalogue CatalogueFromFile(const ProfileReader& file) {
    UnitCatalogue fresh;
    fresh.LoadBuiltInTables();
    LoadFrom(
        file,
        [&](std::string_view name, const auto& keys, int row) {
            LoadUnitsOfRow([&](const std::string& key) { return file.Find(name, key); }, keys(),
                           fresh, row);
        },
        fresh);
    return fresh;
}

bool TakeChangedRows(UnitCatalogue& catalogue, const UnitCatalogue& fresh) {
    bool changed = false;
    for (int row = 0; row < kMaxCategories; ++row) {
        if (catalogue.SameRow(fresh, row))
            continue;
        catalogue.CopyRow(fresh, row);
        changed = true;
    }
    return changed;
}

bool RefreshCustomUnits(const ProfileReader& file, UnitCatalogue& catalogue) {
    return TakeChangedRows(catalogue, CatalogueFromFile(file));
}

bool HasFreeCategoryEntry(const ProfileStore& store) {
    return FirstFreeCategoryEntry(store.Snapshot()) != 0;
}

int FirstFreeCategoryEntry(const ProfileReader& file) {
    return FirstFreeEntry(file, kSettingsSection, kCustomCategoryPrefix, kCustomCategoryEntries);
}

int FindCategoryEntry(const ProfileReader& file, std::string_view name) {
    for (int n = 1; n <= kCustomCategoryEntries; ++n) {
        const std::string stored = file.GetString(kSettingsSection, CategoryKey(n), kFreeSlotName);
        if (!IsFreeEntryName(stored) && SameName(stored, name))
            return n;
    }
    return 0;
}

void WriteCategoryEntry(ProfileEditor& file, int entry, std::string_view name) {
    file.Set(kSettingsSection, CategoryKey(entry), TrimmedName(name));
}

int ForgetCategoryEntries(ProfileEditor& file, std::string_view name) {
    name = TrimmedName(name);
    if (IsFreeEntryName(name))
        return 0;
    int freed = 0;
    // Ignoring case, as the loader does: an entry it skipped as a duplicate of this category
    // would otherwise come back as a category of its own at the next start.
    for (int n = 1; n <= kCustomCategoryEntries; ++n) {
        const std::string stored = file.GetString(kSettingsSection, CategoryKey(n), kFreeSlotName);
        if (!IsFreeEntryName(stored) && SameName(stored, name)) {
            file.Set(kSettingsSection, CategoryKey(n), kFreeSlotName);
            ++freed;
        }
    }
    // A category added again later must not find the units of an earlier one, and a section
    // left with nothing in it is no use to anyone.
    if (freed > 0) {
        DeleteUnitEntries(file, name);
        file.DeleteSectionIfEmpty(name);
    }
    return freed;
}

WriteResult StoreCustomCategory(ProfileStore& store, std::string_view name) {
    name = TrimmedName(name);
    if (WriteResult refused = CheckNameToStore("category name", name); !refused.ok())
        return refused;
    if (!IsStorableCategoryName(name)) {
        return WriteResult::Failure(WriteError::RefusedText,
                                    "the category name holds \"[\" or \"]\", which would not "
                                    "read back as a section name");
    }
    return store.Update([&](ProfileEditor& file) {
        const int n = FirstFreeCategoryEntry(file);
        if (n == 0) {
            file.Refuse(WriteError::NoFreeEntry,
                        "all custom category entries of the settings file are in use");
            return;
        }
        WriteCategoryEntry(file, n, name);
    });
}

WriteResult ForgetCustomCategory(ProfileStore& store, std::string_view name) {
    if (IsFreeEntryName(TrimmedName(name)))
        return {};
    return store.Update([&](ProfileEditor& file) { ForgetCategoryEntries(file, name); });
}

int UsedUnitEntries(const ProfileReader& file, std::string_view section) {
    return UsedEntries(file, section);
}

int UsedUnitEntries(const ProfileStore& store, std::string_view section) {
    return UsedEntries(store.Snapshot(), section);
}

bool HasFreeUnitEntry(const ProfileStore& store, std::string_view section) {
    return UsedUnitEntries(store, section) < kCustomUnitEntries;
}

int FirstFreeUnitEntry(const ProfileReader& file, std::string_view section) {
    return FirstFreeEntry(file, section, kCustomUnitPrefix, kCustomUnitEntries);
}

int FindUnitEntry(const ProfileReader& file, std::string_view section, std::string_view name) {
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        const std::string stored = file.GetString(section, UnitKey(n), kFreeSlotName);
        if (!IsFreeEntryName(stored) && SameName(stored, name))
            return n;
    }
    return 0;
}

void WriteUnitEntry(ProfileEditor& file, std::string_view section, int entry, std::string_view name,
                    std::string_view factorText) {
    file.Set(section, UnitKey(entry), TrimmedName(name));
    file.Set(section, ValueKey(entry), factorText);
    file.SetInt(section, kCustomUnitCount, UsedEntries(file, section));
}

int ForgetUnitEntries(ProfileEditor& file, std::string_view section, std::string_view name) {
    name = TrimmedName(name);
    if (IsFreeEntryName(name))
        return 0;
    int freed = 0;
    // Ignoring case, as the loader's duplicate test does, so no hidden twin survives.
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        const std::string stored = file.GetString(section, UnitKey(n), kFreeSlotName);
        if (IsFreeEntryName(stored) || !SameName(stored, name))
            continue;
        file.Set(section, UnitKey(n), kFreeSlotName);
        file.Delete(section, ValueKey(n));
        ++freed;
    }
    if (freed > 0)
        file.SetInt(section, kCustomUnitCount, UsedEntries(file, section));
    return freed;
}

void DeleteUnitEntries(ProfileEditor& file, std::string_view section) {
    // Only the unit keys, never the whole section: a category named "settings" shares its
    // section with every preference.
    file.Delete(section, kCustomUnitCount);
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        file.Delete(section, UnitKey(n));
        file.Delete(section, ValueKey(n));
    }
}

WriteResult StoreCustomUnit(ProfileStore& store, std::string_view section, std::string_view name,
                            std::string_view factorText) {
    name = TrimmedName(name);
    if (WriteResult refused = CheckNameToStore("unit name", name); !refused.ok())
        return refused;
    if (!IsUsableFactor(ReadAtof(factorText))) {
        return WriteResult::Failure(
            WriteError::RefusedText,
            "the factor \"" + std::string(factorText) + "\" is 0 or not a finite number");
    }
    return store.Update([&](ProfileEditor& file) {
        const int n = FirstFreeUnitEntry(file, section);
        if (n == 0) {
            file.Refuse(WriteError::NoFreeEntry, "this category already has " +
                                                     std::to_string(kCustomUnitEntries) +
                                                     " custom units in the settings file");
            return;
        }
        WriteUnitEntry(file, section, n, name, factorText);
    });
}

ForgetUnitResult ForgetCustomUnit(ProfileStore& store, std::string_view section,
                                  std::string_view name) {
    ForgetUnitResult result;
    if (IsFreeEntryName(TrimmedName(name)))
        return result;
    int freed = 0;
    result.write =
        store.Update([&](ProfileEditor& file) { freed = ForgetUnitEntries(file, section, name); });
    if (result.write.ok())
        result.freed = freed;
    return result;
}

std::string FactorText(double factor) {
    if (!std::isfinite(factor))
        return {};
    // Fixed notation of the largest double takes 309 digits, a point and 14 decimals.
    char buffer[400];
    auto written =
        std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::fixed, 14);
    std::string text(buffer, written.ptr);
    if (ReadAtof(text) == factor)
        return text;
    written = std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::general, 17);
    return std::string(buffer, written.ptr);
}

}  // namespace korvane
