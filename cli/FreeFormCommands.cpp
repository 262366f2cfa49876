#include "cli/FreeFormCommands.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <memory>

#include "app/ConversionRequest.h"
#include "catalogue/Conversion.h"
#include "catalogue/NumberText.h"
#include "cli/Output.h"
#include "cli/StandardStreams.h"

namespace korvane::cli {

namespace {

// Languages whose numbers take a decimal comma; a few regions write a point all the same.
constexpr std::array<std::string_view, 40> kCommaLanguages{
    "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi",
    "fo", "fr", "gl", "hr", "hu", "id", "is", "it", "ka", "kk", "lt", "lv", "mk", "nb",
    "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq", "sr", "sv"};
constexpr std::array<std::string_view, 6> kPointRegions{"de_CH", "de_LI", "it_CH",
                                                        "es_MX", "es_US", "fr_CH"};
constexpr std::array<std::string_view, 4> kMoreCommaLanguages{"tr", "uk", "vi", "uz"};

std::string Significant17(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 17);
    return std::string(buffer.data(), result.ptr);
}

std::optional<std::string_view> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string_view>(value) : std::nullopt;
}

bool Listed(std::string_view name, auto const& list) {
    for (std::string_view entry : list) {
        if (name == entry)
            return true;
    }
    return false;
}

}  // namespace

query::DecimalSeparator DecimalForLocale(std::optional<std::string_view> lcAll,
                                         std::optional<std::string_view> lcNumeric,
                                         std::optional<std::string_view> lang) {
    std::string_view name;
    for (const auto& candidate : {lcAll, lcNumeric, lang}) {
        if (candidate && !candidate->empty()) {
            name = *candidate;
            break;
        }
    }
    // "de_DE.UTF-8@euro" -> "de_DE" -> "de".
    name = name.substr(0, name.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    if (Listed(name, kPointRegions))
        return query::DecimalSeparator::Point;
    if (Listed(language, kCommaLanguages) || Listed(language, kMoreCommaLanguages))
        return query::DecimalSeparator::Comma;
    return query::DecimalSeparator::Point;
}

query::DecimalSeparator DecimalFromEnvironment() {
    return DecimalForLocale(Environment("LC_ALL"), Environment("LC_NUMERIC"), Environment("LANG"));
}

FreeFormOutcome ConvertFreeForm(const UnitCatalogue& catalogue, std::string_view text,
                                const ResultFormat& format, query::DecimalSeparator decimal) {
    const query::ReadResult read = query::ReadFreeForm(catalogue, text, {decimal, std::nullopt});
    // A plain value has no units to go with it: the command was used the other way.
    if (read.refusal.expression)
        return {
            {}, "convert needs VALUE FROM TO, or one text such as \"12 in to cm\"", {}, kExitUsage};
    if (!read.reading)
        return {std::string(kErrorText), read.refusal.message, {}, kExitError};
    const query::Reading& reading = *read.reading;
    ConversionRequest request;
    request.category = reading.category;
    // Views: the string readers would build every built-in unit's strings for these two.
    request.fromUnit = std::string(catalogue.UnitNameView(reading.category, reading.fromUnit));
    // Without a target the output shows the value read, in its own unit.
    request.toUnit = std::string(
        catalogue.UnitNameView(reading.category, reading.toUnit.value_or(reading.fromUnit)));
    request.input = ShortestText(reading.value);
    request.format = format;
    request.printEvaluation = false;
    const ConversionResult result = RunConversionRequest(catalogue, request);
    const int status = !result.changed || result.output == kErrorText ? kExitError : kExitOk;
    return {result.changed ? result.output : std::string(kErrorText), result.errorMessage,
            reading.echo, status};
}

void AddParseCommand(CLI::App& app, CliState& state) {
    auto text = std::make_shared<std::string>();
    auto* parse = app.add_subcommand(
        "parse",
        "Read TEXT as a conversion (\"12 in to cm\") and print category, from unit, to "
        "unit and the value in the from unit, tab-separated");
    parse->add_option("TEXT", *text, "The text as typed in the input box")->required();
    parse->callback([&state, text] {
        const UnitCatalogue& catalogue = state.Catalogue();
        const query::ReadResult read =
            query::ReadFreeForm(catalogue, *text, {DecimalFromEnvironment(), std::nullopt});
        if (!read.reading) {
            std::cerr << "korvane-cli: " << read.refusal.message << '\n';
            state.Report(kExitError);
            return;
        }
        const query::Reading& r = *read.reading;
        std::cout << catalogue.CategoryName(r.category) << '\t'
                  << catalogue.UnitName(r.category, r.fromUnit) << '\t'
                  << (r.toUnit ? catalogue.UnitName(r.category, *r.toUnit) : std::string()) << '\t'
                  << Significant17(r.value) << '\n';
    });
}

void RunFreeFormConvert(CliState& state, std::string_view text, const ResultFormat& format,
                        bool verbose) {
    const FreeFormOutcome outcome =
        ConvertFreeForm(state.Catalogue(), text, format, DecimalFromEnvironment());
    if (verbose && !outcome.echo.empty())
        PrintMessage(outcome.echo);
    if (outcome.status != kExitUsage)
        PrintLine(outcome.output);
    if (!outcome.message.empty())
        PrintMessage(outcome.message);
    state.Report(outcome.status);
}

}  // namespace korvane::cli
