#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ConversionRequest.h"
#include "catalogue/NumberText.h"
#include "catalogue/UnitCatalogue.h"
#include "query/FreeFormReader.h"

// The worked examples: every row of freeform-examples.tsv read by the core's reader.

namespace korvane::query {
namespace {

struct Example {
    int line = 0;
    std::string input, locale, category, from, to, expected, tolerance, kind, note;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    fields.resize(9);
    return fields;
}

std::vector<Example> LoadExamples() {
    std::ifstream file(KORVANE_FREEFORM_EXAMPLES, std::ios::binary);
    std::vector<Example> examples;
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        if (++number == 1 || line.empty())
            continue;
        const auto f = SplitTabs(line);
        examples.push_back({number, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return examples;
}

class FreeFormExamples : public ::testing::Test {
  protected:
    void SetUp() override { catalogue_.LoadBuiltInTables(); }

    // The value the output box would show: the reading's value converted to the target.
    double Converted(const Reading& reading) const {
        if (!reading.toUnit)
            return reading.value;
        ConversionRequest request;
        request.category = reading.category;
        request.fromUnit = catalogue_.UnitName(reading.category, reading.fromUnit);
        request.toUnit = catalogue_.UnitName(reading.category, *reading.toUnit);
        request.input = ShortestText(reading.value);
        request.format = {FormatMode::Scientific, 16};
        request.printEvaluation = false;
        return ReadAtof(RunConversionRequest(catalogue_, request).output);
    }

    void ExpectReading(const Example& row, const Reading& reading) const {
        EXPECT_EQ(catalogue_.CategoryName(reading.category), row.category);
        EXPECT_EQ(catalogue_.UnitName(reading.category, reading.fromUnit), row.from);
        EXPECT_EQ(reading.toUnit ? catalogue_.UnitName(reading.category, *reading.toUnit) : "",
                  row.to);
        const double expected = ReadAtof(row.expected);
        const double tolerance = ReadAtof(row.tolerance) * std::max(1.0, std::fabs(expected));
        EXPECT_NEAR(Converted(reading), expected, tolerance);
        EXPECT_FALSE(reading.echo.empty());
    }

    UnitCatalogue catalogue_;
};

// Scanning (a one-shot reading) and the index (the window) must read every row alike.
class FreeFormExamplesBothWays : public FreeFormExamples,
                                 public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Lookups, FreeFormExamplesBothWays, ::testing::Values(false, true),
                         [](const auto& row) { return row.param ? "Indexed" : "Scanned"; });

TEST_P(FreeFormExamplesBothWays, EveryRowReadsAsWorkedOut) {
    const std::vector<Example> examples = LoadExamples();
    const UnitTierIndex index(catalogue_);
    ASSERT_EQ(examples.size(), 135u) << "the table was not found or is incomplete";
    for (const Example& row : examples) {
        SCOPED_TRACE("line " + std::to_string(row.line) + ": " + row.input + " (" + row.kind + ")");
        ReadingContext context;
        context.decimal = row.locale == "de_DE" ? DecimalSeparator::Comma : DecimalSeparator::Point;
        context.index = GetParam() ? &index : nullptr;
        const ReadResult result = ReadFreeForm(catalogue_, row.input, context);
        if (row.kind == "refuse") {
            EXPECT_FALSE(result.Read());
            EXPECT_FALSE(result.refusal.message.empty());
        } else if (row.kind == "typo") {
            ASSERT_FALSE(result.Read());
            EXPECT_NE(result.refusal.message.find("did you mean"), std::string::npos);
            ASSERT_TRUE(result.refusal.suggestion.has_value());
            ASSERT_TRUE(result.refusal.offered.has_value());
            EXPECT_EQ(*result.refusal.suggestion,
                      catalogue_.UnitName(result.refusal.offered->category,
                                          result.refusal.offered->fromUnit));
            ExpectReading(row, *result.refusal.offered);
        } else {
            ASSERT_TRUE(result.Read()) << result.refusal.message;
            ExpectReading(row, *result.reading);
        }
    }
}

}  // namespace
}  // namespace korvane::query
