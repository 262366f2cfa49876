#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "query/NumberReading.h"

namespace korvane::query {

// The marks that follow a value: ' and " are foot and inch, or with a ° in the text arcminute
// and arcsecond.
enum class Mark { None, Foot, Inch, Degree, Minute, Second };

struct Part {
    double value = 0.0;
    std::size_t valueAt = 0;
    std::string unit;  // as looked up; empty for a mark or a bare value
    std::size_t unitAt = 0;
    std::size_t unitEnd = 0;
    Mark mark = Mark::None;
    bool bare = false;  // a value without unit or mark
};

struct Quantity {
    std::vector<Part> parts;
    bool negative = false;
    bool noValue = false;  // the text starts with no value: a unit, perhaps
    std::vector<std::string> notes;
    std::optional<ReadError> error;

    bool BareValue() const { return parts.size() == 1 && parts.front().bare; }
};

// Says whether a unit text names a unit somewhere, and as which text it is looked up ("uS" ->
// "µS"); `loose` allows a part of a name.
using UnitResolver = std::function<std::optional<std::string>(std::string_view text, bool loose)>;

struct QuantitySource {
    std::string_view text;  // the whole normalised text
    std::size_t begin = 0;
    std::size_t end = 0;
    DecimalSeparator decimal = DecimalSeparator::Point;
    bool hasDegree = false;
};

// Reads "[sign] part {[+|and] part}" between begin and end: "5 ft 7 3/8 in", "5'7\"",
// "40° 26' 46\"", "2*12 in". Each unit is the longest run of words that resolves.
Quantity ReadQuantity(const QuantitySource& source, const UnitResolver& resolve);

}  // namespace korvane::query
