#include "cli/CliSupport.h"

#include "catalogue/NameSuggestions.h"
#include "catalogue/Utf8.h"

namespace korvane::cli {

std::vector<std::string> CloseNames(std::string_view wanted,
                                    const std::vector<std::string>& candidates, std::size_t limit) {
    return SuggestNames(wanted, candidates, limit);
}

std::string JoinQuoted(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += (i + 1 == names.size()) ? " or " : ", ";
        out += '"' + Printable(names[i]) + '"';
    }
    return out;
}

std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = DecodeUtf8(text, i).length;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::vector<int> UsedCategories(const UnitCatalogue& catalogue) {
    std::vector<int> used;
    for (int c = 0; c < kMaxCategories; ++c) {
        if (!catalogue.IsFreeSlot(c))
            used.push_back(c);
    }
    return used;
}

}  // namespace korvane::cli
