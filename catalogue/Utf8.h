#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// One decoded character: its code point and how many bytes it took. `length` is 0 when the
// bytes at that position are not well-formed UTF-8 (overlong forms, surrogates and values past
// U+10FFFF count as malformed).
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Utf8Char DecodeUtf8(std::string_view text, std::size_t at);
bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);

// Characters, not bytes: "µm" counts 2. A malformed byte counts as one character.
std::size_t CharacterCount(std::string_view text);

}  // namespace korvane
