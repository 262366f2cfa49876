#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;  // the conversion or evaluation printed "Error"
inline constexpr int kExitUsage = 2;  // unknown names, bad options, unreadable input or output

// Names from `candidates` that the user probably meant by `wanted`, best first (SuggestNames).
std::vector<std::string> CloseNames(std::string_view wanted,
                                    const std::vector<std::string>& candidates,
                                    std::size_t limit = 3);

// "a", "b" or "c" — for messages.
std::string JoinQuoted(const std::vector<std::string>& names);

// Text that is safe to print in a message: invalid UTF-8 bytes and control characters are
// shown as \xHH, and trailing blanks become visible.
std::string Printable(std::string_view text);

// Indexes of the categories that are in use: the built-in ones and the named custom slots.
std::vector<int> UsedCategories(const UnitCatalogue& catalogue);

}  // namespace korvane::cli
