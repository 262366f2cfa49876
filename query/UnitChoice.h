#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/UnitTiers.h"
#include "query/NumberReading.h"

namespace korvane::query {

// The lookups of one reading, kept so that a text tried by several splits is looked up once.
class LookupCache {
  public:
    LookupCache(const UnitCatalogue& catalogue, const UnitTierIndex* index)
        : catalogue_(catalogue), index_(index) {}
    UnitTextMatches& Get(std::string_view text, bool timeGroup = false);
    const UnitCatalogue& Catalogue() const { return catalogue_; }

  private:
    const UnitCatalogue& catalogue_;
    const UnitTierIndex* index_;
    std::vector<std::unique_ptr<UnitTextMatches>> entries_;
    std::vector<bool> timeGroups_;
};

// One unit text of a reading: a part's unit or the target.
struct UnitText {
    std::string text;                   // as looked up (after "u" -> "µ")
    std::size_t at = 0;                 // where it starts in the normalised text
    std::optional<int> forcedCategory;  // the marks ' " ° choose Distance or Angle
};

struct UnitChoice {
    int category = -1;
    std::vector<int> units;  // one per text
    std::vector<std::string> notes;
    std::optional<ReadError> error;
    std::vector<std::string> candidates;
};

struct ChoiceRequest {
    std::vector<UnitText> texts;  // the parts' units, then the target if any
    bool hasTarget = false;
    bool timeGroup = false;  // a mixed quantity: "m" may be the minute
    std::optional<int> shownCategory;
};

// The category and units the texts name together: rule T, the category on show, the pair's
// tiers, the preference table and the everyday order; then, inside the category, one unit per
// text (preference, the unqualified unit, the 1 % rule).
UnitChoice ChooseUnits(LookupCache& cache, const ChoiceRequest& request);

// Whether a text is a bare temperature letter (C, F, K, R).
bool IsBareTemperatureLetter(std::string_view text);

// The rank of a category in the everyday order (Distance first); large for the others.
int EverydayRank(std::string_view categoryName);

}  // namespace korvane::query
