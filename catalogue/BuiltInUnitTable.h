#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace korvane {

// A text of the compiled-in tables, held in the table itself. A pointer to the text would be a
// relocation the program has to apply at every start, and the page holding it a private copy.
template <std::size_t Capacity>
class TableText {
  public:
    template <std::size_t Size>
    consteval TableText(const char (&literal)[Size]) : size_(Size - 1) {  // NOLINT: implicit
        static_assert(Size - 1 <= Capacity, "a table text is longer than its field");
        for (std::size_t i = 0; i + 1 < Size; ++i)
            text_[i] = literal[i];
    }
    constexpr std::string_view View() const { return {text_, size_}; }
    constexpr operator std::string_view() const { return View(); }  // NOLINT: implicit

  private:
    char text_[Capacity] = {};
    unsigned char size_ = 0;
};

// One unit of the compiled-in data. Texts are UTF-8; an abbreviation of " " means "none".
// 64 bytes: the longest name has 32 bytes, the longest abbreviation 18.
struct BuiltInUnit {
    TableText<35> name;
    TableText<19> abbreviation;
    double factor;  // size of one unit in the category's reference unit; 0 in formula categories
};

struct BuiltInCategory {
    std::string_view name;
    bool visibleByDefault;
    std::span<const BuiltInUnit> units;
};

// The 42 built-in categories in catalogue order (alphabetical, "Acceleration" first).
std::span<const BuiltInCategory> BuiltInUnitTable();

// How a built-in unit's name or abbreviation piece begins: its first bytes, ASCII letters in
// lower case, and the unit as category * 256 + unit.
struct BuiltInStart {
    std::uint16_t unit;
    std::uint8_t length;  // of the start, at most the size of `text`
    std::array<char, 4> text;
    constexpr std::string_view Text() const { return {text.data(), length}; }
};

// The starts of the built-in units by their first letter, worked out when the program is
// compiled, so that a one-shot lookup compares only the units that can begin like the typed
// text. Bucket b < 128 holds the starts whose first letter is the ASCII letter b in lower case;
// bucket 128 those outside ASCII that such a text may still meet (kStartsMetFromAscii); the
// others are in none. Each bucket is in catalogue order.
struct BuiltInInitials {
    static constexpr std::size_t kOutsideAscii = 128;
    static constexpr std::size_t kBuckets = kOutsideAscii + 1;
    std::span<const std::uint32_t>
        offsets;  // kBuckets + 1: bucket b is [offsets[b], offsets[b + 1])
    std::span<const BuiltInStart> starts;
};
BuiltInInitials BuiltInUnitInitials();

}  // namespace korvane
