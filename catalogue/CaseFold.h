#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The one case rule of the program: lower-casing of new category names, duplicate tests on the
// Custom page, the window's list order and the matching of settings sections and keys all use
// it, so a name that one of them treats as equal to another is equal for all of them.
//
// Lower-cases the letters of ASCII, Latin-1, Latin Extended-A, Latin Extended Additional, Greek
// and Cyrillic (one code point to one code point, no locale). Other characters, and bytes that
// are not well-formed UTF-8, are copied unchanged.
std::string FoldCase(std::string_view utf8);

// The same rule for one code point, for comparisons that fold as they go.
char32_t FoldCodePoint(char32_t c);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace korvane
