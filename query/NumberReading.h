#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "query/FreeFormReader.h"

namespace korvane::query {

// Something the reader could not read, at a byte of the normalised text.
struct ReadError {
    ReadError(std::string text, std::size_t place, std::string unknown = {})
        : message(std::move(text)), at(place), unit(std::move(unknown)) {}

    std::string message;
    std::size_t at = 0;
    std::string unit;        // a unit text that named nothing, for "did you mean"
    std::string suggestion;  // a catalogue name to offer for `unit`, when already known
};

// A value read from the text: the number, where it ended, and what the user should be told
// about how it was read ("1,5 read as 1.5").
struct ValueRead {
    double value = 0.0;
    std::size_t end = 0;
    std::vector<std::string> notes;
    std::optional<ReadError> error;
    bool plainInteger = false;  // digits only: may start a mixed number
};

// One number as the user's convention writes it: digits grouped by ',' '.' or blanks, a decimal
// separator, an exponent ("1.234,5", "12,345,678", "10 000", "1.5e3"). Never the process locale.
ValueRead ReadNumber(std::string_view text, std::size_t at, DecimalSeparator decimal);

// A value: a number, a fraction (3/4), a mixed number (1 1/2, 1-1/2) when a unit or mark
// follows, or an expression of numbers and operators handed to the evaluator ("2*12", "(1+2)").
ValueRead ReadValue(std::string_view text, std::size_t at, DecimalSeparator decimal);

// Whether a value may start at `at` (a digit, a point before a digit, or an opening bracket).
bool StartsValue(std::string_view text, std::size_t at);

}  // namespace korvane::query
