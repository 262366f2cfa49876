#pragma once

#include <string>
#include <string_view>

#include "app/ProfileStore.h"
#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"

// The preferences kept in the settings file, read at the moment they are needed and written at
// the moment they change. Every write reports its outcome; several keys written together reach
// the file in one step or not at all.
namespace korvane {

// The three check boxes of the General page.
enum class SettingsFlag { ShowAbbreviation, OnTop, RememberCategory };

// On only when the stored text is exactly "TRUE": "true", "1" and "" are off. A missing key
// gives `defaultText`, compared the same way.
bool ReadFlag(const ProfileStore& store, std::string_view key, std::string_view defaultText);
// With the flag's own default (abbreviations shown, not on top, remembering on).
bool ReadFlag(const ProfileStore& store, SettingsFlag flag);
WriteResult WriteFlag(ProfileStore& store, SettingsFlag flag, bool on);

// One flag per built-in category, from the "Visibility" key of the section named after it;
// the category's default when missing. Any non-zero value means listed.
CategoryVisibility ReadVisibility(const ProfileStore& store, const UnitCatalogue& catalogue);

// A stored mode other than 0, 1 or 2 reads as AutoFormat. The precision is kept as stored (the
// formatter treats a negative one as 6) except that it never exceeds kMaxPrecision.
ResultFormat ReadResultFormat(const ProfileStore& store);
// The Result Format page's OK: "Precision", then "Format".
WriteResult SaveResultFormat(ProfileStore& store, const ResultFormat& format);

// "Format" and "Precision", then the 42 "Visibility" keys in catalogue order, whether changed or
// not: what the window stores when it closes or the user chooses File, Exit.
WriteResult SaveDisplaySettings(ProfileStore& store, const UnitCatalogue& catalogue,
                                const ResultFormat& format, const CategoryVisibility& visibility);

// The selection of the last close. Positions count entries of the sorted unit lists; -1 when a
// list had no selection. The category is "NONE" before the first close.
struct LastSelection {
    std::string category;
    int toPosition = 0;
    int fromPosition = 0;
};
LastSelection ReadLastSelection(const ProfileStore& store);
// "LastCategory", "LastUnitTo", "LastUnitFrom", whatever "RememberCategory" says.
WriteResult SaveLastSelection(ProfileStore& store, std::string_view categoryText, int toPosition,
                              int fromPosition);

}  // namespace korvane
