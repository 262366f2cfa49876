#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/ConversionRequest.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane {
namespace {

class ConversionRequestTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    ConversionResult Run(std::string_view category, std::optional<std::string> from,
                         std::optional<std::string> to, std::string input, ResultFormat format = {},
                         bool abbreviations = true) {
        ConversionRequest request;
        request.category = catalogue_.FindCategory(category);
        request.fromUnit = std::move(from);
        request.toUnit = std::move(to);
        request.input = std::move(input);
        request.format = format;
        request.showAbbreviation = abbreviations;
        return RunConversionRequest(catalogue_, request);
    }

    UnitCatalogue catalogue_;
};

TEST_F(ConversionRequestTest, DistanceWithTwoLineLabels) {
    const ConversionResult result = Run("Distance", "meter", "centimeter", "6");
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(result.output, "600");
    EXPECT_EQ(result.fromLabel, "meter\nm");
    EXPECT_EQ(result.toLabel, "centimeter\ncm");
    EXPECT_TRUE(result.errorMessage.empty());

    const ConversionResult bare = Run("Distance", "meter", "centimeter", "6", {}, false);
    EXPECT_EQ(bare.fromLabel, "meter");
    EXPECT_EQ(bare.toLabel, "centimeter");
}

TEST_F(ConversionRequestTest, LabelsOfUnitsWithoutOrWithEmptyAbbreviation) {
    EXPECT_EQ(Run("Distance", "arm length", "meter", "1").fromLabel, "arm length");
    EXPECT_EQ(Run("Power", "MBH", "watt", "1").fromLabel, "MBH\n");
}

TEST_F(ConversionRequestTest, EmptyInputConvertsZero) {
    EXPECT_EQ(Run("Temperature", "degree Celsius", "degree Fahrenheit", "").output, "32");
    EXPECT_EQ(Run("Distance", "meter", "centimeter", "").output, "0");
}

TEST_F(ConversionRequestTest, SameUnitGivesTheValueFormatted) {
    EXPECT_EQ(Run("Distance", "inch", "inch", "0.1").output, "0.1");
    EXPECT_EQ(Run("Temperature", "Kelvin", "Kelvin", "1").output, "1");
}

TEST_F(ConversionRequestTest, NumbersIgnoresTheFormat) {
    const ResultFormat fixed{FormatMode::Fixed, 3};
    EXPECT_EQ(Run("Numbers", "base-16 (hexadecimal)", "base-10 (decimal)", "ff", fixed).output,
              "255");
    EXPECT_EQ(Run("Numbers", "base-10 (decimal)", "base-10 (decimal)", "ff", fixed).output, "0");
}

TEST_F(ConversionRequestTest, FormatIsApplied) {
    EXPECT_EQ(Run("Distance", "foot", "inch", "1", ResultFormat{FormatMode::Scientific, 2}).output,
              "1.20e+001");
    EXPECT_EQ(Run("Distance", "foot", "inch", "1", ResultFormat{FormatMode::Fixed, 1}).output,
              "12.0");
}

TEST_F(ConversionRequestTest, NothingChangesWithoutUnitsOrSelection) {
    EXPECT_FALSE(Run("Custom", "a", "b", "1").changed);
    EXPECT_FALSE(Run("Distance", std::nullopt, "meter", "1").changed);
    EXPECT_FALSE(Run("Distance", "meter", std::nullopt, "1").changed);
    // A text that is not a unit of the category must not convert as its first unit.
    EXPECT_FALSE(Run("Distance", "meter ", "meter", "1").changed);
    EXPECT_FALSE(Run("Distance", "meter", "Meter", "1").changed);
}

TEST_F(ConversionRequestTest, OutOfRangeCategoryReadsAsTheFirst) {
    ConversionRequest request;
    request.category = 99;
    request.fromUnit = "meter/second²";
    request.toUnit = "centimeter/second²";
    request.input = "1";
    EXPECT_EQ(RunConversionRequest(catalogue_, request).output, "100");
}

