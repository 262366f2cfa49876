#include "app/IniDocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "catalogue/CaseFold.h"

namespace korvane {
namespace {

std::optional<std::string> Lookup(const IniDocument& document, std::string_view section,
                                  std::string_view key) {
    const auto value = document.Find(FoldCase(section), FoldCase(key));
    if (!value)
        return std::nullopt;
    return std::string(*value);
}

TEST(IniDocument, ReadsLfCrLfAndLoneCrAlike) {
    for (const std::string_view text :
         {"[S]\nA=1\nB=2\n", "[S]\r\nA=1\r\nB=2\r\n", "[S]\rA=1\rB=2"}) {
        const IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(Lookup(document, "S", "A"), "1") << text;
        EXPECT_EQ(Lookup(document, "S", "B"), "2") << text;
    }
}

// Lines added to a file take its own line break; a file that has none yet, the platform's.
TEST(IniDocument, KeepsTheFilesLineBreakOrTakesThePlatforms) {
#ifdef _WIN32
    const std::string platform = "\r\n";
#else
    const std::string platform = "\n";
#endif
    const struct {
        std::string_view before;
        std::string after;
    } cases[] = {
        {"", "[S]" + platform + "K=1" + platform},
        {"[S]", "[S]" + platform + "K=1" + platform},
        {"[S]\nA=0\r\n", "[S]\nA=0\nK=1\n"},
        {"[S]\r\nA=0\n", "[S]\r\nA=0\r\nK=1\r\n"},
    };
    for (const auto& row : cases) {
        IniDocument document = IniDocument::Parse(row.before);
        ASSERT_TRUE(document.Set("S", "K", "1"));
        EXPECT_EQ(document.Serialise(), row.after) << row.before;
    }
}

TEST(IniDocument, MatchesNamesIgnoringCaseAndTrimsBlanks) {
    const IniDocument document =
        IniDocument::Parse("  [ Viscosity (Kinematic) ]  \n\tvisibility =  1 \n[ÄRGER]\nÖL=x=y\n");
    EXPECT_EQ(Lookup(document, "viscosity (kinematic)", "VISIBILITY"), "1");
    EXPECT_EQ(Lookup(document, "ärger", "öl"), "x=y");
}

TEST(IniDocument, FirstOccurrenceWinsAcrossDuplicates) {
    const IniDocument document =
        IniDocument::Parse("[S]\nA=first\nA=second\n[s]\nA=third\nB=only later\n");
    EXPECT_EQ(Lookup(document, "S", "A"), "first");
    EXPECT_EQ(Lookup(document, "S", "B"), "only later");
    const IniIndex index = IniIndex::Build("[S]\nA=first\nA=second\n[s]\nA=third\nB=only later\n");
    EXPECT_EQ(index.Find("s", "a"), "first");
    EXPECT_EQ(index.Find("s", "b"), "only later");
}

TEST(IniDocument, IgnoresWhatIsNotAnEntryOfASection) {
    const std::string_view text =
        "Orphan=1\n"
        "[S]\n"
        "no equals sign\n"
        "; A=comment\n"
        "# B=comment\n"
        "=no key\n"
        "[Broken\n"
        "C=under a broken header\n"
        "[T] trailing text\n"
        "D=4\n";
    const IniDocument document = IniDocument::Parse(text);
    EXPECT_EQ(Lookup(document, "", "Orphan"), std::nullopt);
    EXPECT_EQ(Lookup(document, "S", "A"), std::nullopt);
    EXPECT_EQ(Lookup(document, "S", "B"), std::nullopt);
    EXPECT_EQ(Lookup(document, "S", "C"), std::nullopt);
    EXPECT_EQ(Lookup(document, "Broken", "C"), std::nullopt);
    EXPECT_EQ(Lookup(document, "T", "D"), "4");
    const IniIndex index = IniIndex::Build(text);
    EXPECT_EQ(index, IniIndex::Build("[S]\n[T]\nD=4\n"));
}

// What FindSection would gather, found in one pass: the key in any case, a section named twice
// once, nothing before the first header or under a broken one.
TEST(IniDocument, SectionNamesWithKeyAgreeWithTheSectionsKeys) {
    const IniDocument document = IniDocument::Parse(
        "CustomUnit_1=orphan\n"
        "[Distance]\nVisibility=1\n"
        "[Money]\nCUSTOMUNIT_2=Euro\n"
        "[Broken\nCustomUnit_1=lost\n"
        "[Time]\nCustomUnits=0\nCustomUnitX=1\n"
        "[money]\ncustomunit_3=Cent\n"
        "[Mass]\nCustom=1\n");
    EXPECT_EQ(document.SectionNamesWithKey("customunit_"), (std::vector<std::string>{"money"}));
    EXPECT_EQ(document.SectionNamesWithKey("customunit"),
              (std::vector<std::string>{"money", "time"}));
    EXPECT_TRUE(document.SectionNamesWithKey("nothing").empty());
}

TEST(IniDocument, SectionNamesMayHoldBrackets) {
    const IniDocument document = IniDocument::Parse("[a[b]c]\nK=v\n");
    EXPECT_EQ(Lookup(document, "a[b]c", "K"), "v");
}

TEST(IniDocument, DecodesWindows1252WhenNotUtf8) {
    // "Maß" and "µm" as single Windows-1252 bytes, plus the euro sign at 0x80.
    const IniDocument document = IniDocument::Parse("[Ma\xDF]\n\xB5m=\x80 5\n");
    EXPECT_EQ(Lookup(document, "maß", "µM"), "€ 5");
    EXPECT_EQ(document.Serialise(), "[Maß]\nµm=€ 5\n");
}

TEST(IniDocument, DecodesOnlyTheLinesThatAreNotUtf8) {
    const IniDocument document = IniDocument::Parse("[Maß]\r\n\xB5m=\xB0\r\nµs=°\r\n");
    EXPECT_EQ(Lookup(document, "maß", "µM"), "°");
    EXPECT_EQ(Lookup(document, "maß", "µS"), "°");
    EXPECT_EQ(document.Serialise(), "[Maß]\r\nµm=°\r\nµs=°\r\n");
}

TEST(IniDocument, KeepsByteOrderMarkAndLineBreakStyle) {
    IniDocument document = IniDocument::Parse("\xEF\xBB\xBF[S]\r\nA=1\r\n");
    EXPECT_EQ(Lookup(document, "S", "A"), "1");
    document.Set("S", "B", "2");
    EXPECT_EQ(document.Serialise(), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\n");
}

TEST(IniDocument, SetChangesOnlyItsOwnLine) {
    IniDocument document = IniDocument::Parse(
        "; kept comment\n[settings]\n  format = 1\nstray line\n\n[Other]\nX=1\n");
    EXPECT_TRUE(document.Set("Settings", "Format", "2"));
    EXPECT_FALSE(document.Set("SETTINGS", "FORMAT", "2"));
    EXPECT_TRUE(document.Set("Settings", "Precision", "5"));
    EXPECT_TRUE(document.Set("New", "Key", "v"));
    EXPECT_EQ(document.Serialise(),
              "; kept comment\n[settings]\nformat=2\nstray line\nPrecision=5\n\n[Other]\nX=1\n"
              "\n[New]\nKey=v\n");
}

TEST(IniDocument, SetWritesWhereReadsLook) {
    IniDocument document = IniDocument::Parse("[S]\nA=1\n[S]\nB=old\nB=shadowed\n");
    document.Set("S", "B", "new");
    document.Set("S", "C", "added");
    EXPECT_EQ(Lookup(document, "S", "B"), "new");
    EXPECT_EQ(document.Serialise(), "[S]\nA=1\nC=added\n[S]\nB=new\nB=shadowed\n");
}

TEST(IniDocument, EraseRemovesEveryOccurrence) {
    IniDocument document = IniDocument::Parse("[S]\nA=1\nB=2\n[s]\na=3\n[T]\nA=4\n");
    EXPECT_TRUE(document.Erase("S", "A"));
    EXPECT_FALSE(document.Erase("S", "A"));
    EXPECT_EQ(document.Serialise(), "[S]\nB=2\n[s]\n[T]\nA=4\n");
}

// Changes made on top of changes: lines inserted, then changed or removed again, sections
// appended and emptied. Reads see every change at once (a section's keys are gathered on the
// first read and kept in step), and the size known before writing is the size written.
TEST(IniDocument, ChangesUponChangesReadAndWriteAlike) {
    struct Step {
        std::function<void(IniDocument&)> change;
        std::string_view after;
    };
    const std::string_view text = "\xEF\xBB\xBF[S]\r\nA=1\r\n\r\n[T]\rB=2\nlast";
    IniDocument document = IniDocument::Parse(text);
    EXPECT_EQ(Lookup(document, "S", "A"), "1");  // gathered before the changes
    const Step steps[] = {
        {[](IniDocument& d) { d.Set("S", "K1", "x"); }, "[S]|A=1|K1=x||[T]|B=2|last|"},
        {[](IniDocument& d) { d.Set("S", "K2", "y"); }, "[S]|A=1|K1=x|K2=y||[T]|B=2|last|"},
        {[](IniDocument& d) { d.Set("s", "k1", "z"); }, "[S]|A=1|K1=z|K2=y||[T]|B=2|last|"},
        {[](IniDocument& d) { d.Erase("S", "K1"); }, "[S]|A=1|K2=y||[T]|B=2|last|"},
        {[](IniDocument& d) { d.Erase("S", "A"); }, "[S]|K2=y||[T]|B=2|last|"},
        {[](IniDocument& d) { d.Set("U", "C", "3"); }, "[S]|K2=y||[T]|B=2|last||[U]|C=3|"},
        {[](IniDocument& d) { d.Erase("U", "C"); }, "[S]|K2=y||[T]|B=2|last||[U]|"},
        {[](IniDocument& d) { d.EraseSectionIfEmpty("U"); }, "[S]|K2=y||[T]|B=2|last||"},
        {[](IniDocument& d) { d.Erase("S", "K2"); }, "[S]||[T]|B=2|last||"},
        {[](IniDocument& d) { d.EraseSectionIfEmpty("S"); }, "[T]|B=2|last||"},
        {[](IniDocument& d) { d.Set("S", "A", "4"); }, "[T]|B=2|last||[S]|A=4|"},
    };
    for (const Step& step : steps) {
        step.change(document);
        std::string expected = "\xEF\xBB\xBF";
        for (const char c : step.after)
            expected += c == '|' ? std::string("\r\n") : std::string(1, c);
        const std::string written = document.Serialise();
        EXPECT_EQ(written, expected) << step.after;
        EXPECT_EQ(document.SerialisedSize(), written.size()) << step.after;
        // What a fresh read of the written file finds, the document finds too.
        const IniIndex reread = IniIndex::Build(written);
        for (const char* section : {"s", "t", "u"}) {
            for (const char* key : {"a", "k1", "k2", "b", "c"}) {
                EXPECT_EQ(document.Find(section, key), reread.Find(section, key))
                    << step.after << " " << section << " " << key;
            }
        }
    }
}

// Among many sections each is found by its own name, through the index of headers.
TEST(IniDocument, ManySectionsAreFoundByName) {
    std::string text;
    for (int n = 0; n < 20000; ++n)
        text += "[s" + std::to_string(n) + "]\nk=" + std::to_string(n) + "\n";
    const IniDocument document = IniDocument::Parse(text);
    for (const int n : {0, 1, 9999, 19999})
        EXPECT_EQ(Lookup(document, "S" + std::to_string(n), "K"), std::to_string(n));
    EXPECT_EQ(Lookup(document, "s20000", "k"), std::nullopt);
    EXPECT_EQ(document.SerialisedSize(), text.size());
}

}  // namespace
}  // namespace korvane
