#include "app/CustomUnitStorage.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_set>

#include "app/IniDocument.h"
#include "app/SettingsKeys.h"
#include "app/TextEncoding.h"
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
        if (FoldCase(catalogue.CategoryName(c)) == folded)
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

void LoadUnitsOfRow(const IniIndex::Entries& section, const FoldedEntryKeys& keys,
                    UnitCatalogue& catalogue, int row) {
    std::optional<std::unordered_set<std::string>> taken;  // made when the first unit shows up
    for (int n = 1; n <= kCustomUnitEntries; ++n) {
        const std::optional<std::string_view> name = IniIndex::Find(&section, keys.unit[n]);
        // A control character (a tab, say) could not be stored again by the Custom page and
        // would split the unit's line in tab-separated output.
        if (!name || IsFreeEntryName(*name) || ContainsControlCharacter(*name))
            continue;
        const double factor = ReadAtof(IniIndex::Find(&section, keys.value[n]).value_or(""));
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

}  // namespace

bool IsFreeEntryName(std::string_view name) {
    return name == kFreeSlotName || CharacterCount(name) < 2;
}

bool AcceptsCustomUnits(const UnitCatalogue& catalogue, int category) {
    if (!UnitCatalogue::IsCategoryIndex(category))
        return false;
    const std::string& name = catalogue.CategoryName(category);
    return !IsFreeEntryName(name) && RuleForCategory(name) == ConversionRule::Linear;
}

void LoadCustomUnits(const ProfileStore& store, UnitCatalogue& catalogue) {
    const ProfileSnapshot file = store.Snapshot();
    LoadCategoryNames(file, catalogue);
    const FoldedEntryKeys keys;
    for (int row = 0; row < kMaxCategories; ++row) {
        if (!AcceptsCustomUnits(catalogue, row))
            continue;
        if (const IniIndex::Entries* section = file.Section(catalogue.CategoryName(row))) {
            LoadUnitsOfRow(*section, keys, catalogue, row);
        }
    }
}

bool HasFreeCategoryEntry(const ProfileStore& store) {
    return FirstFreeEntry(store.Snapshot(), kSettingsSection, kCustomCategoryPrefix,
                          kCustomCategoryEntries) != 0;
}

WriteResult StoreCustomCategory(ProfileStore& store, std::string_view name) {
    if (IsFreeEntryName(TrimBlanks(name))) {
        return WriteResult::Failure(WriteError::RefusedText,
                                    "a category name must have at least 2 characters and not "
                                    "be \"Custom\"");
    }
    return store.Update([&](ProfileEditor& file) {
        const int n =
            FirstFreeEntry(file, kSettingsSection, kCustomCategoryPrefix, kCustomCategoryEntries);
        if (n == 0) {
            file.Refuse(WriteError::NoFreeEntry,
                        "all custom category entries of the settings file are in use");
            return;
        }
        file.Set(kSettingsSection, CategoryKey(n), name);
    });
}

WriteResult ForgetCustomCategory(ProfileStore& store, std::string_view name) {
    if (IsFreeEntryName(name))
        return {};
    return store.Update([&](ProfileEditor& file) {
        bool found = false;
        // Ignoring case, as the loader does: an entry it skipped as a duplicate of this category
        // would otherwise come back as a category of its own at the next start.
        for (int n = 1; n <= kCustomCategoryEntries; ++n) {
            if (EqualsIgnoringCase(file.GetString(kSettingsSection, CategoryKey(n), kFreeSlotName),
                                   name)) {
                file.Set(kSettingsSection, CategoryKey(n), kFreeSlotName);
                found = true;
            }
        }
        // Only the unit keys, never the whole section: a category named "settings" shares its
        // section with every preference.
        if (!found)
            return;
        file.Delete(name, kCustomUnitCount);
        for (int n = 1; n <= kCustomUnitEntries; ++n) {
            file.Delete(name, UnitKey(n));
            file.Delete(name, ValueKey(n));
        }
    });
}

int UsedUnitEntries(const ProfileStore& store, std::string_view section) {
    return UsedEntries(store.Snapshot(), section);
}

bool HasFreeUnitEntry(const ProfileStore& store, std::string_view section) {
    return UsedUnitEntries(store, section) < kCustomUnitEntries;
}

WriteResult StoreCustomUnit(ProfileStore& store, std::string_view section, std::string_view name,
                            std::string_view factorText) {
    if (IsFreeEntryName(TrimBlanks(name))) {
        return WriteResult::Failure(WriteError::RefusedText,
                                    "a unit name must have at least 2 characters and not be "
                                    "\"Custom\"");
    }
    if (!IsUsableFactor(ReadAtof(factorText))) {
        return WriteResult::Failure(
            WriteError::RefusedText,
            "the factor \"" + std::string(factorText) + "\" is 0 or not a finite number");
    }
    return store.Update([&](ProfileEditor& file) {
        const int n = FirstFreeEntry(file, section, kCustomUnitPrefix, kCustomUnitEntries);
        if (n == 0) {
            file.Refuse(WriteError::NoFreeEntry, "this category already has " +
                                                     std::to_string(kCustomUnitEntries) +
                                                     " custom units in the settings file");
            return;
        }
        file.Set(section, UnitKey(n), name);
        file.Set(section, ValueKey(n), factorText);
        file.SetInt(section, kCustomUnitCount, UsedEntries(file, section));
    });
}

ForgetUnitResult ForgetCustomUnit(ProfileStore& store, std::string_view section,
                                  std::string_view name) {
    ForgetUnitResult result;
    if (IsFreeEntryName(name))
        return result;
    int freed = 0;
    result.write = store.Update([&](ProfileEditor& file) {
        freed = 0;  // the update may run this more than once; only the last run counts
        // Ignoring case, as the loader's duplicate test does, so no hidden twin survives.
        for (int n = 1; n <= kCustomUnitEntries; ++n) {
            if (!EqualsIgnoringCase(file.GetString(section, UnitKey(n), kFreeSlotName), name))
                continue;
            file.Set(section, UnitKey(n), kFreeSlotName);
            file.Delete(section, ValueKey(n));
            ++freed;
        }
        if (freed > 0)
            file.SetInt(section, kCustomUnitCount, UsedEntries(file, section));
    });
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
