#include "ui/main/ListOrder.h"

#include <algorithm>

namespace korvane {

namespace {

std::string WithoutHyphensAndApostrophes(std::string text) {
    std::erase_if(text, [](char c) { return c == '-' || c == '\''; });
    return text;
}

// WIRING POINT (settings store): ASCII folding until the core's FoldCase
// (catalogue/CaseFold.h) lands; then this function goes and FoldCase is called instead.
std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
    const std::string foldedA = FoldCase(a);
    const std::string foldedB = FoldCase(b);
    const int primary =
        WithoutHyphensAndApostrophes(foldedA).compare(WithoutHyphensAndApostrophes(foldedB));
    if (primary != 0)
        return Sign(primary);
    const int secondary = foldedA.compare(foldedB);
    if (secondary != 0)
        return Sign(secondary);
    return Sign(a.compare(b));
}

}  // namespace korvane
