#pragma once

#include <cstddef>
#include <string_view>

// Output through stdio, for the paths that run without the standard streams: the one-shot
// conversion prints one line and may print a note; opening the streams would cost more.
namespace korvane::cli {

// `text` and a line end on standard output.
void PrintLine(std::string_view text);

// "korvane-cli: ", `text` and a line end on standard error.
void PrintMessage(std::string_view text);

// The same, for the line `lineNumber` of a batch: "korvane-cli: line 3: ...".
void PrintLineMessage(std::size_t lineNumber, std::string_view text);

}  // namespace korvane::cli
