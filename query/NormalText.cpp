#include "query/NormalText.h"

#include <algorithm>
#include <array>

#include "catalogue/Utf8.h"

namespace korvane::query {

namespace {

struct Replacement {
    char32_t from;
    std::string_view to;
};

// Vulgar fractions get blanks around them, so "1½" reads as the mixed number "1 1/2".
constexpr std::array kReplacements = {
    Replacement{0x03BC, "µ"},     Replacement{0x2103, "°C"},     Replacement{0x2109, "°F"},
    Replacement{0x00BA, "°"},     Replacement{0x2032, "'"},      Replacement{0x2019, "'"},
    Replacement{0x2018, "'"},     Replacement{0x2033, "\""},     Replacement{0x201D, "\""},
    Replacement{0x201C, "\""},    Replacement{0x2113, "L"},      Replacement{0x22C5, "·"},
    Replacement{0x00D7, "·"},     Replacement{0x00A0, " "},      Replacement{0x2009, " "},
    Replacement{0x202F, " "},     Replacement{0x2007, " "},      Replacement{0x2212, "-"},
    Replacement{0x2044, "/"},     Replacement{0x2192, " -> "},   Replacement{0x00BD, " 1/2 "},
    Replacement{0x00BC, " 1/4 "}, Replacement{0x00BE, " 3/4 "},  Replacement{0x2150, " 1/7 "},
    Replacement{0x2151, " 1/9 "}, Replacement{0x2152, " 1/10 "}, Replacement{0x2153, " 1/3 "},
    Replacement{0x2154, " 2/3 "}, Replacement{0x2155, " 1/5 "},  Replacement{0x2156, " 2/5 "},
    Replacement{0x2157, " 3/5 "}, Replacement{0x2158, " 4/5 "},  Replacement{0x2159, " 1/6 "},
    Replacement{0x215A, " 5/6 "}, Replacement{0x215B, " 1/8 "},  Replacement{0x215C, " 3/8 "},
    Replacement{0x215D, " 5/8 "}, Replacement{0x215E, " 7/8 "},
};

bool IsControl(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

void Append(NormalText& out, std::string_view text, int column) {
    out.text += text;
    out.columns.insert(out.columns.end(), text.size(), column);
}

// Blanks collapse to one, and none survive at the ends.
void Tidy(NormalText& out) {
    NormalText tidy;
    for (std::size_t i = 0; i < out.text.size(); ++i) {
        const bool blank = out.text[i] == ' ';
        if (blank && (tidy.text.empty() || tidy.text.back() == ' '))
            continue;
        tidy.text += out.text[i];
        tidy.columns.push_back(out.columns[i]);
    }
    while (!tidy.text.empty() && tidy.text.back() == ' ') {
        tidy.text.pop_back();
        tidy.columns.pop_back();
    }
    tidy.columns.push_back(out.columns.back());
    tidy.hasDegree = out.hasDegree;
    out = std::move(tidy);
}

bool IsLetterAt(std::string_view text, std::size_t at) {
    if (at >= text.size())
        return false;
    const char c = text[at];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsTemperatureLetter(char c) {
    return c == 'C' || c == 'F' || c == 'K' || c == 'R' || c == 'c' || c == 'f' || c == 'k' ||
           c == 'r';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// "deg F", "degrees F", "degF" stay for the alias table; "° F" and "deg F"/"degrees F" with a
// blank become "°F". Only a lone letter follows: "° 26'" and "degrees Fahrenheit" stay.
void JoinDegreeLetters(NormalText& out) {
    constexpr std::array kWords{std::string_view("degrees "), std::string_view("degree "),
                                std::string_view("deg "), std::string_view("° ")};
    std::string& t = out.text;
    for (std::size_t at = 0; at < t.size(); ++at) {
        if (at > 0 && IsLetterAt(t, at - 1))
            continue;
        for (std::string_view word : kWords) {
            const std::size_t letter = at + word.size();
            if (t.compare(at, word.size(), word) != 0 || letter >= t.size() ||
                !IsTemperatureLetter(t[letter]) || IsLetterAt(t, letter + 1))
                continue;
            const std::string degree = "°";
            const int column = out.columns[at];
            t.replace(at, word.size(), degree);
            out.columns.erase(out.columns.begin() + at, out.columns.begin() + at + word.size());
            out.columns.insert(out.columns.begin() + at, degree.size(), column);
            t[at + degree.size()] = Upper(t[at + degree.size()]);
            out.hasDegree = true;
            break;
        }
    }
}

}  // namespace

std::optional<NormalisationError> Normalise(std::string_view typed, NormalText& out) {
    out = NormalText();
    std::size_t at = 0;
    int column = 1;
    for (; at < typed.size(); ++column) {
        if (column > static_cast<int>(kMaxReadCharacters)) {
            return NormalisationError{"the text is too long to read as a conversion (at most " +
                                          std::to_string(kMaxReadCharacters) + " characters)",
                                      column};
        }
        const Utf8Char c = DecodeUtf8(typed, at);
        if (c.length == 0)
            return NormalisationError{"the text is not valid UTF-8", column};
        if (IsControl(c.codePoint))
            return NormalisationError{"unexpected control character", column};
        if (c.codePoint < 0x80) {
            Append(out, typed.substr(at, 1), column);
            ++at;
            continue;
        }
        if (c.codePoint == 0xB0)
            out.hasDegree = true;
        const auto replacement =
            std::find_if(kReplacements.begin(), kReplacements.end(),
                         [&](const Replacement& r) { return r.from == c.codePoint; });
        if (replacement != kReplacements.end()) {
            if (replacement->to.starts_with("°"))
                out.hasDegree = true;
            Append(out, replacement->to, column);
        } else {
            Append(out, typed.substr(at, c.length), column);
        }
        at += c.length;
    }
    out.columns.push_back(column);
    Tidy(out);
    JoinDegreeLetters(out);
    return std::nullopt;
}

}  // namespace korvane::query
