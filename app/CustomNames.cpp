#include "app/CustomNames.h"

#include "app/TextEncoding.h"
#include "catalogue/Blanks.h"
#include "catalogue/CaseFold.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

std::string Encoded(char32_t codePoint) {
    std::string text;
    AppendUtf8(text, codePoint);
    return text;
}

// The capital whose lower case, by the program's one case rule, is `small`; `small` itself when
// it has none. Found by running the rule backwards over the blocks it covers, so the two can
// never disagree; ASCII comes first, so 'i' gives 'I' rather than the Turkish dotted capital.
char32_t CapitalOf(char32_t small) {
    if (small >= U'a' && small <= U'z')
        return small - 0x20;
    if (small < 0x80)
        return small;
    // The sharp s has no one-letter capital in ordinary writing; the rare capital sharp s
    // (U+1E9E) folds to it but is not what "upper case" means for a first letter.
    if (small == 0xDF)
        return small;
    const std::string target = Encoded(small);
    const char32_t blocks[][2] = {{0xC0, 0x52F}, {0x1E00, 0x1EFF}};
    for (const auto& block : blocks) {
        for (char32_t c = block[0]; c <= block[1]; ++c) {
            if (c != small && FoldCase(Encoded(c)) == target)
                return c;
        }
    }
    return small;
}

}  // namespace

std::string_view TrimmedName(std::string_view name) {
    return TrimBlanks(name);
}

bool IsStorableUnitName(std::string_view trimmed) {
    return IsValidUtf8(trimmed) && !ContainsControlCharacter(trimmed);
}

bool IsStorableCategoryName(std::string_view trimmed) {
    return IsStorableUnitName(trimmed) && trimmed.find_first_of("[]") == std::string_view::npos;
}

std::string UnstorableNameReason(std::string_view what, std::string_view name) {
    if (!IsValidUtf8(name))
        return "the " + std::string(what) + " is not valid UTF-8 text";
    if (ContainsControlCharacter(name))
        return "the " + std::string(what) + " holds a line break or another control character";
    return {};
}

std::string CategoryNameCase(std::string_view trimmed) {
    return FoldCase(trimmed);
}

std::string UnitNameCase(std::string_view trimmed) {
    std::string lower = FoldCase(trimmed);
    const Utf8Char first = DecodeUtf8(lower, 0);
    if (first.length == 0)
        return lower;
    std::string name = Encoded(CapitalOf(first.codePoint));
    name.append(lower, first.length, std::string::npos);
    return name;
}

bool SameName(std::string_view a, std::string_view b) {
    return EqualsIgnoringCase(TrimmedName(a), TrimmedName(b));
}

std::optional<int> FindNamedCategory(const UnitCatalogue& catalogue, std::string_view name) {
    std::optional<int> found;
    bool ambiguous = false;
    for (int row = 0; row < kMaxCategories; ++row) {
        if (catalogue.IsFreeSlot(row))
            continue;
        const std::string& header = catalogue.CategoryName(row);
        if (header == name)
            return row;
        if (SameName(header, name)) {
            ambiguous = found.has_value();
            found = row;
        }
    }
    return ambiguous ? std::nullopt : found;
}

std::optional<int> FindNamedUnit(const UnitCatalogue& catalogue, int category,
                                 std::string_view name) {
    if (const std::optional<int> exact = catalogue.TryFindUnit(category, name))
        return exact;
    std::optional<int> found;
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        if (!SameName(catalogue.UnitName(category, u), name))
            continue;
        if (found)
            return std::nullopt;
        found = u;
    }
    return found;
}

}  // namespace korvane
