#include "cli/CliSupport.h"

#include <algorithm>
#include <numeric>

#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane::cli {

namespace {

std::string Simplified(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return FoldCase(text);
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> CloseNames(std::string_view wanted,
                                    const std::vector<std::string>& candidates, std::size_t limit) {
    const std::string key = Simplified(wanted);
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& name : candidates) {
        const std::string simple = Simplified(name);
        const std::size_t distance = simple == key ? 0 : EditDistance(key, simple) + 1;
        const std::size_t allowed = std::max<std::size_t>(3, key.size() / 3);
        const bool contains = !key.empty() && simple.find(key) != std::string::npos;
        if (distance <= allowed || contains)
            scored.emplace_back(contains && distance > 0 ? 1 : distance, name);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (const auto& entry : scored) {
        if (names.size() == limit)
            break;
        if (std::find(names.begin(), names.end(), entry.second) == names.end())
            names.push_back(entry.second);
    }
    return names;
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
