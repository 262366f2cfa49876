#pragma once

#include <string_view>

namespace korvane {

// The two blank sets of the program, kept apart on purpose because they trim different texts.
//
// A blank of the settings file is a space, a tab, a vertical tab or a form feed: people edit the
// file by hand and line names and values up with tabs, so the file drops all four around section
// names, keys and values. Custom names are stored there, so the custom-name rule (TrimmedName,
// SameName) trims the same four: a name compares the same before and after it is stored.
//
// Names of the unit tables and the texts matched against them know only the space: built-in
// names carry trailing spaces that tell units apart ("H12 "), and the lookups, the aliases and
// the free-form reader treat a tab as a character of the text. The suggestions for a name that
// named nothing trim as that lookup does (TrimSpaces).

bool IsBlank(char c);

// `text` without the settings file's blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// `text` without the spaces at either end; tabs and other blanks stay.
std::string_view TrimSpaces(std::string_view text);

}  // namespace korvane
