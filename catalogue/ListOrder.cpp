#include "catalogue/ListOrder.h"

#include <algorithm>
#include <array>

#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

// The letters of Latin-1 and Latin Extended-A that sort with a base letter: capitals and small
// letters alike (the text is case-folded first anyway), ligatures and ß spelled out as the
// letters they stand for. Letters of their own (ð, þ, ĸ, ŋ) and the signs × and ÷ keep their
// place after z.
struct BaseLetters {
    char32_t first;
    char32_t last;
    const char* base;
};

constexpr std::array kBaseLetters = {
    BaseLetters{0xC0, 0xC5, "a"},   BaseLetters{0xC6, 0xC6, "ae"},  BaseLetters{0xC7, 0xC7, "c"},
    BaseLetters{0xC8, 0xCB, "e"},   BaseLetters{0xCC, 0xCF, "i"},   BaseLetters{0xD1, 0xD1, "n"},
    BaseLetters{0xD2, 0xD6, "o"},   BaseLetters{0xD8, 0xD8, "o"},   BaseLetters{0xD9, 0xDC, "u"},
    BaseLetters{0xDD, 0xDD, "y"},   BaseLetters{0xDF, 0xDF, "ss"},  BaseLetters{0xE0, 0xE5, "a"},
    BaseLetters{0xE6, 0xE6, "ae"},  BaseLetters{0xE7, 0xE7, "c"},   BaseLetters{0xE8, 0xEB, "e"},
    BaseLetters{0xEC, 0xEF, "i"},   BaseLetters{0xF1, 0xF1, "n"},   BaseLetters{0xF2, 0xF6, "o"},
    BaseLetters{0xF8, 0xF8, "o"},   BaseLetters{0xF9, 0xFC, "u"},   BaseLetters{0xFD, 0xFD, "y"},
    BaseLetters{0xFF, 0xFF, "y"},   BaseLetters{0x100, 0x105, "a"}, BaseLetters{0x106, 0x10D, "c"},
    BaseLetters{0x10E, 0x111, "d"}, BaseLetters{0x112, 0x11B, "e"}, BaseLetters{0x11C, 0x123, "g"},
    BaseLetters{0x124, 0x127, "h"}, BaseLetters{0x128, 0x131, "i"}, BaseLetters{0x132, 0x133, "ij"},
    BaseLetters{0x134, 0x135, "j"}, BaseLetters{0x136, 0x137, "k"}, BaseLetters{0x139, 0x142, "l"},
    BaseLetters{0x143, 0x149, "n"}, BaseLetters{0x14C, 0x151, "o"}, BaseLetters{0x152, 0x153, "oe"},
    BaseLetters{0x154, 0x159, "r"}, BaseLetters{0x15A, 0x161, "s"}, BaseLetters{0x162, 0x167, "t"},
    BaseLetters{0x168, 0x173, "u"}, BaseLetters{0x174, 0x175, "w"}, BaseLetters{0x176, 0x178, "y"},
    BaseLetters{0x179, 0x17E, "z"}, BaseLetters{0x17F, 0x17F, "s"},
};

const char* BaseLetterOf(char32_t c) {
    if (c < kBaseLetters.front().first || c > kBaseLetters.back().last)
        return nullptr;
    const auto found = std::find_if(kBaseLetters.begin(), kBaseLetters.end(),
                                    [c](const BaseLetters& row) { return c <= row.last; });
    return found != kBaseLetters.end() && c >= found->first ? found->base : nullptr;
}

bool IsIgnoredMark(char c) {
    return c == '-' || c == '\'';
}

std::string WithoutHyphensAndApostrophes(std::string text) {
    std::erase_if(text, IsIgnoredMark);
    return text;
}

// The folded text with every letter carrying a diacritic replaced by its base letter and the
// ignored marks dropped: the first thing the list order compares.
std::string BaseLetterKey(std::string_view folded) {
    std::string key;
    key.reserve(folded.size());
    std::size_t at = 0;
    while (at < folded.size()) {
        const auto byte = static_cast<unsigned char>(folded[at]);
        if (byte < 0x80) {
            if (!IsIgnoredMark(folded[at]))
                key += folded[at];
            ++at;
            continue;
        }
        const Utf8Char decoded = DecodeUtf8(folded, at);
        const std::size_t length = decoded.length == 0 ? 1 : decoded.length;
        const char* base = decoded.length == 0 ? nullptr : BaseLetterOf(decoded.codePoint);
        if (base != nullptr) {
            key += base;
        } else {
            key.append(folded, at, length);
        }
        at += length;
    }
    return key;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

std::string FoldAccents(std::string_view text) {
    return BaseLetterKey(FoldCase(text));
}

int CompareListText(std::string_view a, std::string_view b) {
    const std::string foldedA = FoldCase(a);
    const std::string foldedB = FoldCase(b);
    const int letters = BaseLetterKey(foldedA).compare(BaseLetterKey(foldedB));
    if (letters != 0)
        return Sign(letters);
    const int marks =
        WithoutHyphensAndApostrophes(foldedA).compare(WithoutHyphensAndApostrophes(foldedB));
    if (marks != 0)
        return Sign(marks);
    const int folded = foldedA.compare(foldedB);
    if (folded != 0)
        return Sign(folded);
    return Sign(a.compare(b));
}

}  // namespace korvane
