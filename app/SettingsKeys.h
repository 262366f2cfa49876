#pragma once

#include <string_view>

// Every section and key name of the settings file, in one place. Names match without regard to
// letter case, but are always written as spelled here.
namespace korvane::settings_keys {

inline constexpr std::string_view kSettingsSection = "Settings";

inline constexpr std::string_view kFormat = "Format";
inline constexpr std::string_view kPrecision = "Precision";
inline constexpr std::string_view kShowAbbreviation = "ShowAbbreviation";
inline constexpr std::string_view kOnTop = "OnTop";
inline constexpr std::string_view kRememberCategory = "RememberCategory";
inline constexpr std::string_view kLastCategory = "LastCategory";
inline constexpr std::string_view kLastUnitFrom = "LastUnitFrom";
inline constexpr std::string_view kLastUnitTo = "LastUnitTo";

// In the section named after each built-in category.
inline constexpr std::string_view kVisibility = "Visibility";

// Custom categories: "Custom_1".."Custom_5" in the settings section.
inline constexpr std::string_view kCustomCategoryPrefix = "Custom_";
// Custom units, in the section named after their category.
inline constexpr std::string_view kCustomUnitCount = "CustomUnits";
inline constexpr std::string_view kCustomUnitPrefix = "CustomUnit_";
inline constexpr std::string_view kCustomValuePrefix = "CustomValue_";

// Keys beyond the original program's live in a section of their own; none begins with "Custom",
// so a custom category named "Extras" can share the section without its units being misread.
inline constexpr std::string_view kExtrasSection = "Extras";
inline constexpr std::string_view kAllUnitsPane = "AllUnitsPane";

inline constexpr std::string_view kFlagOn = "TRUE";
inline constexpr std::string_view kFlagOff = "FALSE";
// LastCategory when no close has stored one yet; it names no category.
inline constexpr std::string_view kNoCategory = "NONE";

}  // namespace korvane::settings_keys
