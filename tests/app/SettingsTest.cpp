#include "app/Settings.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace korvane {
namespace {

using testing::AsNewFile;
using testing::MakeTestCatalogue;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class SettingsFile : public ::testing::Test {
  protected:
    void Store(std::string_view text) { WriteBytes(path_, text); }
    std::string Content() const { return ReadBytes(path_); }

    TempFolder folder_;
    std::string path_ = folder_.File("Tabrivo.ini");
    ProfileStore store_{path_};
};

TEST_F(SettingsFile, FirstRunReadsDefaults) {
    const UnitCatalogue catalogue = MakeTestCatalogue();
    EXPECT_TRUE(ReadFlag(store_, SettingsFlag::ShowAbbreviation));
    EXPECT_FALSE(ReadFlag(store_, SettingsFlag::OnTop));
    EXPECT_TRUE(ReadFlag(store_, SettingsFlag::RememberCategory));
    const ResultFormat format = ReadResultFormat(store_);
    EXPECT_EQ(format.mode, FormatMode::AutoFormat);
    EXPECT_EQ(format.precision, 5);
    const LastSelection last = ReadLastSelection(store_);
    EXPECT_EQ(last.category, "NONE");
    EXPECT_EQ(last.fromPosition, 0);
    EXPECT_EQ(last.toPosition, 0);
    const CategoryVisibility visibility = ReadVisibility(store_, catalogue);
    for (int c = 0; c < kBuiltInCategories; ++c) {
        EXPECT_EQ(visibility.Flag(c), CategoryVisibility::DefaultFlag(c)) << c;
    }
}

TEST_F(SettingsFile, FlagsAreOnOnlyWhenExactlyTrue) {
    for (const auto& [stored, on] : {std::pair{"TRUE", true},
                                     {"true", false},
                                     {"True", false},
                                     {"1", false},
                                     {"", false},
                                     {" TRUE ", true}}) {
        Store(std::string("[Settings]\nOnTop=") + stored + "\nShowAbbreviation=" + stored + "\n");
        EXPECT_EQ(ReadFlag(store_, SettingsFlag::OnTop), on) << stored;
        EXPECT_EQ(ReadFlag(store_, SettingsFlag::ShowAbbreviation), on) << stored;
    }
    EXPECT_TRUE(ReadFlag(store_, "Missing", "TRUE"));
    EXPECT_FALSE(ReadFlag(store_, "Missing", "true"));
}

TEST_F(SettingsFile, FlagsAreWrittenAsTrueAndFalse) {
    ASSERT_TRUE(WriteFlag(store_, SettingsFlag::OnTop, true).ok());
    ASSERT_TRUE(WriteFlag(store_, SettingsFlag::RememberCategory, false).ok());
    ASSERT_TRUE(WriteFlag(store_, SettingsFlag::ShowAbbreviation, false).ok());
    EXPECT_EQ(
        Content(),
        AsNewFile("[Settings]\nOnTop=TRUE\nRememberCategory=FALSE\nShowAbbreviation=FALSE\n"));
}

TEST_F(SettingsFile, OutOfRangeValuesReadSafely) {
    Store("[settings]\nFormat=7\nPrecision=2000000000\nLastUnitFrom=-5\nLastUnitTo=x\n");
    ResultFormat format = ReadResultFormat(store_);
    EXPECT_EQ(format.mode, FormatMode::AutoFormat);
    EXPECT_EQ(format.precision, kMaxPrecision);
    EXPECT_EQ(ReadLastSelection(store_).fromPosition, -5);
    EXPECT_EQ(ReadLastSelection(store_).toPosition, 0);

    Store("[Settings]\nFormat=-1\nPrecision=-3\n");
    format = ReadResultFormat(store_);
    EXPECT_EQ(format.mode, FormatMode::AutoFormat);
    EXPECT_EQ(format.precision, -3);  // the formatter shows it with 6 decimals
    Store("[Settings]\nFormat=2\nPrecision=9\n");
    format = ReadResultFormat(store_);
    EXPECT_EQ(format.mode, FormatMode::Fixed);
    EXPECT_EQ(format.precision, 9);
}

TEST_F(SettingsFile, VisibilityIsReadPerCategorySection) {
    const UnitCatalogue catalogue = MakeTestCatalogue();
    Store("[category 0]\nVisibility=0\n[Category 1]\nVisibility=-4\n[Temperature]\nVisibility=\n");
    const CategoryVisibility visibility = ReadVisibility(store_, catalogue);
    EXPECT_FALSE(visibility.IsVisible(0));
    EXPECT_TRUE(visibility.IsVisible(1));
    EXPECT_EQ(visibility.Flag(testing::kTestTemperature),
              CategoryVisibility::DefaultFlag(testing::kTestTemperature));
}

TEST_F(SettingsFile, DisplaySettingsWriteFormatPrecisionThenAllVisibilityKeys) {
    const UnitCatalogue catalogue = MakeTestCatalogue();
    CategoryVisibility visibility;
    for (int c = 0; c < kBuiltInCategories; ++c)
        visibility.SetFlag(c, c % 2);
    ASSERT_TRUE(
        SaveDisplaySettings(store_, catalogue, {FormatMode::Scientific, 3}, visibility).ok());
    std::string expected = "[Settings]\nFormat=1\nPrecision=3\n";
    for (int c = 0; c < kBuiltInCategories; ++c) {
        expected +=
            "\n[" + catalogue.CategoryName(c) + "]\nVisibility=" + std::to_string(c % 2) + "\n";
    }
    EXPECT_EQ(Content(), AsNewFile(expected));
    const CategoryVisibility read = ReadVisibility(store_, catalogue);
    for (int c = 0; c < kBuiltInCategories; ++c)
        EXPECT_EQ(read.Flag(c), c % 2);
}

TEST_F(SettingsFile, LastSelectionRoundTripsAndKeepsOtherKeys) {
    Store("; hand-made\n[Settings]\nOnTop=TRUE\n");
    ASSERT_TRUE(SaveLastSelection(store_, "Viscosity (Kinematic)", 3, -1).ok());
    EXPECT_EQ(Content(),
              "; hand-made\n[Settings]\nOnTop=TRUE\nLastCategory=Viscosity (Kinematic)\n"
              "LastUnitTo=3\nLastUnitFrom=-1\n");
    const LastSelection last = ReadLastSelection(store_);
    EXPECT_EQ(last.category, "Viscosity (Kinematic)");
    EXPECT_EQ(last.toPosition, 3);
    EXPECT_EQ(last.fromPosition, -1);
    ASSERT_TRUE(SaveLastSelection(store_, "", -1, -1).ok());
    EXPECT_EQ(ReadLastSelection(store_).category, "");
}

TEST_F(SettingsFile, ResultFormatPageWritesPrecisionThenFormat) {
    ASSERT_TRUE(SaveResultFormat(store_, {FormatMode::Fixed, 2}).ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nPrecision=2\nFormat=2\n"));
}

TEST_F(SettingsFile, FailedSaveReportsOneReasonAndChangesNothing) {
    const UnitCatalogue catalogue = MakeTestCatalogue();
    Store("[Settings]\nLastCategory=Distance\n");
    const WriteResult refused = SaveLastSelection(store_, "Bad\nName", 1, 1);
    EXPECT_EQ(refused.error, WriteError::RefusedText);
    EXPECT_EQ(refused.reason, "the category name holds a line break or another control character");
    EXPECT_EQ(Content(), "[Settings]\nLastCategory=Distance\n");

    ProfileStore nowhere(folder_.File("blocker/Tabrivo.ini"));
    WriteBytes(folder_.File("blocker"), "a file where a folder should be");
    // What the window does at close: two saves, one report naming the first failure.
    WriteResult failed = SaveDisplaySettings(nowhere, catalogue, {}, CategoryVisibility());
    KeepFirstFailure(failed, SaveLastSelection(nowhere, "Bad\nName", 0, 0));
    EXPECT_EQ(failed.error, WriteError::FileError);
    EXPECT_NE(failed.reason.find("blocker"), std::string::npos) << failed.reason;
}

}  // namespace
}  // namespace korvane
