#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalogue/UnitCatalogue.h"

namespace korvane {

// How a typed text found a unit, from the strictest kind to the loosest. A text is tried
// against each kind in this order, and the first kind that finds anything decides.
enum class UnitMatch {
    Exact,         // the whole name, byte for byte (the last one when a name occurs twice)
    Abbreviation,  // the whole abbreviation, byte for byte ("mm" and "Mm" are different units)
    IgnoringCase,  // the whole name with case folded (FoldCase)
    PartOfName,    // contained in the name, case folded, like the Find dialog's search
};

// What a text found in one category: the units of the first kind of match that found any.
// Exact finds at most one; the other kinds may find several, and then the text is ambiguous:
// it names none of them. Units that start with the text come first, then table order.
struct UnitLookup {
    UnitMatch match = UnitMatch::Exact;
    std::vector<int> units;

    bool Found() const { return units.size() == 1; }
    bool Ambiguous() const { return units.size() > 1; }
};

// The units of `category` that `text` finds with this one kind of match.
std::vector<int> MatchUnits(const UnitCatalogue& catalogue, int category, std::string_view text,
                            UnitMatch kind);

UnitLookup LookUpUnit(const UnitCatalogue& catalogue, int category, std::string_view text);

// A pair of unit texts and the category that holds both, for callers that are not told the
// category. In every category in use, each text is looked up as above; the categories where
// both find something are ranked by the looser of the two kinds of match, then by the stricter
// one. Only the best rank counts: one category there is the answer, several are reported. Two
// parts of names alone choose no category ("Euro" and "Cent" are parts of two Distance units):
// at least one of the texts must find a unit there by more than a part of its name.
struct UnitPairLookup {
    std::vector<int> categories;  // the best-ranked categories; empty when none holds both
    UnitLookup from;              // valid when there is exactly one category
    UnitLookup to;
    // Whether the text finds a unit in some category by more than a part of its name.
    bool fromKnown = false;
    bool toKnown = false;
};

class UnitFinder {
  public:
    // A finder that answers many pairs can hash the exact names and fold every name first, so
    // a pair of exact names costs two hash lookups instead of a scan of every name, and looser
    // texts fold no name again; one lookup is cheaper without.
    enum class Index { None, ExactNames };

    // The catalogue must outlive the finder and stay unchanged while an index is in use.
    explicit UnitFinder(const UnitCatalogue& catalogue, Index index = Index::None);

    UnitPairLookup FindPair(std::string_view from, std::string_view to) const;

  private:
    struct Progress;
    using FoldedCatalogue = std::array<std::vector<std::string>, kMaxCategories>;
    static FoldedCatalogue FoldAllNames(const UnitCatalogue& catalogue);
    void AddMatches(std::string_view text, UnitMatch kind, const FoldedCatalogue* folded,
                    Progress& progress) const;

    const UnitCatalogue& catalogue_;
    // With the index: exact name -> (category, unit) of its last occurrence in each category,
    // and every unit name case folded, for the looser kinds.
    std::unordered_map<std::string_view, std::vector<std::pair<int, int>>> exactNames_;
    std::optional<FoldedCatalogue> foldedNames_;
};

}  // namespace korvane
