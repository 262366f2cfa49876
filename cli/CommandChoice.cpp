#include "cli/CommandChoice.h"

namespace korvane::cli {

std::string_view CommandWord(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--settings") {
            ++i;  // its value
        } else if (argument.starts_with("--settings=") || argument == "--no-settings") {
            continue;
        } else if (argument.starts_with("-")) {
            return {};
        } else {
            return argument;
        }
    }
    return {};
}

}  // namespace korvane::cli
