#include "app/CustomOperations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/CustomNames.h"
#include "app/CustomUnitStorage.h"
#include "catalogue/NumberText.h"

namespace korvane {
namespace {

using testing::AsNewFile;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kInvalidCategory = "Please Enter a valid name for the Category";
constexpr std::string_view kCategoryExists = "This category name already exists.";
constexpr std::string_view kInvalidUnit = "Please enter a valid name for the new unit.";
constexpr std::string_view kInvalidFactor = "Enter a valid conversion factor for the unit";
constexpr std::string_view kNameInUse = "The name you have chosen \nis already in use.";
constexpr std::string_view kFileFull =
    "You have reached maximum allowed Custom unit for this category.";
constexpr std::string_view kRowFull =
    "You have reached the maximum allowed Custom units for this category";

std::vector<std::string> UnitNames(const UnitCatalogue& catalogue, int category) {
    std::vector<std::string> names;
    for (int u = 0; u < catalogue.UnitCount(category); ++u)
        names.push_back(catalogue.UnitName(category, u));
    return names;
}

class CustomOperations : public ::testing::Test {
  protected:
    CustomOperations() { catalogue_ = Load(store_); }

    static UnitCatalogue Load(const ProfileStore& store) {
        UnitCatalogue catalogue;
        catalogue.LoadBuiltInTables();
        LoadCustomUnits(store, catalogue);
        return catalogue;
    }
    void Store(std::string_view text) {
        WriteBytes(path_, text);
        catalogue_ = Load(store_);
    }
    std::string Content() const { return ReadBytes(path_); }
    int Row(std::string_view name) const { return catalogue_.FindCategory(name); }

    CustomOutcome AddUnit(int category, std::string_view name, std::string_view factor = "1",
                          std::string_view reference = "") {
        return AddCustomUnit(catalogue_, store_, NewCustomUnit{category, name, factor, reference});
    }

    // Asserts a refusal with exactly this text and the ordinary caption, and that neither the
    // catalogue nor the file changed.
    template <typename Action>
    void ExpectRefused(Action action, std::string_view text) {
        const std::string before = Content();
        const UnitCatalogue catalogueBefore = catalogue_;
        const CustomOutcome outcome = action();
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.refusal->text, text);
        EXPECT_EQ(outcome.refusal->caption, kMessageCaption);
        EXPECT_EQ(outcome.refusal->icon, NoticeIcon::Information);
        EXPECT_EQ(Content(), before);
        for (int c = 0; c < kMaxCategories; ++c) {
            EXPECT_EQ(catalogue_.CategoryName(c), catalogueBefore.CategoryName(c));
            EXPECT_EQ(UnitNames(catalogue_, c), UnitNames(catalogueBefore, c)) << c;
        }
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Tabrivo.ini");
    ProfileStore store_{path_};
    UnitCatalogue catalogue_;
};

// The category Money, the unit euro, cent as 0.01 euro, then euro removed: the file after each
// step, and the catalogue row, as the next start reads them too.
TEST_F(CustomOperations, MoneyExampleEndToEnd) {
    const CustomOutcome money = AddCustomCategory(catalogue_, store_, "Money");
    ASSERT_TRUE(money.ok());
    EXPECT_EQ(money.row, 42);
    EXPECT_EQ(money.action, CatalogueAction::CategoryInserted);
    EXPECT_EQ(money.name, "money");
    EXPECT_EQ(catalogue_.CategoryName(42), "money");
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n"));

    // The first unit of an empty category is its reference unit, whatever factor was entered.
    const CustomOutcome euro = AddUnit(42, "euro", "7");
    ASSERT_TRUE(euro.ok());
    EXPECT_EQ(euro.row, 42);
    EXPECT_EQ(euro.action, CatalogueAction::UnitInserted);
    EXPECT_EQ(euro.name, "Euro");
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=1\n"));

    ASSERT_TRUE(AddUnit(42, "cent", "0.01", "Euro").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=2\n"
                                   "CustomUnit_2=Cent\nCustomValue_2=0.01000000000000\n"));
    EXPECT_EQ(UnitNames(catalogue_, 42), (std::vector<std::string>{"Euro", "Cent"}));
    EXPECT_EQ(catalogue_.UnitFactor(42, 1), 0.01);
    EXPECT_EQ(catalogue_.UnitAbbreviation(42, 1), " ");

