#include "catalogue/CaseFold.h"

#include <algorithm>

#include "catalogue/Utf8.h"

namespace korvane {

namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Blocks where capital and small letter alternate: the capital sits at an even (or odd) code
// point and its small letter follows it.
bool IsPairedCapital(char32_t c, char32_t first, char32_t last) {
    return InRange(c, first, last) && (c - first) % 2 == 0;
}

char32_t LowerLatin(char32_t c) {
    if (InRange(c, 0xC0, 0xDE) && c != 0xD7)
        return c + 0x20;
    if (c == 0x130)
        return U'i';  // capital I with dot above
    if (c == 0x178)
        return 0xFF;  // Y with diaeresis
    if (IsPairedCapital(c, 0x100, 0x12E) || IsPairedCapital(c, 0x132, 0x136) ||
        IsPairedCapital(c, 0x139, 0x147) || IsPairedCapital(c, 0x14A, 0x176) ||
        IsPairedCapital(c, 0x179, 0x17D)) {
        return c + 1;
    }
    if (c == 0x1E9E)
        return 0xDF;  // capital sharp s
    if (IsPairedCapital(c, 0x1E00, 0x1E94) || IsPairedCapital(c, 0x1EA0, 0x1EFE))
        return c + 1;
    return c;
}

char32_t LowerGreek(char32_t c) {
    if (InRange(c, 0x391, 0x3A1) || InRange(c, 0x3A3, 0x3AB))
        return c + 0x20;
    switch (c) {
        case 0x386:
            return 0x3AC;
        case 0x388:
            return 0x3AD;
        case 0x389:
            return 0x3AE;
        case 0x38A:
            return 0x3AF;
        case 0x38C:
            return 0x3CC;
        case 0x38E:
            return 0x3CD;
        case 0x38F:
            return 0x3CE;
        case 0x37F:
            return 0x3F3;
        case 0x3CF:
            return 0x3D7;
        case 0x3F4:
            return 0x3B8;
        case 0x3F7:
            return 0x3F8;
        case 0x3F9:
            return 0x3F2;
        case 0x3FA:
            return 0x3FB;
        case 0x3FD:
            return 0x37B;
        case 0x3FE:
            return 0x37C;
        case 0x3FF:
            return 0x37D;
        default:
            break;
    }
    if (c == 0x370 || c == 0x372 || c == 0x376 || IsPairedCapital(c, 0x3D8, 0x3EE))
        return c + 1;
    return c;
}

char32_t LowerCyrillic(char32_t c) {
    if (InRange(c, 0x400, 0x40F))
        return c + 0x50;
    if (InRange(c, 0x410, 0x42F))
        return c + 0x20;
    if (c == 0x4C0)
        return 0x4CF;
    if (IsPairedCapital(c, 0x460, 0x480) || IsPairedCapital(c, 0x48A, 0x4BE) ||
        IsPairedCapital(c, 0x4C1, 0x4CD) || IsPairedCapital(c, 0x4D0, 0x52E)) {
        return c + 1;
    }
    return c;
}

char32_t LowerCodePoint(char32_t c) {
    if (c < 0x80)
        return InRange(c, U'A', U'Z') ? c + 0x20 : c;
    if (c < 0x370 || InRange(c, 0x1E00, 0x1EFF))
        return LowerLatin(c);
    if (c < 0x400)
        return LowerGreek(c);
    if (c < 0x530)
        return LowerCyrillic(c);
    return c;
}

}  // namespace

char32_t FoldCodePoint(char32_t c) {
    return LowerCodePoint(c);
}

std::string FoldCase(std::string_view utf8) {
    // Most names are ASCII: lower them in place and be done.
    std::string folded(utf8);
    std::size_t at = 0;
    for (; at < folded.size(); ++at) {
        const auto byte = static_cast<unsigned char>(folded[at]);
        if (byte >= 0x80)
            break;
        if (byte >= 'A' && byte <= 'Z')
            folded[at] = LowerAscii(folded[at]);
    }
    if (at == folded.size())
        return folded;
    folded.resize(at);
    while (at < utf8.size()) {
        const Utf8Char decoded = DecodeUtf8(utf8, at);
        if (decoded.length == 0) {
            folded += utf8[at];
            ++at;
            continue;
        }
        AppendUtf8(folded, LowerCodePoint(decoded.codePoint));
        at += decoded.length;
    }
    return folded;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    return FoldCase(a) == FoldCase(b);
}

bool EqualsFolded(std::string_view text, std::string_view folded) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii)
        return FoldCase(text) == folded;
    return text.size() == folded.size() &&
           std::equal(text.begin(), text.end(), folded.begin(),
                      [](char a, char b) { return LowerAscii(a) == b; });
}

bool ContainsFolded(std::string_view foldedText, std::string_view foldedQuery) {
    return foldedText.find(foldedQuery) != std::string_view::npos;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view query) {
    return ContainsFolded(FoldCase(text), FoldCase(query));
}

}  // namespace korvane
