#include <gtest/gtest.h>

#include <string>

#include "catalogue/ConversionFactor.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

class ConversionFactorTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    int Category(std::string_view name) const { return *catalogue_.TryFindCategory(name); }
    std::string Line(std::string_view category, std::string_view from, std::string_view to) const {
        const int c = Category(category);
        return FactorLine(catalogue_, c, *catalogue_.TryFindUnit(c, from),
                          *catalogue_.TryFindUnit(c, to));
    }
    // A custom category "money" with the given units.
    int Custom(std::initializer_list<std::pair<const char*, double>> units) {
        catalogue_.SetCategoryName(kFirstCustomCategory, "money");
        for (const auto& [name, factor] : units)
            EXPECT_TRUE(catalogue_.AppendUnit(kFirstCustomCategory, name, factor));
        return kFirstCustomCategory;
    }

    UnitCatalogue catalogue_;
};

struct FactorCase {
    const char* label;
    const char* category;
    const char* from;
    const char* to;
    const char* line;
};

TEST_F(ConversionFactorTest, EveryRuleHasItsForm) {
    const FactorCase cases[] = {
        {"linear", "Distance", "inch", "centimeter",
         "1 inch = 2.54 centimeter; 1 centimeter = 0.39370079 inch"},
        {"same unit", "Distance", "meter", "meter", "1 meter = 1 meter"},
        {"temperature", "Temperature", "degree Celsius", "degree Fahrenheit",
         "degree Fahrenheit = 1.8 \u00d7 degree Celsius + 32; degree Celsius = 0.55555556 "
         "\u00d7 degree Fahrenheit - 17.777778"},
        {"temperature without offset", "Temperature", "degree Reaumur", "degree Celsius",
         "degree Celsius = 1.25 \u00d7 degree Reaumur; degree Reaumur = 0.8 \u00d7 degree "
         "Celsius"},
        {"same temperature", "Temperature", "Kelvin", "Kelvin", "1 Kelvin = 1 Kelvin"},
        {"R to U", "Thermal Conductance (buildings)", "R-value (imperial)", "U-value (metric)",
         "U-value (metric) = 5.6782633 / R-value (imperial); R-value (imperial) = 5.6782633 / "
         "U-value (metric)"},
        {"R to R", "Thermal Conductance (buildings)", "R-value (imperial)", "R-value (metric)",
         "1 R-value (imperial) = 0.17611018 R-value (metric); 1 R-value (metric) = 5.6782633 "
         "R-value (imperial)"},
        {"numbers", "Numbers", "base-02 (binary)", "base-03", "No fixed factor"},
    };
    for (const FactorCase& c : cases)
        EXPECT_EQ(Line(c.category, c.from, c.to), c.line) << c.label;
}

TEST_F(ConversionFactorTest, CustomFactorsAtTheEdgesOfADouble) {
    const int money = Custom({{"Euro", 1}, {"nothing", 0}, {"tiny", 1e-300}, {"huge", 1e300}});
    EXPECT_EQ(FactorLine(catalogue_, money, 1, 0), "No fixed factor");
    EXPECT_EQ(FactorLine(catalogue_, money, 0, 1), "No fixed factor");
    EXPECT_EQ(FactorLine(catalogue_, money, 1, 1), "No fixed factor");
    EXPECT_EQ(FactorLine(catalogue_, money, 2, 0), "1 tiny = 1e-300 Euro; 1 Euro = 1e+300 tiny");
    // 1e-600 and 1e+600 are no doubles: no relation is better than a 0 or an inf.
    EXPECT_EQ(FactorLine(catalogue_, money, 2, 3), "No fixed factor");
}

TEST_F(ConversionFactorTest, IndexesThatNameNoUnitHaveNoFactor) {
    const int distance = Category("Distance");
    EXPECT_EQ(FactorLine(catalogue_, distance, -1, 0), "No fixed factor");
    EXPECT_EQ(FactorLine(catalogue_, distance, 0, catalogue_.UnitCount(distance)),
              "No fixed factor");
    EXPECT_EQ(FactorLine(catalogue_, kMaxCategories, 0, 0), "No fixed factor");
    // A free custom row has no units at all.
    EXPECT_EQ(FactorLine(catalogue_, kFirstCustomCategory, 0, 0), "No fixed factor");
}

TEST_F(ConversionFactorTest, CopiedTextsNameTheUnitAsAReaderExpects) {
    const int distance = Category("Distance");
    const int centimeter = *catalogue_.TryFindUnit(distance, "centimeter");
    const int meter = *catalogue_.TryFindUnit(distance, "meter");
    EXPECT_EQ(ValueWithUnit(catalogue_, distance, centimeter, "600"), "600 cm");
    EXPECT_EQ(ConversionLine(catalogue_, distance, meter, centimeter, "6", "600"),
              "6 meter = 600 centimeter");
    const int numbers = Category("Numbers");
    EXPECT_EQ(ValueWithUnit(catalogue_, numbers, 0, "101"), "101");
    // No abbreviation (" ") or an empty one: the name, without its trailing blanks.
    const int power = Category("Power");
    EXPECT_EQ(ValueWithUnit(catalogue_, power, *catalogue_.TryFindUnit(power, "MBH"), "2"),
              "2 MBH");
    const int money = Custom({{"Euro ", 1}});
    EXPECT_EQ(ValueWithUnit(catalogue_, money, 0, "3"), "3 Euro");
    EXPECT_EQ(UnitCopyText(catalogue_, money, 0), "Euro");
}

}  // namespace
}  // namespace korvane
