#include "catalogue/ListOrder.h"

#include <algorithm>

#include "catalogue/CaseFold.h"

namespace korvane {

namespace {

std::string WithoutHyphensAndApostrophes(std::string text) {
    std::erase_if(text, [](char c) { return c == '-' || c == '\''; });
    return text;
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
