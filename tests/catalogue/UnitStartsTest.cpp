#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CaseFold.h"
#include "catalogue/UnitAliases.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitStarts.h"
#include "catalogue/UnitTiers.h"
#include "catalogue/Utf8.h"

// A one-shot lookup visits only the units whose name or abbreviation can begin like the typed
// text. Whatever it skips, it must find what the full index finds.

namespace korvane {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    return text;
}

// Every text the catalogue holds for its units, in the case written and in others.
std::vector<std::string> TextsOf(const UnitCatalogue& catalogue) {
    std::vector<std::string> texts;
    const auto add = [&](std::string_view text) {
        if (text.empty() || text == " ")
            return;
        texts.emplace_back(text);
        texts.push_back(Upper(std::string(text)));
        texts.push_back(FoldCase(text));
    };
    for (int c = 0; c < kMaxCategories; ++c) {
        if (!IsLookupCategory(catalogue, c))
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u) {
            add(catalogue.UnitNameView(c, u));
            const std::string_view abbreviation = catalogue.UnitAbbreviationView(c, u);
            AnyUnitStart("", abbreviation, [&](std::string_view piece) {
                add(piece.substr(0, piece.find(',')));
                return false;
            });
        }
    }
    for (const UnitAlias& alias : UnitAliases())
        add(alias.alias);
    return texts;
}

void ExpectScanFindsWhatTheIndexFinds(const UnitCatalogue& catalogue) {
    const UnitTierIndex index(catalogue);
    for (const std::string& text : TextsOf(catalogue)) {
        SCOPED_TRACE(text);
        UnitTextMatches scanned(catalogue, text);
        UnitTextMatches indexed(catalogue, text, {}, &index);
        scanned.AdvanceTo(Tier::WithoutQualifier);
        indexed.AdvanceTo(Tier::WithoutQualifier);
        for (int c = 0; c < kMaxCategories; ++c) {
            EXPECT_EQ(scanned.In(c).tier, indexed.In(c).tier) << catalogue.CategoryName(c);
            EXPECT_EQ(scanned.In(c).units, indexed.In(c).units) << catalogue.CategoryName(c);
        }
        if (testing::Test::HasFailure())
            return;  // one text's report says it all
    }
}

TEST(UnitStarts, EveryNameAbbreviationAndAliasIsFoundAsTheIndexFindsIt) {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    ExpectScanFindsWhatTheIndexFinds(catalogue);
}

// A row that changed no longer reads the compiled-in units: it is read whole, what was added
// to it included, whatever letter that begins with.
TEST(UnitStarts, ChangedRowsAreReadAsTheyAreNow) {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    const int distance = *catalogue.TryFindCategory("Distance");
    ASSERT_TRUE(catalogue.AppendUnit(distance, "İnchling", 0.01));
    ASSERT_TRUE(catalogue.AppendUnit(distance, "zorkmile", 1609.0));
    const int custom = kFirstCustomCategory;
    catalogue.SetCategoryName(custom, "Money");
    ASSERT_TRUE(catalogue.AppendUnit(custom, "ft", 1));
    ASSERT_TRUE(catalogue.AppendUnit(custom, "µcoin", 1e-6));
    ExpectScanFindsWhatTheIndexFinds(catalogue);

    UnitTextMatches inchling(catalogue, "inchling");
    inchling.AdvanceTo(Tier::NameAnyCase);
    EXPECT_EQ(inchling.In(distance).tier, Tier::NameAnyCase);
    UnitTextMatches feet(catalogue, "ft");
    feet.AdvanceTo(Tier::Name);
    EXPECT_EQ(feet.In(custom).units, std::vector<int>{0});
}

TEST(UnitStarts, AUnitTextBeginningOutsideAsciiIsMetOnlyWhereComparingCanMeetIt) {
    const TypedStarts ft("ft", {"foot"});
    EXPECT_TRUE(ft.MayStart("FT (US Survey)"));
    EXPECT_TRUE(ft.MayStart("foot"));
    EXPECT_FALSE(ft.MayStart("fathom"));
    EXPECT_FALSE(ft.MayStart("µft"));
    EXPECT_TRUE(ft.MayStart("\u00B7ft"));  // a middle dot is skipped
    EXPECT_TRUE(ft.MayName("yard", "yd, ft"));
    EXPECT_FALSE(ft.MayName("yard", "yd"));

    const TypedStarts inch("inch", {});
    EXPECT_TRUE(inch.MayStart("İnch"));  // İ folds to i

    const TypedStarts micro("µm", {});
    EXPECT_TRUE(micro.AnyInitial());
    EXPECT_TRUE(micro.MayStart("meter"));
}

// The compiled-in initials put a start outside ASCII with the texts that begin in ASCII only
// when it is listed; a new fold into ASCII must be listed too.
TEST(UnitStarts, EveryCharacterThatFoldsIntoAsciiIsListed) {
    for (char32_t c = 0x80; c < 0x110000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        if (FoldCodePoint(c) >= 0x80)
            continue;
        std::string text;
        AppendUtf8(text, c);
        EXPECT_NE(std::find(kStartsMetFromAscii.begin(), kStartsMetFromAscii.end(), text),
                  kStartsMetFromAscii.end())
            << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

}  // namespace
}  // namespace korvane
