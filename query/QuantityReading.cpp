#include "query/QuantityReading.h"

#include <algorithm>

namespace korvane::query {

namespace {

constexpr std::string_view kDegree = "°";

bool IsDigitAt(std::string_view text, std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "+ " or "and " joining two parts; the length of the join, 0 when none.
std::size_t JoinAt(std::string_view text, std::size_t at) {
    if (text.substr(at, 2) == "+ ")
        return 2;
    if (text.substr(at, 4) == "and " || text.substr(at, 4) == "AND ")
        return 4;
    return 0;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
    return at;
}

bool PartMayStart(std::string_view text, std::size_t at) {
    return StartsValue(text, at) || JoinAt(text, at) > 0;
}

// Where a unit run may end: at the end, before a blank that a part follows, and between a
// letter and a digit ("5ft7in").
std::vector<std::size_t> UnitEnds(std::string_view text, std::size_t from) {
    std::vector<std::size_t> ends{text.size()};
    for (std::size_t e = text.size(); e-- > from + 1;) {
        const bool beforePart = text[e] == ' ' && PartMayStart(text, e + 1);
        const bool letterDigit = IsDigitAt(text, e) && IsAsciiLetter(text[e - 1]);
        if (beforePart || letterDigit)
            ends.push_back(e);
    }
    return ends;  // longest first
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The longest run from `at` that names a unit, strict tiers first, then parts of names.
bool ReadUnit(std::string_view text, std::size_t at, const UnitResolver& resolve, Part& part,
              Quantity& quantity) {
    const std::vector<std::size_t> ends = UnitEnds(text, at);
    for (bool loose : {false, true}) {
        for (std::size_t end : ends) {
            const std::string_view run = Trimmed(text.substr(at, end - at));
            if (run.empty())
                continue;
            if (auto found = resolve(run, loose)) {
                part.unit = std::move(*found);
                part.unitAt = at;
                part.unitEnd = at + run.size();
                return true;
            }
        }
    }
    // Name the first word that named nothing (the whole run when it has no word break).
    const std::string_view word = Trimmed(text.substr(at, ends.back() - at));
    quantity.error = ReadError{"unknown unit", at, std::string(word)};
    return false;
}

Mark MarkAt(std::string_view text, std::size_t at, bool hasDegree) {
    if (at >= text.size())
        return Mark::None;
    if (text[at] == '\'')
        return hasDegree ? Mark::Minute : Mark::Foot;
    if (text[at] == '"')
        return hasDegree ? Mark::Second : Mark::Inch;
    if (text.substr(at, kDegree.size()) == kDegree) {
        const std::size_t next = at + kDegree.size();
        const std::size_t after = SkipBlanks(text, next);
        if (next == text.size() || IsDigitAt(text, next) ||
            (after > next && (after == text.size() || IsDigitAt(text, after))))
            return Mark::Degree;
    }
    return Mark::None;
}

std::size_t MarkLength(Mark mark) {
    return mark == Mark::Degree ? kDegree.size() : 1;
}

// A run of the marks: each value carries one, in falling size; after a foot a last bare value
// is inches ("5'7"). Marks and unit words do not mix ("1'000 m" is not a foot and 0 meters).
std::optional<ReadError> CheckMarks(Quantity& quantity, bool hasDegree) {
    const bool anyMark = std::any_of(quantity.parts.begin(), quantity.parts.end(),
                                     [](const Part& p) { return p.mark != Mark::None; });
    if (!anyMark)
        return std::nullopt;
    Mark previous = Mark::None;
    for (Part& part : quantity.parts) {
        if (part.bare && &part == &quantity.parts.back() && previous == Mark::Foot && !hasDegree) {
            part.bare = false;
            part.mark = Mark::Inch;
        }
        if (part.mark == Mark::None || part.mark <= previous)
            return ReadError{"malformed quantity: marks and units mixed", part.valueAt};
        previous = part.mark;
    }
    return std::nullopt;
}

// After a foot mark, three digits and no inch mark are a Swiss thousands group: refused.
bool ApostropheGroup(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (IsDigitAt(text, end))
        ++end;
    return end - at == 3 && (end == text.size() || text[end] != '"');
}

}  // namespace

Quantity ReadQuantity(const QuantitySource& source, const UnitResolver& resolve) {
    Quantity quantity;
    const std::string_view text = source.text.substr(0, source.end);
    std::size_t pos = SkipBlanks(text, source.begin);
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        quantity.negative = text[pos] == '-';
        pos = SkipBlanks(text, pos + 1);
    }
    if (!StartsValue(text, pos)) {
        quantity.noValue = true;
        return quantity;
    }
    while (pos < text.size()) {
        Part part;
        part.valueAt = pos;
        ValueRead value = ReadValue(text, pos, source.decimal);
        if (value.error) {
            quantity.error = value.error;
            return quantity;
        }
        part.value = value.value;
        quantity.notes.insert(quantity.notes.end(), value.notes.begin(), value.notes.end());
        pos = value.end;
        // The marks belong to the value even after a blank ("5 ″"): the grammar reads them,
        // never the tiers, where ' and " are the Angle's abbreviations.
        const std::size_t markAt = SkipBlanks(text, pos);
        part.mark = MarkAt(text, markAt, source.hasDegree);
        if (part.mark != Mark::None)
            pos = markAt;
        if (part.mark != Mark::None) {
            pos += MarkLength(part.mark);
            if (part.mark == Mark::Foot && ApostropheGroup(text, pos)) {
                quantity.error = ReadError{"malformed number: an apostrophe does not group digits",
                                           part.valueAt};
                return quantity;
            }
        } else {
            pos = SkipBlanks(text, pos);
            part.bare = pos >= text.size() || PartMayStart(text, pos);
            if (!part.bare && !ReadUnit(text, pos, resolve, part, quantity))
                return quantity;
            if (!part.bare)
                pos = part.unitEnd;
        }
        quantity.parts.push_back(std::move(part));
        pos = SkipBlanks(text, pos);
        if (const std::size_t join = JoinAt(text, pos)) {
            pos = SkipBlanks(text, pos + join);
            if (!StartsValue(text, pos)) {
                quantity.error = ReadError{"unexpected text", pos};
                return quantity;
            }
        } else if (pos < text.size() && !StartsValue(text, pos)) {
            quantity.error = ReadError{"unexpected text", pos};
            return quantity;
        }
    }
    if (auto error = CheckMarks(quantity, source.hasDegree))
        quantity.error = error;
    return quantity;
}

}  // namespace korvane::query