    const CustomOutcome removed = RemoveCustomUnit(catalogue_, store_, 42, "Euro");
    ASSERT_TRUE(removed.ok());
    EXPECT_EQ(removed.row, 42);
    EXPECT_EQ(removed.action, CatalogueAction::UnitDeleted);
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n"
                                   "[money]\nCustomUnit_1=Custom\nCustomUnits=1\n"
                                   "CustomUnit_2=Cent\nCustomValue_2=0.01000000000000\n"));
    EXPECT_EQ(UnitNames(catalogue_, 42), std::vector<std::string>{"Cent"});
    EXPECT_EQ(catalogue_.UnitCount(42), 1);

    const UnitCatalogue restarted = Load(store_);
    EXPECT_EQ(restarted.CategoryName(42), "money");
    EXPECT_EQ(UnitNames(restarted, 42), std::vector<std::string>{"Cent"});
    EXPECT_EQ(restarted.UnitFactor(42, 0), 0.01);
}

TEST_F(CustomOperations, CategoryNamesAreRefusedInOrder) {
    ASSERT_TRUE(AddCustomCategory(catalogue_, store_, "money").ok());
    const struct {
        std::string_view entered;
        std::string_view message;
    } cases[] = {
        {"Custom", kInvalidCategory},
        {"X", kInvalidCategory},
        {"", kInvalidCategory},
        {"   ", kInvalidCategory},
        {" Y ", kInvalidCategory},
        {"µ", kInvalidCategory},
        {"two\tparts", kInvalidCategory},
        {"line\nbreak", kInvalidCategory},
        {"a[b", kInvalidCategory},
        {"ab]", kInvalidCategory},
        {"\xff\xfe", kInvalidCategory},
        {"custom", kCategoryExists},  // the free rows are named so
        {"CUSTOM", kCategoryExists},
        {"dATa", kCategoryExists},
        {"Temperature", kCategoryExists},
        {"  MONEY  ", kCategoryExists},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.entered);
        ExpectRefused([&] { return AddCustomCategory(catalogue_, store_, entry.entered); },
                      entry.message);
    }
}

TEST_F(CustomOperations, CategoryNamesAreTrimmedAndLowerCasedAndSurviveARestart) {
    const std::string longName(1000, 'w');
    const struct {
        std::string entered;
        std::string stored;
    } cases[] = {
        {"  My Units  ", "my units"}, {"ÅNGSTRÖM Räume", "ångström räume"},
        {"Ωmega", "ωmega"},           {longName, longName},
        {"settings", "settings"},
    };
    for (const auto& entry : cases) {
        const CustomOutcome outcome = AddCustomCategory(catalogue_, store_, entry.entered);
        ASSERT_TRUE(outcome.ok()) << entry.entered;
        EXPECT_EQ(outcome.name, entry.stored);
        EXPECT_EQ(catalogue_.CategoryName(outcome.row), entry.stored);
    }
    const UnitCatalogue restarted = Load(store_);
    for (int row = 42; row < kMaxCategories; ++row)
        EXPECT_EQ(restarted.CategoryName(row), catalogue_.CategoryName(row)) << row;
}