// A request made from texts that are gone by the time it runs (the window's list entries
// change under a kept request) must still convert what it was made from.
TEST_F(ConversionRequestTest, RequestOutlivesTheTextsItWasMadeFrom) {
    const auto make = [this] {
        std::string from = "meter";
        std::string to = "centimeter";
        std::string input = "2*3";
        ConversionRequest request;
        request.category = catalogue_.FindCategory("Distance");
        request.fromUnit = from;
        request.toUnit = to;
        request.input = input;
        from.assign(40, 'x');
        to.assign(40, 'y');
        input.assign(40, 'z');
        return request;
    };
    const ConversionRequest request = make();
    const ConversionResult result = RunConversionRequest(catalogue_, request);
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(result.output, "600");
}

// The request prints what the converter's evaluator entry prints, byte for byte, and nothing
// when asked not to; the result is the same either way.
TEST_F(ConversionRequestTest, PrintsWhatTheEvaluatorEntryPrints) {
    using ::testing::internal::CaptureStderr;
    using ::testing::internal::CaptureStdout;
    using ::testing::internal::GetCapturedStderr;
    using ::testing::internal::GetCapturedStdout;
    for (const std::string_view input : {"2+", "(2+3", "sqrt(-1)+2", " HELP ", "2*3"}) {
        SCOPED_TRACE(input);
        CaptureStdout();
        CaptureStderr();
        eval_math_expression(input);
        const std::string entryErrors = GetCapturedStderr();
        const std::string entryOutput = GetCapturedStdout();

        CaptureStdout();
        CaptureStderr();
        const ConversionResult printed = Run("Distance", "meter", "centimeter", std::string(input));
        EXPECT_EQ(GetCapturedStderr(), entryErrors);
        EXPECT_EQ(GetCapturedStdout(), entryOutput);

        ConversionRequest request;
        request.category = catalogue_.FindCategory("Distance");
        request.fromUnit = "meter";
        request.toUnit = "centimeter";
        request.input = input;
        request.printEvaluation = false;
        CaptureStdout();
        CaptureStderr();
        const ConversionResult silent = RunConversionRequest(catalogue_, request);
        EXPECT_EQ(GetCapturedStderr(), "");
        EXPECT_EQ(GetCapturedStdout(), "");
        EXPECT_EQ(silent.output, printed.output);
        EXPECT_EQ(silent.errorMessage, printed.errorMessage);
    }
}

TEST_F(ConversionRequestTest, UnknownFormulaTypeShowsError) {
    // A unit appended to "Temperature" outside the preferences has no formula.
    ASSERT_TRUE(catalogue_.AppendUnit(catalogue_.FindCategory("Temperature"), "gas mark", 1.0));
    const ConversionResult result = Run("Temperature", "gas mark", "Kelvin", "1");
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.output, "Error");
}

// The window shows this text as the output box's tooltip and tells it to screen readers: the
// table message first, then the character at fault and its position in characters.
TEST_F(ConversionRequestTest, ErrorDescriptionSaysWhereTheErrorIs) {
    struct Row {
        std::string input;
        std::string description;
    };
    const Row rows[] = {
        {"2+\u00a7", "wrong symbol '\u00a7' at position 3"},
        {"\u00b5m \u00b7 #", "wrong symbol '\u00b5' at position 1"},
        {"  4 / 0", "divide by 0 '0' at position 7"},
        {"(1+2))", "too much rigth brackets ')' at position 6"},
        {"2 *", "operator can not be the last in expression '*' at position 3"},
        {"*2", "power operator stands first '*' at position 1"},
        {" *2", "power operator stands first '*' at position 2"},
        {"   ", "empty expression at position 4"},
        {"2+\xff", "wrong symbol '\ufffd' at position 3"},
        {"1e308*10", "expression result is INF"},
        {"2*3", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        ConversionRequest request;
        request.category = catalogue_.FindCategory("Distance");
        request.fromUnit = "meter";
        request.toUnit = "centimeter";
        request.input = row.input;
        request.printEvaluation = false;
        const ConversionResult result = RunConversionRequest(catalogue_, request);
        EXPECT_EQ(ErrorDescription(result), row.description);
    }
}

TEST_F(ConversionRequestTest, ErrorPastTheEndHasAPositionButNoCharacter) {
    ConversionResult result;
    result.errorMessage = "too much left brackets";
    result.errorPosition = 5;
    EXPECT_EQ(ErrorDescription(result), "too much left brackets at position 5");
}

}  // namespace
}  // namespace korvane
