#include "app/ConversionRequest.h"

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Conversion.h"
#include "catalogue/Utf8.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane {

namespace {

struct Evaluation {
    double value = 0.0;
    bool failed = false;
    std::string message;
    std::size_t place = std::string_view::npos;  // byte index into the input
};

// Users count characters, not bytes: "2+§" has its "§" at position 3.
void SetErrorPlace(ConversionResult& result, std::string_view input, std::size_t place) {
    if (place == std::string_view::npos || place > input.size())
        return;
    result.errorPosition = static_cast<int>(CharacterCount(input.substr(0, place))) + 1;
    if (place == input.size())
        return;
    const Utf8Char character = DecodeUtf8(input, place);
    if (character.length == 0) {
        AppendUtf8(result.errorCharacter, U'\uFFFD');
    } else {
        result.errorCharacter = std::string(input.substr(place, character.length));
    }
}

// Empty input converts as 0 without asking the evaluator. Any error the evaluator reported,
// even one a later stage cleared, makes the request fail: its value would be an error code or
// a guess, and showing it as a converted result would be a wrong number. With printing on,
// the evaluation writes exactly what eval_math_expression(input) writes.
Evaluation Evaluate(std::string_view input, bool print) {
    if (input.empty())
        return {};
    math_expression_check check = eval_math_expression_checked_xyzt(input, 0, 0, 0, 0, print);
    return Evaluation{check.value, check.error_reported, std::move(check.first_message),
                      check.first_position};
}

}  // namespace

std::string ErrorDescription(const ConversionResult& result) {
    if (result.errorMessage.empty() || result.errorPosition <= 0)
        return result.errorMessage;
    std::string text = result.errorMessage;
    if (!result.errorCharacter.empty())
        text += " '" + result.errorCharacter + "'";
    return text + " at position " + std::to_string(result.errorPosition);
}

std::string UnitLabelText(const UnitCatalogue& catalogue, int category, int unitIndex,
                          bool showAbbreviation) {
    const std::string_view name = catalogue.UnitNameView(category, unitIndex);
    const std::string_view abbreviation = catalogue.UnitAbbreviationView(category, unitIndex);
    if (!showAbbreviation || abbreviation == kNoAbbreviation)
        return std::string(name);
    std::string text(name);
    text += '\n';
    text += abbreviation;
    return text;
}

ConversionResult RunConversionRequest(const UnitCatalogue& catalogue,
                                      const ConversionRequest& request) {
    const int category = UnitCatalogue::IsCategoryIndex(request.category) ? request.category : 0;
    ConversionResult result;
    if (catalogue.UnitCount(category) <= 0 || !request.fromUnit || !request.toUnit)
        return result;

    // A text that is not in the category would convert as a unit the user never chose, so
    // nothing is shown instead.
    const std::optional<int> from = catalogue.TryFindUnit(category, *request.fromUnit);
    const std::optional<int> to = catalogue.TryFindUnit(category, *request.toUnit);
    if (!from || !to)
        return result;

    result.changed = true;
    result.fromLabel = UnitLabelText(catalogue, category, *from, request.showAbbreviation);
    result.toLabel = UnitLabelText(catalogue, category, *to, request.showAbbreviation);

    const ConversionRule rule = RuleForCategory(catalogue.CategoryName(category));
    if (rule == ConversionRule::Numbers) {
        // The raw text is converted and never evaluated, so nothing is printed about it either:
        // the evaluator would report valid digits such as "ff" as wrong symbols.
        result.output = ConvertNumberBase(request.input, *request.fromUnit, *request.toUnit);
        return result;
    }
    const Evaluation evaluation = Evaluate(request.input, request.printEvaluation);
    if (evaluation.failed) {
        result.output = kErrorText;
        result.errorMessage = evaluation.message;
        SetErrorPlace(result, request.input, evaluation.place);
        return result;
    }
    const auto value = ConvertValue(rule, *from, *to, catalogue.UnitFactor(category, *from),
                                    catalogue.UnitFactor(category, *to), evaluation.value);
    result.output = value ? FormatResult(*value, request.format) : std::string(kErrorText);
    return result;
}

}  // namespace korvane