TEST_F(CustomOperations, SixthCategoryFailsUntilOneIsRemoved) {
    for (const char* name : {"one", "two", "three", "four", "five"})
        ASSERT_TRUE(AddCustomCategory(catalogue_, store_, name).ok());
    const std::string full = Content();
    const CustomOutcome sixth = AddCustomCategory(catalogue_, store_, "six");
    ASSERT_FALSE(sixth.ok());
    EXPECT_EQ(sixth.refusal->text, "You have reached the maximum allowed Custom categories");
    EXPECT_EQ(sixth.refusal->caption, "Operation failed");
    EXPECT_EQ(Content(), full);
    // With no row named "Custom" left, the placeholder would still read as a free row later.
    ExpectRefused([&] { return AddCustomCategory(catalogue_, store_, "custom"); },
                  kInvalidCategory);

    const CustomOutcome removed = RemoveCustomCategory(catalogue_, store_, "three");
    ASSERT_TRUE(removed.ok());
    EXPECT_EQ(removed.row, 44);
    EXPECT_EQ(removed.action, CatalogueAction::CategoryDeleted);
    EXPECT_EQ(removed.name, "three");
    EXPECT_TRUE(catalogue_.IsFreeSlot(44));
    const CustomOutcome six = AddCustomCategory(catalogue_, store_, "six");
    ASSERT_TRUE(six.ok());
    EXPECT_EQ(six.row, 44);
    EXPECT_EQ(store_.GetProfileString("Settings", "Custom_3", ""), "six");
}

TEST_F(CustomOperations, RemovingACategoryTakesItsUnitsAlongEverywhere) {
    ASSERT_TRUE(AddCustomCategory(catalogue_, store_, "money").ok());
    ASSERT_TRUE(AddUnit(42, "Euro").ok());
    ASSERT_TRUE(AddUnit(42, "Cent", "0.01", "Euro").ok());
    // A name typed rather than listed is found ignoring case and blanks.
    // Its section, left empty, goes too.
    ASSERT_TRUE(RemoveCustomCategory(catalogue_, store_, "  Money ").ok());
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=Custom\n\n"));
    EXPECT_EQ(catalogue_.UnitCount(42), 0);

    // Units a hand-edited file kept for an old category of that name do not come back either.
    WriteBytes(path_,
               Content() + AsNewFile("[money]\nCustomUnit_4=Old\nCustomValue_4=3\nNote=kept\n"));
    ASSERT_TRUE(AddCustomCategory(catalogue_, store_, "money").ok());
    EXPECT_EQ(catalogue_.UnitCount(42), 0);
    EXPECT_EQ(Load(store_).UnitCount(42), 0);
    EXPECT_EQ(Content(), AsNewFile("[Settings]\nCustom_1=money\n\n[money]\nNote=kept\n"));
}

TEST_F(CustomOperations, OnlyAddedCategoriesAndUnitsAreRemoved) {
    ASSERT_TRUE(AddCustomCategory(catalogue_, store_, "money").ok());
    const int distance = Row("Distance");
    ASSERT_TRUE(AddUnit(distance, "Stride", "201.168", "meter").ok());
    const struct {
        std::string_view name;
        std::string_view message;
    } categories[] = {
        {"Distance", "\tDistance\n\nYou may only remove previously added categories."},
        {"distance", "\tDistance\n\nYou may only remove previously added categories."},
        {"Custom", "\tCustom\n\nYou may only remove previously added categories."},
        {"gold", "\tgold\n\nYou may only remove previously added categories."},
    };
    for (const auto& entry : categories) {
        SCOPED_TRACE(entry.name);
        ExpectRefused([&] { return RemoveCustomCategory(catalogue_, store_, entry.name); },
                      entry.message);
        ASSERT_TRUE(CheckRemoveCustomCategory(catalogue_, entry.name).has_value());
    }
    const struct {
        int category;
        std::string_view name;
        std::string_view message;
    } units[] = {
        {distance, "meter", "\tmeter\n\nYou may only remove previously added units."},
        {distance, "METER", "\tmeter\n\nYou may only remove previously added units."},
        {distance, "Yard-long", "\tYard-long\n\nYou may only remove previously added units."},
        {Row("Temperature"), "kelvin", "\tKelvin\n\nYou may only remove previously added units."},
        {42, "Euro", "\tEuro\n\nYou may only remove previously added units."},
    };
    for (const auto& entry : units) {
        SCOPED_TRACE(entry.name);
        ExpectRefused(
            [&] { return RemoveCustomUnit(catalogue_, store_, entry.category, entry.name); },
            entry.message);
    }
    EXPECT_FALSE(CheckRemoveCustomCategory(catalogue_, "money").has_value());
    EXPECT_FALSE(CheckRemoveCustomUnit(catalogue_, distance, "Stride").has_value());
    ASSERT_TRUE(RemoveCustomUnit(catalogue_, store_, distance, "stride").ok());
    EXPECT_FALSE(catalogue_.HasUnit(distance, "Stride"));
}

