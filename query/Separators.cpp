#include "query/Separators.h"

#include <algorithm>
#include <array>

#include "catalogue/CaseFold.h"

namespace korvane::query {

namespace {

constexpr std::array<std::string_view, 6> kWords{"into", "to", "in", "as", "=", ">"};

bool WordAt(std::string_view text, std::size_t at, std::string_view word) {
    if (at + word.size() > text.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[at + i]) != word[i])
            return false;
    }
    return true;
}

}  // namespace

std::vector<Separator> FindSeparators(std::string_view text) {
    std::vector<Separator> found;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at, 2) == "->") {
            std::size_t start = at;
            while (start > 0 && text[start - 1] == ' ')
                --start;
            std::size_t end = at + 2;
            while (end < text.size() && text[end] == ' ')
                ++end;
            found.push_back({start, end, at, "->"});
            continue;
        }
        if (text[at] != ' ' || at == 0)
            continue;
        for (std::string_view word : kWords) {
            const std::size_t after = at + 1 + word.size();
            if (!WordAt(text, at + 1, word) || (after < text.size() && text[after] != ' '))
                continue;
            found.push_back({at, std::min(after + 1, text.size()), at + 1, word});
            break;
        }
    }
    std::reverse(found.begin(), found.end());
    return found;
}

bool IsSeparatorWord(std::string_view text) {
    return EqualsIgnoringCase(text, "to") || EqualsIgnoringCase(text, "into") ||
           EqualsIgnoringCase(text, "as") || text == "=" || text == ">" || text == "->";
}

}  // namespace korvane::query
