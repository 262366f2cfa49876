#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace korvane::query {

// A separator between a quantity and its target: " to ", " in ", " into ", " as ", " = ",
// " > " in any case, "->" (→ is normalised to it). `start`..`end` covers the blanks around it.
struct Separator {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t wordAt = 0;
    std::string_view word;  // lower case: "to", "in", "into", "as", "=", ">", "->"
};

// Every separator of the text, the rightmost first. One at the very end ("12 in to") has
// `end` == the text's size.
std::vector<Separator> FindSeparators(std::string_view text);

// The words that never name a unit ("in" does, as the inch).
bool IsSeparatorWord(std::string_view text);

}  // namespace korvane::query
