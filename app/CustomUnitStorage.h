#pragma once

#include <string>
#include <string_view>

#include "app/ProfileStore.h"
#include "catalogue/UnitCatalogue.h"

// Custom categories and units in the settings file. The catalogue holds them while the program
// runs; the file holds them between runs, and every change reaches it the moment it is made.
//
//   [Settings]  Custom_1..Custom_5             names of the custom categories (rows 42..46)
//   [<category>] CustomUnit_1..CustomUnit_10   unit names
//                CustomValue_1..CustomValue_10 factors, as text
//                CustomUnits                   how many of those entries are in use
//
// An entry whose name is "Custom" or shorter than 2 characters is free and is reused first.
namespace korvane {

inline constexpr int kCustomCategoryEntries = 5;
inline constexpr int kCustomUnitEntries = 10;

bool IsFreeEntryName(std::string_view name);

// False for the three formula categories ("Temperature", "Thermal Conductance (buildings)",
// "Numbers"), whose units are not a plain factor, and for free custom slots.
bool AcceptsCustomUnits(const UnitCatalogue& catalogue, int category);

// Brings the stored custom categories and units into a catalogue fresh from LoadBuiltInTables:
// Custom_n names row 41 + n, and each category's used unit entries are appended after its
// units, in entry order. Skipped: a category name equal to an existing one ignoring case, names
// holding a control character, units of categories that accept none, units whose factor is 0 or
// not finite or whose name a unit of the row already has (ignoring case), and whatever no longer
// fits into the row's 178 slots.
// "CustomUnits" is not trusted: every used entry is loaded.
void LoadCustomUnits(const ProfileStore& store, UnitCatalogue& catalogue);
// The same for a catalogue loaded earlier: its custom categories and units become what a fresh
// start would load from `file` now, as another copy of the program may have changed it. True
// when anything changed.
bool RefreshCustomUnits(const ProfileReader& file, UnitCatalogue& catalogue);
// The two halves of that: the catalogue a fresh start would load from `file`, and the rows of
// `catalogue` that differ from `fresh` taken from it (true when any did).
UnitCatalogue CatalogueFromFile(const ProfileReader& file);
bool TakeChangedRows(UnitCatalogue& catalogue, const UnitCatalogue& fresh);

// Names are trimmed, as the file trims them, before they are stored or looked for; a name that
// is free ("Custom", shorter than 2 characters), holds a control character or is not UTF-8 is
// refused with WriteError::RefusedText, as is a category name holding '[' or ']'.
//
// Custom categories. Storing takes the first free Custom_n entry (WriteError::NoFreeEntry when
// there is none); forgetting frees every entry holding `name` (ignoring case, like the loader's
// duplicate test) and deletes that category's unit keys from its section, leaving the section's
// other keys alone.
bool HasFreeCategoryEntry(const ProfileStore& store);
WriteResult StoreCustomCategory(ProfileStore& store, std::string_view name);
WriteResult ForgetCustomCategory(ProfileStore& store, std::string_view name);

// Custom units of the category whose section (its name) is given. Ask HasFreeUnitEntry before
// changing the catalogue: StoreCustomUnit refuses with WriteError::NoFreeEntry when all ten
// entries are in use, and refuses a factor text that reads as 0 or not finite. "CustomUnits" is
// written as the number of used entries.
int UsedUnitEntries(const ProfileStore& store, std::string_view section);
bool HasFreeUnitEntry(const ProfileStore& store, std::string_view section);
WriteResult StoreCustomUnit(ProfileStore& store, std::string_view section, std::string_view name,
                            std::string_view factorText);

// Forgetting frees every entry holding `name`, ignoring case like the loader's duplicate test.
struct ForgetUnitResult {
    int freed = 0;  // entries freed in the file: normally 1, 0 when the unit was not there
    WriteResult write;
};
ForgetUnitResult ForgetCustomUnit(ProfileStore& store, std::string_view section,
                                  std::string_view name);

// The same entries read and changed inside an update already under way (ProfileStore::Update),
// for callers that test the file and change it under one lock. Entry numbers are 1-based; 0
// means "none". These take names as they are; the functions above check them first.
int FirstFreeCategoryEntry(const ProfileReader& file);
int FindCategoryEntry(const ProfileReader& file, std::string_view name);  // a used entry
void WriteCategoryEntry(ProfileEditor& file, int entry, std::string_view name);
int ForgetCategoryEntries(ProfileEditor& file, std::string_view name);  // how many were freed

int UsedUnitEntries(const ProfileReader& file, std::string_view section);
int FirstFreeUnitEntry(const ProfileReader& file, std::string_view section);
int FindUnitEntry(const ProfileReader& file, std::string_view section, std::string_view name);
// Writes the entry and "CustomUnits".
void WriteUnitEntry(ProfileEditor& file, std::string_view section, int entry, std::string_view name,
                    std::string_view factorText);
int ForgetUnitEntries(ProfileEditor& file, std::string_view section, std::string_view name);
// "CustomUnits" and every CustomUnit_n and CustomValue_n key of the section.
void DeleteUnitEntries(ProfileEditor& file, std::string_view section);

// How a factor is stored: 14 decimals ("0.01000000000000") when that reads back as the same
// number, else 17 significant digits ("1.2345678901234567e-20"). Empty for infinity and NaN,
// which are never stored.
std::string FactorText(double factor);

}  // namespace korvane
