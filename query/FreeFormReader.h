#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitTiers.h"

namespace korvane::query {

// The user's numeric conventions. The reader never looks at the process's locale: the window
// passes what the desktop uses, korvane-cli what LC_ALL / LC_NUMERIC / LANG name.
enum class DecimalSeparator { Point, Comma };

struct ReadingContext {
    DecimalSeparator decimal = DecimalSeparator::Point;
    // The category the window shows, if any: a text that resolves there by a strict tier reads
    // in it (with Temperature shown, "100 C" is Celsius). korvane-cli passes none.
    std::optional<int> shownCategory;
    // A caller that reads many texts against one catalogue (the window) builds this once and
    // passes it; without it every lookup scans the catalogue, which suits a one-shot reading.
    const UnitTierIndex* index = nullptr;
};

// A complete reading of a free-form text: what the lists should show and what to convert.
struct Reading {
    int category = 0;
    int fromUnit = 0;           // unit index in `category`
    std::optional<int> toUnit;  // none: the text names no target
    double value = 0.0;         // the quantity, in fromUnit
    // "Read as 12 inch (Distance) → centimeter", plus any note the user should see (a decimal
    // comma read, a unit found by part of its name, "C read as coulomb; for Celsius type °C").
    std::string echo;
};

// Why a text was not read. `column` is 1-based in characters of the text as typed; 0 when the
// refusal has no place. A misspelling carries the reading that accepting the suggestion gives.
struct Refusal {
    std::string message;
    int column = 0;
    std::vector<std::string> candidates;    // catalogue names, for ambiguous texts
    std::optional<std::string> suggestion;  // catalogue name, for "did you mean"
    std::optional<Reading> offered;
    bool expression = false;  // the text is a valid expression: the evaluator owns it
};

struct ReadResult {
    std::optional<Reading> reading;
    Refusal refusal;  // meaningful only without a reading

    bool Read() const { return reading.has_value(); }
};

// Reads `text` as a conversion such as "12 in to cm", "5 ft 7 3/8 in" or "72 F to C". Callers
// run it only where the evaluator rejects the text; it never throws and answers any input,
// however long or malformed, with a reading or a refusal.
ReadResult ReadFreeForm(const UnitCatalogue& catalogue, std::string_view text,
                        const ReadingContext& context);

}  // namespace korvane::query
