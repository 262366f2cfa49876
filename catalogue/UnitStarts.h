#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

// The texts of a unit that the strict lookup tiers compare begin where its name begins or where
// a piece of its abbreviation does ("NM, nmi" has two; the blanks the pieces are trimmed of are
// skipped). Calls `visit` with each such start until it returns true.
template <typename Visit>
constexpr bool AnyUnitStart(std::string_view name, std::string_view abbreviation, Visit visit) {
    if (!name.empty() && visit(name))
        return true;
    for (std::size_t start = 0; start < abbreviation.size();) {
        while (start < abbreviation.size() && abbreviation[start] == ' ')
            ++start;
        if (start < abbreviation.size() && visit(abbreviation.substr(start)))
            return true;
        // A plain loop: under the undefined-behaviour sanitizer GCC does not evaluate
        // string_view::find while compiling, and the compiled-in initials are made then.
        while (start < abbreviation.size() && abbreviation[start] != ',')
            ++start;
        ++start;
    }
    return false;
}

// The beginnings outside ASCII that a typed text beginning in ASCII may still meet: the
// comparisons skip a middle dot, and İ folds to i. Every other unit text that begins outside
// ASCII ("µm", "°C", "Å") can equal only a typed text that does too.
inline constexpr std::array<std::string_view, 2> kStartsMetFromAscii = {"\u00B7", "\u0130"};

// How the typed text and its forms begin: their first four characters, case folded. A unit none
// of whose starts begins as one of them does cannot equal any of them, case aside. A character
// outside ASCII may fold to another or be a middle dot that the comparison skips, so from there
// on it rules nothing out.
class TypedStarts {
  public:
    TypedStarts(std::string_view text, const std::vector<std::string>& forms);

    // Whether the unit may be named by the text or a form, by any strict tier.
    bool MayName(std::string_view name, std::string_view abbreviation) const;
    // Whether `unitText` may begin as the text or a form does.
    bool MayStart(std::string_view unitText) const;
    // Its first test alone, inline for passes over many texts: most fail it.
    bool MayBeginWith(char first) const {
        const auto byte = static_cast<unsigned char>(first);
        return anyInitial_ || byte >= 0x80 ||
               isInitial_[static_cast<unsigned char>(LowerAscii(first))];
    }

    // The first letters, ASCII and folded; meaningless when one is outside ASCII.
    const std::vector<unsigned char>& Initials() const { return initials_; }
    bool AnyInitial() const { return anyInitial_; }

  private:
    // Enough to tell "ft" from "ft 7" and "fathom" cheaply; a longer text is compared in full.
    static constexpr std::size_t kCompared = 4;

    struct Start {
        std::array<char, kCompared> letters{};
        std::size_t length = 0;
    };

    void Add(std::string_view text);
    bool MayStartOutsideAscii(std::string_view unitText) const;
    static bool Begins(std::string_view unitText, const Start& start);

    std::vector<Start> starts_;
    std::vector<unsigned char> initials_;
    std::array<bool, 128> isInitial_{};
    bool anyInitial_ = false;
};

struct UnitRef {
    int category = 0;
    int unit = 0;
    bool mayName = false;  // known to begin like the text; otherwise ask MayName
};

// The units of the lookup categories that may begin as `starts` does, category by category and
// in catalogue order, each once: of the built-in rows those the compiled-in starts show may,
// the rows that have changed whole. Only for starts whose initials are all ASCII.
std::vector<UnitRef> CandidateUnits(const UnitCatalogue& catalogue, const TypedStarts& starts);

}  // namespace korvane
