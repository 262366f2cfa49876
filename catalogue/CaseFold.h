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

// The rule for one byte of ASCII: a letter in lower case, every other byte as it is. constexpr,
// for the tables the program works out while it is compiled.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The same rule for one code point, for comparisons that fold as they go.
char32_t FoldCodePoint(char32_t c);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Whether `text`, folded, equals `folded` (folded already): for one text compared with many,
// or many with one, without a folded copy of each. An ASCII text is compared as it stands.
bool EqualsFolded(std::string_view text, std::string_view folded);

// "Contains, ignoring case" by the same rule. A search box runs it for every entry on every
// keystroke, so both sides are folded ahead: the entries once when the list is built, the search
// text once per change. Folding maps code point to code point, so a byte search in folded UTF-8
// finds exactly the folded character sequences. An empty search text is found in every text.
bool ContainsFolded(std::string_view foldedText, std::string_view foldedQuery);

// The same for texts that are not folded yet; folds both on each call.
bool ContainsIgnoringCase(std::string_view text, std::string_view query);

}  // namespace korvane
