#include "cli/FastPath.h"

#include "catalogue/NumberText.h"

// No CLI11 here: every file that includes it constructs CLI11's validators at start-up.

namespace korvane::cli {

bool IsPlainNumber(std::string_view text) {
    return !text.empty() && DecimalNumberLength(text) == text.size();
}

std::optional<PlainConvert> ReadPlainConvert(const std::vector<std::string>& arguments) {
    if ((arguments.size() != 3 && arguments.size() != 5) || arguments[1] != "convert")
        return std::nullopt;
    // CLI11 takes "-5" and "-.5" (through the stand-in) for values; every other '-' word is an
    // option to it, or "-", which reads values from standard input.
    const std::string_view value = arguments[2];
    if (value.starts_with('-') && !IsPlainNumber(value))
        return std::nullopt;
    if (arguments.size() == 3)
        return PlainConvert{value, {}, {}, true};
    const std::string_view from = arguments[3];
    const std::string_view to = arguments[4];
    if (from.starts_with('-') || to.starts_with('-'))
        return std::nullopt;
    return PlainConvert{value, from, to, false};
}

}  // namespace korvane::cli