TEST_F(CustomOperations, QuestionsQuoteTheName) {
    const CustomNotice category = RemoveCategoryQuestion("money");
    EXPECT_EQ(category.text, "\tmoney\n\nAre you sure you want to remove the selected Category?");
    EXPECT_EQ(category.caption, kMessageCaption);
    EXPECT_EQ(category.icon, NoticeIcon::None);
    const CustomNotice unit = RemoveUnitQuestion("Cent");
    EXPECT_EQ(unit.text, "\tCent\n\nAre you sure you want to remove the selected unit?");
    EXPECT_EQ(unit.icon, NoticeIcon::Information);
}

TEST_F(CustomOperations, UnitsAreRefusedInOrder) {
    const int distance = Row("Distance");
    const struct {
        std::string_view name;
        std::string_view factor;
        std::string_view message;
    } cases[] = {
        {"Custom", "2", kInvalidUnit},
        {"custom", "2", kInvalidUnit},
        {" CUSTOM ", "2", kInvalidUnit},
        {"X", "2", kInvalidUnit},
        {"", "2", kInvalidUnit},
        {"tab\there", "2", kInvalidUnit},
        {"\xc2\x85next", "2", kInvalidUnit},
        {"Meter", "2", kNameInUse},
        {" INCH ", "2", kNameInUse},
        {"meter", "0", kNameInUse},  // the name is looked at before the factor
        {"Newunit", "0", kInvalidFactor},
        {"Newunit", "", kInvalidFactor},
        {"Newunit", "abc", kInvalidFactor},
        {"Newunit", "-0", kInvalidFactor},
        {"Newunit", "1e-400", kInvalidFactor},
        {"Newunit", "1e308", kInvalidFactor},  // 1e308 inches is no finite number of cm
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.name) + " = " + std::string(entry.factor));
        ExpectRefused([&] { return AddUnit(distance, entry.name, entry.factor, "inch"); },
                      entry.message);
    }
    for (const char* formula : {"Temperature", "Numbers", "Thermal Conductance (buildings)"}) {
        ExpectRefused([&] { return AddUnit(Row(formula), "Gas mark", "2"); },
                      "This category does not accept custom units.");
    }
    ExpectRefused([&] { return AddUnit(45, "Euro", "1"); },
                  "This category does not accept custom units.");
}

TEST_F(CustomOperations, UnitFactorIsTheReferenceUnitsTimesTheEnteredNumber) {
    const int distance = Row("Distance");
    const struct {
        std::string_view name;
        std::string_view factor;
        std::string_view reference;
        std::string_view storedName;
        std::string_view storedFactor;
    } cases[] = {
        {"Inch2", "2", "inch", "Inch2", "5.08000000000000"},
        {"kiloJOULE", "1", "meter", "Kilojoule", "100.00000000000000"},
        {"élan", "3", "no such unit", "Élan", "0.54428571428571426"},  // the first unit
        {"Tiny", "1e-20", "centimeter", "Tiny", "9.9999999999999995e-21"},
        {"Backwards", "-1", "centimeter", "Backwards", "-1.00000000000000"},
        {"Leading", "12abc", "centimeter", "Leading", "12.00000000000000"},
    };
    int entry = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CustomOutcome outcome = AddUnit(distance, c.name, c.factor, c.reference);
        ASSERT_TRUE(outcome.ok()) << outcome.refusal->text;
        EXPECT_EQ(outcome.name, c.storedName);
        ++entry;
        const std::string n = std::to_string(entry);
        EXPECT_EQ(store_.GetProfileString("Distance", "CustomUnit_" + n, ""), c.storedName);
        EXPECT_EQ(store_.GetProfileString("Distance", "CustomValue_" + n, ""), c.storedFactor);
        const int unit = catalogue_.FindUnit(distance, c.storedName);
        EXPECT_EQ(catalogue_.UnitName(distance, unit), c.storedName);
        EXPECT_EQ(catalogue_.UnitFactor(distance, unit), ReadAtof(c.storedFactor));
        EXPECT_EQ(catalogue_.UnitAbbreviation(distance, unit), "");
    }
    EXPECT_EQ(store_.GetProfileInt("Distance", "CustomUnits", 0), entry);
}

