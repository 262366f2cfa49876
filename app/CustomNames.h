#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one way custom category and unit names are normalised and compared. The Custom page, the
// command line and the storage all go through it, so a name stored once is found again to be
// forgotten, and two names one of them calls equal are equal for all of them.
namespace korvane {

// Blanks around a name carry no meaning: the settings file drops them too.
std::string_view TrimmedName(std::string_view name);

// Whether a name, already trimmed, can be stored and read back unchanged: valid UTF-8 without
// control characters; a category name is also a section name, so it holds no '[' or ']'.
bool IsStorableUnitName(std::string_view trimmed);
bool IsStorableCategoryName(std::string_view trimmed);

// Why a name cannot be written to the settings file, worded for the user who typed it ("the
// category name holds a line break..."); empty when it can. `what` names the name.
std::string UnstorableNameReason(std::string_view what, std::string_view name);

// A new category name as it is stored: lower case, by the program's one case rule.
std::string CategoryNameCase(std::string_view trimmed);
// A new unit name as it is stored: lower case, then the first letter in upper case
// ("kiloJOULE" becomes "Kilojoule").
std::string UnitNameCase(std::string_view trimmed);

// Equal for the duplicate tests: the same once trimmed, ignoring case.
bool SameName(std::string_view a, std::string_view b);

class UnitCatalogue;

// The category a listed or typed name stands for: the first row named exactly `name`, else the
// only row whose name is the same by SameName; free custom slots are never found. None when no
// row matches, or when several match only by SameName. The Custom page and korvane-cli custom
// both find categories with it.
std::optional<int> FindNamedCategory(const UnitCatalogue& catalogue, std::string_view name);

// The unit of `category` a listed or typed name stands for: the unit named exactly `name` (the
// last of that name, as every lookup of the catalogue takes it), else the only unit whose name
// is the same by SameName. None when no unit matches, or when several match only by SameName.
std::optional<int> FindNamedUnit(const UnitCatalogue& catalogue, int category,
                                 std::string_view name);

}  // namespace korvane
