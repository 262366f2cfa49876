#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProfileStore.h"
#include "catalogue/CatalogueAction.h"
#include "catalogue/UnitCatalogue.h"

// The four things a user can do on the Custom page: add or remove a custom category, add or
// remove a custom unit. Each function runs the whole action: it normalises the name, makes every
// test in order, changes the catalogue row and the settings file, and says what happened, so the
// page (and korvane-cli custom) only shows the answer and passes the change on.
//
// Two running copies may share the settings file. Every test that depends on it (a name another
// copy already stored, a free entry or row, the ten custom units a category may have, whether
// the category is still there, the reference unit's factor) is made on the file as re-read under
// its write lock, in the same step that writes it: the caller's catalogue is first brought up to
// date from that file, then the action is decided on it. A refused or failed action leaves the
// file as it was; the catalogue then holds what the file holds.
namespace korvane {

inline constexpr std::string_view kMessageCaption = "Korvane Unit Converter";
inline constexpr std::string_view kOperationFailedCaption = "Operation failed";

// The icon of a message box, for a caller that has the platform's own enumeration.
enum class NoticeIcon { None, Information, Warning };

// A message box: its text, caption and icon.
struct CustomNotice {
    std::string text;
    std::string caption;
    NoticeIcon icon = NoticeIcon::Information;
};

// Either a refusal, with the message to show, or the change made.
struct CustomOutcome {
    std::optional<CustomNotice> refusal;
    int row = -1;              // the category row that changed
    CatalogueAction action{};  // how it changed; the main window is told (row, action)
    std::string name;          // the category or unit name as stored, for the page's lists
    // Another copy of the program had changed the file: the catalogue was brought up to date
    // with it, beyond `row`, so the caller's lists must be rebuilt. Set on refusals too.
    bool refreshed = false;
    // The refusal is the settings file failing (read-only, locked, disk full), not the action.
    bool fileFailure = false;

    bool ok() const { return !refusal.has_value(); }
};

// Categories the page offers for custom units, in catalogue order: the built-in ones whose
// units differ by a factor, and the custom ones in use.
std::vector<int> CategoriesAcceptingCustomUnits(const UnitCatalogue& catalogue);

CustomOutcome AddCustomCategory(UnitCatalogue& catalogue, ProfileStore& store,
                                std::string_view enteredName);

// The page asks the user before it removes anything, and only when the removal would not be
// refused: it calls the check first, shows the question (OK and Cancel) and calls the removal
// on OK. The removal makes the check again.
std::optional<CustomNotice> CheckRemoveCustomCategory(const UnitCatalogue& catalogue,
                                                      std::string_view name);
CustomNotice RemoveCategoryQuestion(std::string_view name);
// `name` is the category's name as listed; the one row holding it ignoring case and blanks
// around it is found too, for names typed on the command line.
CustomOutcome RemoveCustomCategory(UnitCatalogue& catalogue, ProfileStore& store,
                                   std::string_view name);

// What the page's unit row says: 1 `name` = `factorText` `referenceUnit`. The reference unit is
// the last unit of that exact name, else the category's first unit; the factor text is read as
// far as it reads as a number, and an empty text reads as 0. The first unit of an empty
// category is its reference unit, with factor 1, whatever was entered.
struct NewCustomUnit {
    int category = 0;
    std::string_view name;
    std::string_view factorText;
    std::string_view referenceUnit;
};
CustomOutcome AddCustomUnit(UnitCatalogue& catalogue, ProfileStore& store,
                            const NewCustomUnit& unit);

std::optional<CustomNotice> CheckRemoveCustomUnit(const UnitCatalogue& catalogue, int category,
                                                  std::string_view name);
CustomNotice RemoveUnitQuestion(std::string_view name);
// `name` as listed; as with categories, a unique match ignoring case and blanks is found too.
CustomOutcome RemoveCustomUnit(UnitCatalogue& catalogue, ProfileStore& store, int category,
                               std::string_view name);

}  // namespace korvane
