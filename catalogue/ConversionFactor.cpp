#include "catalogue/ConversionFactor.h"

#include <cmath>
#include <optional>

#include "catalogue/Conversion.h"
#include "catalogue/ResultFormat.h"

namespace korvane {

namespace {

// "%1.8g": the output box's automatic format, which is locale-free and pads exponents as the
// rest of the program does.
std::string Number(double value) {
    return FormatResult(value, ResultFormat{FormatMode::AutoFormat, kDefaultPrecision});
}

// Built-in names keep the trailing blanks the stored selections rely on; a line of text must
// not carry them into the middle of a sentence.
std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string Name(const UnitCatalogue& catalogue, int category, int unit) {
    return std::string(Trimmed(catalogue.UnitName(category, unit)));
}

bool Usable(double value) {
    return std::isfinite(value) && value != 0.0;
}

struct Units {
    const UnitCatalogue& catalogue;
    int category;
    int from;
    int to;

    std::optional<double> Convert(ConversionRule rule, bool forward, double x) const {
        const int source = forward ? from : to;
        const int target = forward ? to : from;
        return ConvertValue(rule, source, target, catalogue.UnitFactor(category, source),
                            catalogue.UnitFactor(category, target), x);
    }
    std::string FromName() const { return Name(catalogue, category, from); }
    std::string ToName() const { return Name(catalogue, category, to); }
};

// "1 A = k B; 1 B = k' A".
std::string ProportionalLine(const Units& units, ConversionRule rule) {
    const auto forward = units.Convert(rule, true, 1.0);
    const auto backward = units.Convert(rule, false, 1.0);
    if (!forward || !backward || !Usable(*forward) || !Usable(*backward))
        return std::string(kNoFixedFactor);
    return "1 " + units.FromName() + " = " + Number(*forward) + " " + units.ToName() + "; 1 " +
           units.ToName() + " = " + Number(*backward) + " " + units.FromName();
}

// "B = a × A + b", read off the conversion of 0 and 1, so the line follows the formulas the
// output box uses.
std::optional<std::string> AffineHalf(const Units& units, bool forward) {
    const auto atZero = units.Convert(ConversionRule::Temperature, forward, 0.0);
    const auto atOne = units.Convert(ConversionRule::Temperature, forward, 1.0);
    if (!atZero || !atOne)
        return std::nullopt;
    const double slope = *atOne - *atZero;
    const double offset = *atZero;
    if (!Usable(slope) || !std::isfinite(offset))
        return std::nullopt;
    const std::string source = forward ? units.FromName() : units.ToName();
    const std::string target = forward ? units.ToName() : units.FromName();
    std::string line = target + " = " + Number(slope) + " \u00d7 " + source;
    if (offset > 0.0)
        line += " + " + Number(offset);
    else if (offset < 0.0)
        line += " - " + Number(-offset);
    return line;
}

std::string TemperatureLine(const Units& units) {
    const auto forward = AffineHalf(units, true);
    const auto backward = AffineHalf(units, false);
    if (!forward || !backward)
        return std::string(kNoFixedFactor);
    return *forward + "; " + *backward;
}

// Types 0 and 1 are R-values, 2 and 3 U-values: between the two kinds the relation is
// reciprocal ("U = k / R"), within one kind proportional.
std::string ConductanceLine(const Units& units) {
    const bool fromIsR = units.from < 2;
    const bool toIsR = units.to < 2;
    if (fromIsR == toIsR)
        return ProportionalLine(units, ConversionRule::Conductance);
    const auto forward = units.Convert(ConversionRule::Conductance, true, 1.0);
    const auto backward = units.Convert(ConversionRule::Conductance, false, 1.0);
    if (!forward || !backward || !Usable(*forward) || !Usable(*backward))
        return std::string(kNoFixedFactor);
    return units.ToName() + " = " + Number(*forward) + " / " + units.FromName() + "; " +
           units.FromName() + " = " + Number(*backward) + " / " + units.ToName();
}

bool IsUnit(const UnitCatalogue& catalogue, int category, int unit) {
    return unit >= 0 && unit < catalogue.UnitCount(category);
}

}  // namespace

std::string FactorLine(const UnitCatalogue& catalogue, int category, int from, int to) {
    if (!UnitCatalogue::IsCategoryIndex(category) || !IsUnit(catalogue, category, from) ||
        !IsUnit(catalogue, category, to))
        return std::string(kNoFixedFactor);
    const ConversionRule rule = RuleForCategory(catalogue.CategoryName(category));
    if (rule == ConversionRule::Numbers)
        return std::string(kNoFixedFactor);
    const Units units{catalogue, category, from, to};
    if (from == to) {
        // A zero factor still has no relation, not even to itself.
        if (rule == ConversionRule::Linear && !Usable(catalogue.UnitFactor(category, from)))
            return std::string(kNoFixedFactor);
        return "1 " + units.FromName() + " = 1 " + units.ToName();
    }
    switch (rule) {
        case ConversionRule::Temperature:
            return TemperatureLine(units);
        case ConversionRule::Conductance:
            return ConductanceLine(units);
        case ConversionRule::Linear:
        case ConversionRule::Numbers:
            break;
    }
    return ProportionalLine(units, ConversionRule::Linear);
}

std::string UnitCopyText(const UnitCatalogue& catalogue, int category, int unit) {
    const std::string_view abbreviation = Trimmed(catalogue.UnitAbbreviation(category, unit));
    if (!abbreviation.empty())
        return std::string(abbreviation);
    return Name(catalogue, category, unit);
}

std::string ValueWithUnit(const UnitCatalogue& catalogue, int category, int unit,
                          std::string_view value) {
    if (RuleForCategory(catalogue.CategoryName(category)) == ConversionRule::Numbers)
        return std::string(value);
    const std::string unitText = UnitCopyText(catalogue, category, unit);
    if (unitText.empty())
        return std::string(value);
    return std::string(value) + " " + unitText;
}

std::string ConversionLine(const UnitCatalogue& catalogue, int category, int from, int to,
                           std::string_view inputValue, std::string_view outputValue) {
    return std::string(inputValue) + " " + Name(catalogue, category, from) + " = " +
           std::string(outputValue) + " " + Name(catalogue, category, to);
}

}  // namespace korvane
