#include "app/CustomUnitStorage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

#include "TestSupport.h"
#include "catalogue/NumberText.h"

namespace korvane {
namespace {

using testing::AsNewFile;
using testing::kTestDataTransfer;
using testing::kTestDistance;
using testing::MakeTestCatalogue;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::string> UnitNames(const UnitCatalogue& catalogue, int category) {
    std::vector<std::string> names;
    for (int u = 0; u < catalogue.UnitCount(category); ++u)
        names.push_back(catalogue.UnitName(category, u));
    return names;
}

std::vector<std::string> CustomRowNames(const UnitCatalogue& catalogue) {
    std::vector<std::string> names;
    for (int c = kFirstCustomCategory; c < kMaxCategories; ++c)
        names.push_back(catalogue.CategoryName(c));
    return names;
}

class CustomStorage : public ::testing::Test {
  protected:
    void Store(std::string_view text) { WriteBytes(path_, text); }
    std::string Content() const { return ReadBytes(path_); }
    UnitCatalogue Reload() const {
        UnitCatalogue catalogue = MakeTestCatalogue();
        LoadCustomUnits(store_, catalogue);
        return catalogue;
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Tabrivo.ini");
    ProfileStore store_{path_};
};

// Names match whatever their case, the section's and the keys' alike, and a section may be
// written twice; only the sections that name a unit are read for units.
TEST_F(CustomStorage, UnitKeysAreFoundInAnyCaseAndInEitherCopyOfASection) {
    Store(
        "[Settings]\nCustom_1=money\n\n"
        "[MONEY]\ncustomunit_1=Euro\nCUSTOMVALUE_1=1\n\n"
        "[Distance]\nVisibility=1\n\n"
        "[money]\nCustomUnit_2=Cent\nCustomValue_2=0.01\n");
    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(UnitNames(catalogue, kFirstCustomCategory),
              (std::vector<std::string>{"Euro", "Cent"}));
}

// A category "money", the unit euro, then cent as 0.01 euro, then euro removed.
TEST_F(CustomStorage, MoneyExampleStepByStep) {
    ASSERT_TRUE(StoreCustomCategory(store_, "money").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n"));

    ASSERT_TRUE(StoreCustomUnit(store_, "money", "Euro", "1").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=1\n"));

    ASSERT_TRUE(StoreCustomUnit(store_, "money", "Cent", FactorText(1 * 0.01)).ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=2\n"
                                   "CustomUnit_2=Cent\nCustomValue_2=0.01000000000000\n"));

    const ForgetUnitResult forgotten = ForgetCustomUnit(store_, "money", "Euro");
    ASSERT_TRUE(forgotten.write.ok());
    EXPECT_EQ(forgotten.freed, 1);
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Custom\nCustomUnits=1\n"
                                   "CustomUnit_2=Cent\nCustomValue_2=0.01000000000000\n"));

    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(catalogue.CategoryName(42), "money");
    EXPECT_EQ(UnitNames(catalogue, 42), std::vector<std::string>{"Cent"});
    EXPECT_EQ(catalogue.UnitFactor(42, 0), 0.01);
    EXPECT_EQ(catalogue.UnitAbbreviation(42, 0), " ");
}

TEST_F(CustomStorage, FreedEntryIsReusedAndUnitsLoadInEntryOrder) {
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        ASSERT_TRUE(StoreCustomUnit(store_, "Distance", name, "2").ok());
    }
    EXPECT_EQ(ForgetCustomUnit(store_, "distance", "Beta").freed, 1);
    EXPECT_EQ(UnitNames(Reload(), kTestDistance),
              (std::vector<std::string>{"first unit", "second unit", "Alpha", "Gamma"}));
    ASSERT_TRUE(StoreCustomUnit(store_, "Distance", "Delta", "3").ok());
    EXPECT_EQ(store_.GetProfileString("Distance", "CustomUnit_2", ""), "Delta");
    EXPECT_EQ(store_.GetProfileInt("Distance", "CustomUnits", 0), 3);
    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(UnitNames(catalogue, kTestDistance),
              (std::vector<std::string>{"first unit", "second unit", "Alpha", "Delta", "Gamma"}));
    EXPECT_EQ(catalogue.UnitAbbreviation(kTestDistance, 3), "");  // a built-in row's free slot
    EXPECT_EQ(ForgetCustomUnit(store_, "Distance", "Nonexistent").freed, 0);
}

// Two running copies may each store a name the other had in another letter case. Loading shows
// one of them; removing it must not bring the other back at the next start.
TEST_F(CustomStorage, ForgettingFreesEntriesThatDifferOnlyInCase) {
    Store(
        "[Settings]\nCustom_1=money\nCustom_2=MONEY\n"
        "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnit_2=EURO\nCustomValue_2=1\n");
    UnitCatalogue catalogue = Reload();
    EXPECT_EQ(CustomRowNames(catalogue),
              (std::vector<std::string>{"money", "Custom", "Custom", "Custom", "Custom"}));
    EXPECT_EQ(UnitNames(catalogue, 42), std::vector<std::string>{"Euro"});

    const ForgetUnitResult forgotten = ForgetCustomUnit(store_, "money", "Euro");
    ASSERT_TRUE(forgotten.write.ok());
    EXPECT_EQ(forgotten.freed, 2);
    EXPECT_EQ(Reload().UnitCount(42), 0);

    ASSERT_TRUE(ForgetCustomCategory(store_, "money").ok());
    EXPECT_EQ(CustomRowNames(Reload()), std::vector<std::string>(5, "Custom"));
}

// A read-only file refuses the write even for root; the unit is still there, so nothing counts
// as freed and the caller keeps its row.
TEST_F(CustomStorage, FailedForgetFreesNothing) {
    ASSERT_TRUE(StoreCustomUnit(store_, "money", "Euro", "1").ok());
    const std::string before = Content();
    using std::filesystem::perms;
    std::filesystem::permissions(path_, perms::owner_read | perms::group_read | perms::others_read);
    const ForgetUnitResult forgotten = ForgetCustomUnit(store_, "money", "Euro");
    EXPECT_EQ(forgotten.write.error, WriteError::FileError);
    EXPECT_EQ(forgotten.freed, 0);
    EXPECT_EQ(Content(), before);
}

TEST_F(CustomStorage, StoredCategoryNamesFillTheirOwnRowUnlessTakenOrFree) {
    const struct {
        std::string_view stored;
        std::string_view row42;
    } cases[] = {
        {"money", "money"},      {"Distance", "Custom"},   {"Temperature", "Custom"},
        {"DISTANCE", "Custom"},  {"custom", "Custom"},     {"Custom", "Custom"},
        {"M", "Custom"},         {"Ω", "Custom"},          {"µm", "µm"},
        {"tab\there", "Custom"}, {"settings", "settings"},
    };
    for (const auto& entry : cases) {
        Store("[Settings]\nCustom_1=" + std::string(entry.stored) + "\n");
        EXPECT_EQ(Reload().CategoryName(42), entry.row42) << entry.stored;
    }
    Store("[Settings]\nCustom_2=money\nCustom_3=MONEY\nCustom_5=Gold\n");
    EXPECT_EQ(CustomRowNames(Reload()),
              (std::vector<std::string>{"Custom", "money", "Custom", "Custom", "Gold"}));
}

TEST_F(CustomStorage, LoadSkipsUnitsThatCannotBeUsed) {
    Store(
        "[Distance]\nCustomUnits=500\n"
        "CustomUnit_1=Letters\nCustomValue_1=abc\n"
        "CustomUnit_2=Nothing\nCustomValue_2=0\n"
        "CustomUnit_3=Endless\nCustomValue_3=1e999\n"
        "CustomUnit_4=Good\nCustomValue_4=2.5\n"
        "CustomUnit_5=FIRST UNIT\nCustomValue_5=3\n"
        "CustomUnit_6=Custom\nCustomValue_6=3\n"
        "CustomUnit_7=G\nCustomValue_7=3\n"
        "CustomUnit_8=Leading\nCustomValue_8=12abc\n"
        "CustomUnit_9=Missing value\n"
        "CustomUnit_10=Tab\there\nCustomValue_10=1\n"
        "CustomUnit_11=Beyond\nCustomValue_11=1\n"
        "[Temperature]\nCustomUnit_1=Gas mark\nCustomValue_1=1\n"
        "[Numbers]\nCustomUnit_1=Base 37\nCustomValue_1=1\n"
        "[Thermal Conductance (buildings)]\nCustomUnit_1=K value\nCustomValue_1=1\n"
        "[Custom]\nCustomUnit_1=Ghost\nCustomValue_1=1\n"
        "[Settings]\nCustom_1=money\n"
        "[money]\nCustomUnits=0\nCustomUnit_3=Euro\nCustomValue_3=1\n");
    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(UnitNames(catalogue, kTestDistance),
              (std::vector<std::string>{"first unit", "second unit", "Good", "Leading"}));
    EXPECT_EQ(catalogue.UnitFactor(kTestDistance, 3), 12.0);
    for (const int formula :
         {testing::kTestTemperature, testing::kTestNumbers, testing::kTestConductance}) {
        EXPECT_EQ(catalogue.UnitCount(formula), 2) << formula;
    }
    EXPECT_EQ(UnitNames(catalogue, 42), std::vector<std::string>{"Euro"});
    for (int c = 43; c < kMaxCategories; ++c)
        EXPECT_EQ(catalogue.UnitCount(c), 0) << c;
}

TEST_F(CustomStorage, NeverMoreThanTenEntriesNorPastTheRowsLastSlot) {
    std::string text = "[Distance]\n";
    std::string rates = "[Data Transfer]\n";
    for (int n = 1; n <= 20; ++n) {
        text += "CustomUnit_" + std::to_string(n) + "=Unit " + std::to_string(n) +
                "\nCustomValue_" + std::to_string(n) + "=1\n";
        rates += "CustomUnit_" + std::to_string(n) + "=Rate " + std::to_string(n) +
                 "\nCustomValue_" + std::to_string(n) + "=1\n";
    }
    Store(text + rates);
    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(catalogue.UnitCount(kTestDistance), 2 + 10);
    EXPECT_EQ(catalogue.UnitName(kTestDistance, 11), "Unit 10");
    EXPECT_EQ(catalogue.UnitCount(kTestDataTransfer), kMaxUnitsPerCategory);
    EXPECT_EQ(catalogue.UnitName(kTestDataTransfer, kMaxUnitsPerCategory - 1), "Rate 9");
}

TEST_F(CustomStorage, FullTablesRefuseBeforeAnythingIsWritten) {
    for (int n = 1; n <= 5; ++n)
        ASSERT_TRUE(StoreCustomCategory(store_, "cat " + std::to_string(n)).ok());
    EXPECT_FALSE(HasFreeCategoryEntry(store_));
    for (int n = 1; n <= 10; ++n)
        ASSERT_TRUE(StoreCustomUnit(store_, "cat 1", "Unit " + std::to_string(n), "1").ok());
    EXPECT_FALSE(HasFreeUnitEntry(store_, "CAT 1"));
    EXPECT_EQ(UsedUnitEntries(store_, "cat 1"), 10);
    const std::string before = Content();
    EXPECT_EQ(StoreCustomCategory(store_, "cat 6").error, WriteError::NoFreeEntry);
    EXPECT_EQ(StoreCustomUnit(store_, "cat 1", "Unit 11", "1").error, WriteError::NoFreeEntry);
    EXPECT_EQ(Content(), before);

    ASSERT_TRUE(ForgetCustomCategory(store_, "cat 3").ok());
    EXPECT_TRUE(HasFreeCategoryEntry(store_));
    ASSERT_TRUE(StoreCustomCategory(store_, "cat 6").ok());
    EXPECT_EQ(store_.GetProfileString("Settings", "Custom_3", ""), "cat 6");
}

TEST_F(CustomStorage, RefusesEntriesThatWouldNotReadBack) {
    for (const std::string_view factor : {"abc", "0", "1e999", "", "-0.0"}) {
        EXPECT_EQ(StoreCustomUnit(store_, "Distance", "Unit", factor).error,
                  WriteError::RefusedText)
            << factor;
    }
    for (const std::string_view name : {"Custom", "X", " X ", "µ"}) {
        EXPECT_EQ(StoreCustomUnit(store_, "Distance", name, "1").error, WriteError::RefusedText)
            << name;
        EXPECT_EQ(StoreCustomCategory(store_, name).error, WriteError::RefusedText) << name;
    }
    EXPECT_EQ(StoreCustomUnit(store_, "Distance", "Two\nLines", "1").error,
              WriteError::RefusedText);
    EXPECT_EQ(Content(), "");
}

// What was stored trimmed must be found again when it is forgotten with the same blanks.
TEST_F(CustomStorage, StoreAndForgetNormaliseNamesAlike) {
    ASSERT_TRUE(StoreCustomCategory(store_, "  money  ").ok());
    ASSERT_TRUE(StoreCustomUnit(store_, "  money ", "\tEuro  ", "1").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=1\n"));
    EXPECT_EQ(ForgetCustomUnit(store_, "money  ", "  Euro\t").freed, 1);
    ASSERT_TRUE(ForgetCustomCategory(store_, "  money  ").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=Custom\n\n"));
    // The placeholder of a free entry is no name to forget.
    ASSERT_TRUE(ForgetCustomCategory(store_, "custom").ok());
    EXPECT_EQ(ForgetCustomUnit(store_, "money", "CUSTOM").freed, 0);
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=Custom\n\n"));
}

TEST_F(CustomStorage, RefusalsOfANameCallItAName) {
    const struct {
        WriteResult result;
        std::string_view says;
    } cases[] = {
        {StoreCustomCategory(store_, "Two\nLines"), "the category name holds a line break"},
        {StoreCustomCategory(store_, "a[b]"), "the category name holds \"[\" or \"]\""},
        {StoreCustomCategory(store_, "\xff\xfe"), "the category name is not valid UTF-8"},
        {StoreCustomUnit(store_, "Distance", "Two\rLines", "1"), "the unit name holds a line"},
        {StoreCustomUnit(store_, "Distance", "X", "1"), "a unit name must have at least 2"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(entry.result.error, WriteError::RefusedText) << entry.says;
        EXPECT_EQ(entry.result.reason.rfind(entry.says, 0), 0u) << entry.result.reason;
        EXPECT_EQ(entry.result.reason.find("value"), std::string::npos) << entry.result.reason;
    }
    EXPECT_EQ(Content(), "");
}

TEST_F(CustomStorage, ForgettingACategoryDeletesOnlyItsUnitKeys) {
    Store(
        "[Settings]\nFormat=1\nCustom_1=settings\nCustom_2=money\n"
        "CustomUnits=1\nCustomUnit_1=Page\nCustomValue_1=2\n"
        "[money]\nCustomUnits=1\nCustomUnit_1=Euro\nCustomValue_1=1\nNote=kept\n"
        "[Distance]\nCustomUnit_1=Furlong\nCustomValue_1=20116.8\n");
    ASSERT_TRUE(ForgetCustomCategory(store_, "settings").ok());
    ASSERT_TRUE(ForgetCustomCategory(store_, "money").ok());
    ASSERT_TRUE(ForgetCustomCategory(store_, "Distance").ok());  // not a custom category
    EXPECT_EQ(Content(),
              "[Settings]\nFormat=1\nCustom_1=Custom\nCustom_2=Custom\n"
              "[money]\nNote=kept\n"
              "[Distance]\nCustomUnit_1=Furlong\nCustomValue_1=20116.8\n");
    const UnitCatalogue catalogue = Reload();
    EXPECT_EQ(CustomRowNames(catalogue), std::vector<std::string>(5, "Custom"));
    EXPECT_EQ(catalogue.UnitCount(kTestDistance), 3);
}

TEST(FactorText, FourteenDecimalsWhenExactElseSeventeenDigits) {
    EXPECT_EQ(FactorText(0.01), "0.01000000000000");
    EXPECT_EQ(FactorText(2.54), "2.54000000000000");
    EXPECT_EQ(FactorText(-2.5), "-2.50000000000000");
    EXPECT_EQ(FactorText(1.0 / 3.0), "0.33333333333333331");
    EXPECT_EQ(FactorText(1e-20), "9.9999999999999995e-21");
    EXPECT_EQ(FactorText(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FactorText(std::nan("")), "");
    for (const double factor : {1e300, 6.02214076e23, 1.0 / 7.0, 123456789.123, 5e-324,
                                std::numeric_limits<double>::max(), 0.1 + 0.2}) {
        EXPECT_EQ(ReadAtof(FactorText(factor)), factor) << FactorText(factor);
    }
}

}  // namespace
}  // namespace korvane
