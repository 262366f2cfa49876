#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::query {

// The typed text with the look-alike characters people paste or phones insert replaced by the
// ones the reader knows (℃ -> °C, ’ -> ', ½ -> 1/2, no-break spaces -> blank, U+2212 -> -),
// "deg F" and "° F" joined to "°F", blanks at the ends dropped. Every byte remembers the column
// (1-based, in characters of the typed text) it came from, so messages point at what was typed.
struct NormalText {
    std::string text;
    std::vector<int> columns;  // one per byte of `text`, plus one for the end
    bool hasDegree = false;    // the typed text holds a ° (the marks ' and " are then angles)

    int ColumnAt(std::size_t byte) const {
        return columns.empty() ? 1 : columns[std::min(byte, columns.size() - 1)];
    }
};

struct NormalisationError {
    std::string message;
    int column = 0;
};

// The longest text read; longer ones are refused at once (a conversion is a line, and the
// window reads on every keystroke).
inline constexpr std::size_t kMaxReadCharacters = 256;

// Fails for malformed UTF-8, control characters and overlong texts.
std::optional<NormalisationError> Normalise(std::string_view typed, NormalText& out);

}  // namespace korvane::query
