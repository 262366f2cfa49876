#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "cli/FreeFormCommands.h"

namespace korvane::cli {
namespace {

using query::DecimalSeparator;

struct LocaleRow {
    std::optional<std::string_view> lcAll, lcNumeric, lang;
    DecimalSeparator expected;
};

TEST(DecimalForLocale, TheFirstVariableSetNamesTheConvention) {
    constexpr auto P = DecimalSeparator::Point;
    constexpr auto C = DecimalSeparator::Comma;
    const std::optional<std::string_view> none;
    const LocaleRow rows[] = {
        {none, none, none, P},           {"C", none, "de_DE.UTF-8", P},  // LC_ALL wins
        {"", "de_DE", "en_US.UTF-8", C},  // an empty value counts as unset
        {none, "POSIX", "de_DE", P},     {none, none, "de_DE.UTF-8", C},
        {none, none, "fr_FR@euro", C},   {none, none, "pt_BR.utf8", C},
        {none, none, "de_CH.UTF-8", P},  // Swiss German writes a point
        {none, none, "en_GB.UTF-8", P},  {none, none, "C.UTF-8", P},
        {none, none, "ja_JP.UTF-8", P},  {none, none, "ru", C},
    };
    for (const LocaleRow& row : rows) {
        SCOPED_TRACE(std::string(row.lcAll.value_or("-")) + " " +
                     std::string(row.lcNumeric.value_or("-")) + " " +
                     std::string(row.lang.value_or("-")));
        EXPECT_EQ(DecimalForLocale(row.lcAll, row.lcNumeric, row.lang), row.expected);
    }
}

TEST(ConvertFreeForm, ShowsWhatTheOutputBoxShows) {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    const FreeFormOutcome read =
        ConvertFreeForm(catalogue, "5 ft 7 3/8 in to cm", {}, DecimalSeparator::Point);
    EXPECT_EQ(read.output, "171.1325");
    EXPECT_EQ(read.status, kExitOk);
    EXPECT_NE(read.echo.find("inch (Distance)"), std::string::npos);

    const FreeFormOutcome comma = ConvertFreeForm(catalogue, "1,5 kg", {}, DecimalSeparator::Comma);
    EXPECT_EQ(comma.output, "1.5");  // no target: the value read, in its own unit

    const FreeFormOutcome refused =
        ConvertFreeForm(catalogue, "12 inchs to cm", {}, DecimalSeparator::Point);
    EXPECT_EQ(refused.output, "Error");
    EXPECT_EQ(refused.status, kExitError);
    EXPECT_NE(refused.message.find("did you mean \"inch\""), std::string::npos);

    // A plain value names no units: the command was meant with VALUE FROM TO.
    EXPECT_EQ(ConvertFreeForm(catalogue, "2+3", {}, DecimalSeparator::Point).status, kExitUsage);
}

}  // namespace
}  // namespace korvane::cli