TEST_F(CustomOperations, UnitNamesTakeOneCapitalLetter) {
    const struct {
        std::string_view entered;
        std::string_view stored;
    } cases[] = {
        {"kiloJOULE", "Kilojoule"}, {"ünit", "Ünit"},       {"ÿard", "Ÿard"},
        {"ωmega", "Ωmega"},         {"жук", "Жук"},         {"ßpan", "ßpan"},
        {"1st ONE", "1st one"},     {"µm MARK", "µm mark"}, {"i-beam", "I-beam"},
    };
    for (const auto& entry : cases) {
        const CustomOutcome outcome = AddUnit(Row("Distance"), entry.entered, "2", "meter");
        ASSERT_TRUE(outcome.ok()) << entry.entered;
        EXPECT_EQ(outcome.name, entry.stored);
        if (entry.stored == "Ωmega")
            break;  // ten entries is all a category has; the rest is checked below
    }
    for (const auto& entry : cases)
        EXPECT_EQ(UnitNameCase(entry.entered), entry.stored);
}

// Whatever the page accepts comes back unchanged at the next start.
TEST_F(CustomOperations, UnitNamesSurviveARestart) {
    ASSERT_TRUE(AddCustomCategory(catalogue_, store_, "odd names").ok());
    const std::vector<std::string> names = {
        "Base",  "A=b",       "=equals",       ";semi",
        "#hash", "[bracket]", "Trailing dot.", std::string(1000, 'W')};
    for (const std::string& name : names) {
        const CustomOutcome outcome = AddUnit(42, name, "2", "Base");
        ASSERT_TRUE(outcome.ok()) << name;
        EXPECT_EQ(outcome.name.size(), name.size());
    }
    const UnitCatalogue restarted = Load(store_);
    EXPECT_EQ(UnitNames(restarted, 42), UnitNames(catalogue_, 42));
    for (int u = 0; u < catalogue_.UnitCount(42); ++u)
        EXPECT_EQ(restarted.UnitFactor(42, u), catalogue_.UnitFactor(42, u)) << u;
}

// Ten custom units a category may have in the file, and 178 units a row: the first limit is
// tested before the name is even looked at, the second after it.
TEST_F(CustomOperations, UnitLimits) {
    const int distance = Row("Distance");
    for (int n = 1; n <= 10; ++n)
        ASSERT_TRUE(AddUnit(distance, "Unit " + std::to_string(n), "2", "meter").ok()) << n;
    ExpectRefused([&] { return AddUnit(distance, "X", "2", "meter"); }, kFileFull);
    ExpectRefused([&] { return AddUnit(distance, "Unit 11", "2", "meter"); }, kFileFull);

    const int rates = Row("Data Transfer");
    ASSERT_EQ(catalogue_.UnitCount(rates), 169);
    for (int n = 1; n <= 9; ++n)
        ASSERT_TRUE(AddUnit(rates, "Rate " + std::to_string(n), "2", "").ok()) << n;
    ExpectRefused([&] { return AddUnit(rates, "Rate 10", "2", ""); }, kRowFull);
    ExpectRefused([&] { return AddUnit(rates, "Rate 1", "2", ""); }, kNameInUse);
    EXPECT_EQ(UsedUnitEntries(store_, "Data Transfer"), 9);
}

}  // namespace
}  // namespace korvane
