#include "catalogue/UnitStarts.h"

#include <algorithm>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitTiers.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

}  // namespace

TypedStarts::TypedStarts(std::string_view text, const std::vector<std::string>& forms) {
    Add(text);
    for (const std::string& form : forms)
        Add(form);
}

void TypedStarts::Add(std::string_view text) {
    if (text.empty())
        return;
    Start start;
    start.length = std::min(text.size(), kCompared);
    for (std::size_t i = 0; i < start.length; ++i)
        start.letters[i] = LowerAscii(text[i]);
    starts_.push_back(start);
    if (!IsAscii(start.letters[0])) {
        anyInitial_ = true;
        return;
    }
    const auto initial = static_cast<unsigned char>(start.letters[0]);
    if (!isInitial_[initial])
        initials_.push_back(initial);
    isInitial_[initial] = true;
}

bool TypedStarts::MayName(std::string_view name, std::string_view abbreviation) const {
    return AnyUnitStart(name, abbreviation, [this](std::string_view s) { return MayStart(s); });
}

bool TypedStarts::MayStart(std::string_view unitText) const {
    // Most units fail on their first letter; only those that pass compare the second.
    if (unitText.empty() || !MayBeginWith(unitText.front()))
        return false;
    if (anyInitial_)
        return true;
    if (!IsAscii(unitText.front()))
        return MayStartOutsideAscii(unitText);
    return std::any_of(starts_.begin(), starts_.end(),
                       [&](const Start& start) { return Begins(unitText, start); });
}

// A typed text that begins in ASCII meets a unit text that does not ("µm", "°C", "Å") only
// where the comparison skips a middle dot or the unit's first letter folds into ASCII; that is
// worked out here rather than from the list, for rows that may hold anything.
bool TypedStarts::MayStartOutsideAscii(std::string_view unitText) const {
    if (unitText.starts_with(kStartsMetFromAscii[0]))
        return true;  // the middle dot, skipped
    const Utf8Char decoded = DecodeUtf8(unitText, 0);
    if (decoded.length == 0)
        return false;  // a malformed byte compares as itself
    const char32_t folded = FoldCodePoint(decoded.codePoint);
    return folded < 0x80 && isInitial_[folded];
}
bool TypedStarts::Begins(std::string_view unitText, const Start& start) {
    for (std::size_t i = 0; i < start.length; ++i) {
        if (!IsAscii(start.letters[i]))
            return true;
        if (i >= unitText.size())
            return false;
        if (!IsAscii(unitText[i]))
            return true;
        if (LowerAscii(unitText[i]) != start.letters[i])
            return false;
    }
    return true;
}

std::vector<UnitRef> CandidateUnits(const UnitCatalogue& catalogue, const TypedStarts& starts) {
    std::array<bool, kMaxCategories> compiledIn{};
    std::array<bool, kMaxCategories> lookup{};
    for (int c = 0; c < kMaxCategories; ++c) {
        lookup[c] = IsLookupCategory(catalogue, c);
        compiledIn[c] = lookup[c] && catalogue.ReadsCompiledInUnits(c);
    }
    const BuiltInInitials table = BuiltInUnitInitials();
    std::vector<std::uint16_t> found;
    const auto take = [&](std::size_t bucket) {
        for (std::size_t i = table.offsets[bucket]; i < table.offsets[bucket + 1]; ++i) {
            const BuiltInStart& start = table.starts[i];
            if (compiledIn[start.unit / 256] && starts.MayStart(start.Text()))
                found.push_back(start.unit);
        }
    };
    for (const unsigned char initial : starts.Initials())
        take(initial);
    take(BuiltInInitials::kOutsideAscii);
    // A unit may begin like the text by its name and by a piece, and in several buckets.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<UnitRef> units;
    units.reserve(found.size());
    for (const std::uint16_t packed : found)
        units.push_back({packed / 256, packed % 256, true});
    // A row that has changed (custom units, a custom category) is read as it is now.
    for (int c = 0; c < kMaxCategories; ++c) {
        if (!lookup[c] || compiledIn[c])
            continue;
        for (int u = 0, count = catalogue.UnitCount(c); u < count; ++u)
            units.push_back({c, u, false});
    }
    return units;
}

}  // namespace korvane
