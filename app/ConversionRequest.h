#pragma once

#include <optional>
#include <string>

#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

// Everything one live conversion reads. A unit is the text of the selected list entry;
// nullopt when that list has no selection. The request holds copies of its texts, so it stays
// valid however long the caller keeps it.
struct ConversionRequest {
    int category = 0;
    std::optional<std::string> fromUnit;
    std::optional<std::string> toUnit;
    std::string input;
    ResultFormat format;
    bool showAbbreviation = true;
    // The evaluator writes what its single-argument entry writes: diagnostics on the standard
    // error stream, the help text on the standard output stream. Off for a caller whose standard
    // output carries other data, such as korvane-cli's batch results.
    bool printEvaluation = true;
};

struct ConversionResult {
    // False: nothing to show (no units, no selection, unknown unit text); keep what is shown.
    bool changed = false;
    std::string output;
    std::string fromLabel;
    std::string toLabel;
    // The message of the first evaluation error, for the output box's tooltip; empty when none.
    std::string errorMessage;
    // Where that error lies in the input: its character (UTF-8) and its 1-based position in
    // characters. Position 0: the error has no place (a result that is not a number); an empty
    // character with a position: the error lies just past the end of the input.
    int errorPosition = 0;
    std::string errorCharacter;
};

// The one conversion path shared by the window and korvane-cli.
ConversionResult RunConversionRequest(const UnitCatalogue& catalogue,
                                      const ConversionRequest& request);

// The error message with its place, as a user reads it: "wrong symbol '§' at position 3";
// the bare message when the error has no place; empty without an error.
std::string ErrorDescription(const ConversionResult& result);

// The unit's name, or its name, "\n" and abbreviation when abbreviations are shown and the
// unit has one (" " means none).
std::string UnitLabelText(const UnitCatalogue& catalogue, int category, int unitIndex,
                          bool showAbbreviation);

}  // namespace korvane
