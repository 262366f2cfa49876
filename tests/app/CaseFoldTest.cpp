#include <gtest/gtest.h>

#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {
namespace {

struct FoldCase_ {
    const char* name;
    std::string_view input;
    std::string_view folded;
};

class FoldCaseTable : public ::testing::TestWithParam<FoldCase_> {};

TEST_P(FoldCaseTable, LowersEveryScriptItCovers) {
    EXPECT_EQ(FoldCase(GetParam().input), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FoldCaseTable,
    ::testing::Values(FoldCase_{"Ascii", "Data Transfer [KB/s]", "data transfer [kb/s]"},
                      FoldCase_{"Latin1", "ÀÉÎÕÜÞ", "àéîõüþ"},
                      FoldCase_{"Latin1KeepsSignsAndSharpS", "×÷ßµ", "×÷ßµ"},
                      FoldCase_{"LatinExtendedA", "ĄĆŁŃŚŹŻŒŠŽ", "ąćłńśźżœšž"},
                      FoldCase_{"OddPairedRows", "ĹĽĿŇŹŻŽ", "ĺľŀňźżž"},
                      FoldCase_{"YWithDiaeresisLeavesItsBlock", "Ÿ", "ÿ"},
                      FoldCase_{"DottedCapitalI", "İ", "i"}, FoldCase_{"CapitalSharpS", "ẞ", "ß"},
                      FoldCase_{"Vietnamese", "ẠẾỖ", "ạếỗ"},
                      FoldCase_{"Greek", "ΑΒΓΔΩ ΆΈΉΊΌΎΏ", "αβγδω άέήίόύώ"},
                      FoldCase_{"GreekFinalSigmaStays", "ΟΔΟΣ ς", "οδοσ ς"},
                      FoldCase_{"Cyrillic", "МЕТР ЁЂЏ Ѣ Ӂ Ӑ", "метр ёђџ ѣ ӂ ӑ"},
                      FoldCase_{"OtherScriptsUnchanged", "日本 ᎠᏴ", "日本 ᎠᏴ"},
                      FoldCase_{"BeyondTheBasicPlane", "Ä😀𝐀\U00010000\U0010FFFF",
                                "ä😀𝐀\U00010000\U0010FFFF"},
                      FoldCase_{"MalformedBytesPassThrough",
                                "A\xFF"
                                "B\xC3",
                                "a\xFF"
                                "b\xC3"},
                      FoldCase_{"OverlongAndSurrogateUnchanged", "\xC0\xAF\xED\xA0\x80Z",
                                "\xC0\xAF\xED\xA0\x80z"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CaseFold, EqualityIgnoresCaseOnly) {
    EXPECT_TRUE(EqualsIgnoringCase("DATA", "data"));
    EXPECT_TRUE(EqualsIgnoringCase("Ünit", "üNIT"));
    EXPECT_FALSE(EqualsIgnoringCase("H12", "H12 "));
    EXPECT_FALSE(EqualsIgnoringCase("ß", "ss"));
    EXPECT_FALSE(EqualsIgnoringCase("Ä😀", "ä😁"));
    EXPECT_FALSE(EqualsIgnoringCase("\U0001F600", "\U0001F640"));
}

TEST(Utf8, CountsCharactersAndValidates) {
    EXPECT_EQ(CharacterCount("µ"), 1u);
    EXPECT_EQ(CharacterCount("µm"), 2u);
    EXPECT_EQ(CharacterCount("\xB5"), 1u);  // a Windows-1252 byte on its own
    EXPECT_TRUE(IsValidUtf8("Grüße, 日本, 😀"));
    EXPECT_FALSE(
        IsValidUtf8("Gr\xFC\xDF"
                    "e"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
}

}  // namespace
}  // namespace korvane
