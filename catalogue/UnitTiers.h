#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/UnitAliases.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitStarts.h"

namespace korvane {

// How a typed text found a unit, strictest first. Within one category the first tier that
// finds anything decides. Every tier ignores blanks at the end of catalogue names.
enum class Tier {
    Name = 1,             // the exact name
    Abbreviation,         // the exact abbreviation, each piece of "NM, nmi", middle dots ignored
    NameAnyCase,          // the name, case folded
    Alias,                // the alias table, plurals, British spellings, powers, "per", "UK gal"
    AbbreviationAnyCase,  // the abbreviation or an alias, case folded ("KB", "ML", "MPH")
    WithoutQualifier,     // name or abbreviation without its trailing "(…)" ("kcal", "Btu")
    PartOfName,           // part of a name, 3 characters or more; always echoed
    None,
};

struct TierMatch {
    Tier tier = Tier::None;
    std::vector<int> units;  // catalogue order
    bool Found() const { return !units.empty(); }
};

// Which of the context aliases may apply.
struct TierContext {
    bool timeGroup = false;  // the text is one part of a mixed quantity ("1h20m")
};

// The units of `category` that `text` finds with exactly this tier.
std::vector<int> MatchTier(const UnitCatalogue& catalogue, int category, std::string_view text,
                           Tier tier, const TierContext& context = {});

// The other spellings the alias tier tries for a text: "square feet" -> "foot²", "UK gal" ->
// "gal (UK)", "kilometres per hour" -> "kilometer/hour", "inches" -> "inch".
std::vector<std::string> AliasForms(std::string_view text);

// The catalogue's names, abbreviations and aliases hashed by the key each tier compares, so a
// lookup costs a few hash probes instead of a pass over every unit. Worth building for a
// program that reads many texts (the window, on every keystroke); a one-shot reading scans.
// The catalogue must outlive the index and stay unchanged while it is in use.
class UnitTierIndex {
  public:
    explicit UnitTierIndex(const UnitCatalogue& catalogue);

    struct Hit {
        int category = 0;
        int unit = 0;
        bool timeGroupOnly = false;  // an alias of AliasScope::TimeGroup
    };
    using Hits = std::vector<Hit>;

    const Hits* Find(int table, const std::string& key) const;
    const std::string& FoldedName(int category, int unit) const { return folded_[category][unit]; }
    const UnitCatalogue& Catalogue() const { return catalogue_; }

    // The tables, one per kind of key.
    enum Table {
        kName,          // the name, trailing blanks dropped
        kAbbreviation,  // each abbreviation piece, middle dots dropped
        kNameFolded,    // the name, case folded
        kAlias,         // the alias as written
        kAbbreviationFolded,
        kAliasFolded,
        kBareNameFolded,  // the name without its trailing "(…)", case folded
        kBareAbbreviationFolded,
        kTables
    };

  private:
    void Add(int table, std::string key, Hit hit);

    const UnitCatalogue& catalogue_;
    std::array<std::unordered_map<std::string, Hits>, kTables> tables_;
    std::array<std::vector<std::string>, kMaxCategories> folded_;
};

// One text looked up in every category, tier by tier, only as far as a caller needs: a text
// such as "ft" that an early tier finds never pays for the loose ones. Not for Numbers.
class UnitTextMatches {
  public:
    // Without an index the text is looked up by a pass over the units that may begin like it.
    UnitTextMatches(const UnitCatalogue& catalogue, std::string text, TierContext context = {},
                    const UnitTierIndex* index = nullptr);

    // The same text in another context: shares the pass over the units, which no context changes.
    UnitTextMatches(const UnitTextMatches& sameText, TierContext context);

    const std::string& Text() const { return text_; }
    // Looks the text up with every tier up to `tier` in the categories that have found nothing.
    void AdvanceTo(Tier tier);
    const TierMatch& In(int category) const { return byCategory_[category]; }
    // Whether some category finds it with `tier` or a stricter one (after AdvanceTo(tier)).
    bool FoundBy(Tier tier) const;
    // The strictest tier that found it anywhere; None when nothing did.
    Tier BestTier() const;

  private:
    struct UnitScan {
        bool done = false;
        std::vector<std::string> forms;
        std::optional<TypedStarts> starts;
        std::array<TierMatch, kMaxCategories> byCategory;
    };

    void ScanStrictTiers();
    void ScanUnits();
    void AddIndexed(Tier tier);
    void AddHits(const UnitTierIndex::Hits* hits, std::vector<UnitTierIndex::Hit>& found) const;

    const UnitCatalogue& catalogue_;
    const UnitTierIndex* index_;
    std::string text_;
    TierContext context_;
    Tier done_ = Tier::None;  // None: nothing looked up yet
    std::vector<std::string> forms_;
    std::array<TierMatch, kMaxCategories> byCategory_;
    // Without an index: what the units and then the aliases gave, revealed tier by tier. The
    // pass over the units is made only without an index.
    std::shared_ptr<UnitScan> unitScan_;
    std::unique_ptr<std::array<TierMatch, kMaxCategories>> strict_;  // made by the first pass
};

// Whether the category takes part in the lookups: not Numbers, not a free slot.
bool IsLookupCategory(const UnitCatalogue& catalogue, int category);

}  // namespace korvane
