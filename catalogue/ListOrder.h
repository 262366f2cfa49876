#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The one order of the category list and both unit lists, the same in every locale: the
// case-folded text with letters carrying diacritics read as their base letter (å as a, ö as o,
// ß as ss; Latin-1 and Latin Extended-A) and '-' and '\'' ignored; then the case-folded text
// with '-' and '\'' ignored; then the case-folded text; then the bytes. Positions stored in the
// settings file are positions in this order.
int CompareListText(std::string_view a, std::string_view b);

// The first key of that order on its own: case folded, diacritics read as their base letter,
// '-' and '\'' dropped. Find and the free-form reader match typed texts with it ("angstrom").
std::string FoldAccents(std::string_view text);

inline bool ListTextLess(std::string_view a, std::string_view b) {
    return CompareListText(a, b) < 0;
}

}  // namespace korvane
