#pragma once

#include <optional>
#include <string>
#include <string_view>
#include "cli/Cli11.h"

#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"
#include "cli/CliState.h"
#include "query/FreeFormReader.h"

namespace korvane::cli {

// The decimal separator of the numeric locale the environment names: LC_ALL, else LC_NUMERIC,
// else LANG (the first one set and not empty wins). "de_DE", "de_DE.UTF-8", "fr_FR@euro" give
// the comma of their language; C, POSIX, English and unset give the point. Pure: the caller
// passes what getenv returned.
query::DecimalSeparator DecimalForLocale(std::optional<std::string_view> lcAll,
                                         std::optional<std::string_view> lcNumeric,
                                         std::optional<std::string_view> lang);
query::DecimalSeparator DecimalFromEnvironment();

// One free-form text converted as the output box would show it.
struct FreeFormOutcome {
    std::string output;   // empty on a refusal
    std::string message;  // the refusal, for the standard error stream
    std::string echo;     // the reading, for --verbose
    int status = kExitOk;
};
FreeFormOutcome ConvertFreeForm(const UnitCatalogue& catalogue, std::string_view text,
                                const ResultFormat& format, query::DecimalSeparator decimal);

// `parse TEXT`: the reading as one tab-separated line.
void AddParseCommand(CLI::App& app, CliState& state);

// `convert TEXT`: prints the output, the refusal or, with `verbose`, the reading too.
void RunFreeFormConvert(CliState& state, std::string_view text, const ResultFormat& format,
                        bool verbose);

}  // namespace korvane::cli
