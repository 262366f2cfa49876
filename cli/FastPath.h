#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::cli {

// Whether `text` is a plain decimal number as a value option takes it: an optional sign,
// digits with an optional point, an optional exponent, and nothing else ("-.5", "1e3"; not
// "pi", "2abc", "nan" or " 2").
bool IsPlainNumber(std::string_view text);

// A `convert` command line that names no option: VALUE FROM TO, or one TEXT read as free form.
struct PlainConvert {
    std::string_view value;
    std::string_view from;  // empty for the free-form TEXT
    std::string_view to;
    bool freeForm = false;
};

// Reads `korvane-cli convert VALUE FROM TO` and `korvane-cli convert TEXT` (`arguments` with the
// program name first) without CLI11, whose set-up costs more than the conversion itself. Only
// lines CLI11 would hand to the command unchanged qualify: nothing else in the line may start
// with '-' (an option, "--" or "-" for standard input), except a VALUE that is a plain negative
// number. Anything else is empty and goes through CLI11.
std::optional<PlainConvert> ReadPlainConvert(const std::vector<std::string>& arguments);

}  // namespace korvane::cli
