#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ListOrder.h"

namespace korvane {
namespace {

struct OrderedPair {
    const char* name;
    std::string_view first;
    std::string_view second;
};

class ListOrderPairs : public ::testing::TestWithParam<OrderedPair> {};

// Each pair in list order: the first sorts before the second, and never the other way round.
TEST_P(ListOrderPairs, FirstComesBeforeSecond) {
    const OrderedPair& pair = GetParam();
    EXPECT_EQ(CompareListText(pair.first, pair.second), -1);
    EXPECT_EQ(CompareListText(pair.second, pair.first), 1);
    EXPECT_TRUE(ListTextLess(pair.first, pair.second));
    EXPECT_FALSE(ListTextLess(pair.second, pair.first));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ListOrderPairs,
    ::testing::Values(
        // Without the rule "co-op" would sort before "cook" because '-' is below the letters.
        OrderedPair{"HyphenDoesNotSeparateWords", "cook", "co-op"},
        OrderedPair{"DigitsAfterHyphen", "base-10 (decimal)", "base-16 (hexadecimal)"},
        OrderedPair{"PrefixFirst", "Volume", "Volume (Dry)"},
        // Equal once the marks are ignored: the text with the mark comes first, as it folds
        // lower.
        OrderedPair{"HyphenBreaksTie", "x-ray", "xray"},
        OrderedPair{"ApostropheBreaksTie", "ohm's", "ohms"},
        OrderedPair{"CaseIgnoredSmallFirst", "acre", "Barn"},
        OrderedPair{"CaseIgnoredCapitalFirst", "Acre", "barn"},
        OrderedPair{"CaseDecidesOnlyBetweenEqualTexts", "Foot", "foot"},
        OrderedPair{"MixedCasePrefix", "MBH", "mbh/h"},
        // Byte order would put the capital Ö (C3 96) before å (C3 A5).
        OrderedPair{"FoldsBeyondAscii", "ångström", "Ödeme"},
        OrderedPair{"CapitalBeyondAsciiFirstWhenEqual", "Ω", "ω"},
        // Letters with diacritics sort with their base letter, not after z.
        OrderedPair{"RingSortsWithA", "ångström", "yard"},
        OrderedPair{"RingBetweenAAndB", "acre", "Ångström"},
        OrderedPair{"UmlautSortsWithO", "Öre", "pound"},
        OrderedPair{"UmlautAfterItsBaseLetterWord", "ohm", "Ömega"},
        OrderedPair{"SharpSIsDoubleS", "Maß", "Mast"},
        OrderedPair{"SharpSAfterStreet", "Strasse", "Straße"},
        OrderedPair{"LigatureSpelledOut", "Æon", "Afar"},
        OrderedPair{"ExtendedALetters", "Łódź", "lumen"},
        OrderedPair{"CaronSortsWithC", "čas", "cd"}, OrderedPair{"DotlessISortsWithI", "ıb", "ic"},
        // Equal base letters: the plain letter first, then as before (capitals first).
        OrderedPair{"PlainLetterBeforeDiacritic", "a", "å"},
        OrderedPair{"PlainWordBeforeDiacriticWord", "Angstrom", "ångström"},
        OrderedPair{"CapitalDiacriticFirstWhenEqual", "Ångström", "ångström"},
        OrderedPair{"HyphenStillIgnoredWithDiacritics", "Öl", "ö-m"},
        // Letters of their own stay after z, as do other scripts.
        OrderedPair{"ThornAfterZ", "zone", "þing"}, OrderedPair{"EthAfterZ", "zz", "ð"},
        OrderedPair{"MicroSignAfterZ", "zeta", "µm"},
        OrderedPair{"GreekAfterLatinDiacritics", "ž", "α"}),
    [](const ::testing::TestParamInfo<OrderedPair>& param) {
        return std::string(param.param.name);
    });

TEST(ListOrder, EqualOnlyForTheSameBytes) {
    EXPECT_EQ(CompareListText("meter", "meter"), 0);
    EXPECT_EQ(CompareListText("", ""), 0);
    EXPECT_NE(CompareListText("Meter", "meter"), 0);
    EXPECT_NE(CompareListText("x-ray", "xray"), 0);
    EXPECT_NE(CompareListText("co-op", "co'op"), 0);
    EXPECT_EQ(CompareListText("", "a"), -1);
}

TEST(ListOrder, SortsTheListsOfTheWindow) {
    std::vector<std::string> texts = {"Volume (Dry)", "meter", "Acceleration", "co-op", "Foot",
                                      "foot",         "cook",  "Volume",       "x-ray", "xray"};
    std::sort(texts.begin(), texts.end(), ListTextLess);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Acceleration", "cook", "co-op", "Foot", "foot", "meter",
                                        "Volume", "Volume (Dry)", "x-ray", "xray"}));
}

// The Distance list as the window shows it: the units with diacritics among their neighbours.
TEST(ListOrder, DiacriticsSortAmongTheirNeighbours) {
    std::vector<std::string> texts = {"yard",     "ångström", "astronomical unit", "Ångström",
                                      "angstrom", "mile",     "Mächtigkeit",       "macron"};
    std::sort(texts.begin(), texts.end(), ListTextLess);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"angstrom", "Ångström", "ångström", "astronomical unit",
                                        "Mächtigkeit", "macron", "mile", "yard"}));
}

// Stored positions are only meaningful if the order is a total one: for every pair exactly one
// of a < b, b < a or a == a byte for byte, and no cycles among three texts.
TEST(ListOrder, IsATotalOrderOnTrickyTexts) {
    const std::vector<std::string> texts = {
        "",        "-",      "'",     "a",     "A",     "a-",     "-a",       "'a",       "a'b",
        "a-b",     "ab",     "AB",    "Ab",    "aB",    "ab-",    "co-op",    "co'op",    "coop",
        "Coop",    "x-ray",  "xray",  "X-Ray", "Ω",     "ω",      "Ångström", "ångström", "\xFF",
        "A\xFF",   "a\xFF",  "a\xC3", "meter", "Meter", "m-eter", "å",        "Å",        "aa",
        "æ",       "ae",     "Æ",     "AE",    "ß",     "ss",     "SS",       "ẞ",        "straße",
        "strasse", "Straße", "ö-l",   "öl",    "ol",    "Öl",     "o'l",      "ŉ",        "'n"};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            const int ab = CompareListText(a, b);
            EXPECT_EQ(ab, -CompareListText(b, a)) << a << " / " << b;
            EXPECT_EQ(ab == 0, a == b) << a << " / " << b;
            for (const std::string& c : texts) {
                if (ab < 0 && CompareListText(b, c) < 0) {
                    EXPECT_LT(CompareListText(a, c), 0) << a << " / " << b << " / " << c;
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvane
