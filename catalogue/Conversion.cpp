#include "catalogue/Conversion.h"

#include <cstdint>

#include "catalogue/NumberText.h"

namespace korvane {

ConversionRule RuleForCategory(std::string_view categoryName) {
    if (categoryName == "Numbers")
        return ConversionRule::Numbers;
    if (categoryName == "Temperature")
        return ConversionRule::Temperature;
    if (categoryName == "Thermal Conductance (buildings)")
        return ConversionRule::Conductance;
    return ConversionRule::Linear;
}

std::optional<TemperatureScale> TemperatureScaleOf(int type) {
    if (type < 0 || type > static_cast<int>(TemperatureScale::Reaumur))
        return std::nullopt;
    return static_cast<TemperatureScale>(type);
}

std::optional<ConductanceScale> ConductanceScaleOf(int type) {
    if (type < 0 || type > static_cast<int>(ConductanceScale::UMetric))
        return std::nullopt;
    return static_cast<ConductanceScale>(type);
}

// The formulas keep the order of operations of the original tables, so results match to the
// last bit (e.g. Fahrenheit is divided by 9 before it is multiplied by 5). Every switch names
// every scale; the return after it is never reached.
double TemperatureToCelsius(TemperatureScale scale, double x) {
    switch (scale) {
        case TemperatureScale::Celsius:
            return x;
        case TemperatureScale::Fahrenheit:
            return (x - 32) / 9 * 5;
        case TemperatureScale::Kelvin:
            return x - 273.15;
        case TemperatureScale::Rankine:
            return (x - 459.67 - 32) / 9 * 5;
        case TemperatureScale::Reaumur:
            return x * 5 * 0.25;
    }
    return x;
}

double TemperatureFromCelsius(TemperatureScale scale, double x) {
    switch (scale) {
        case TemperatureScale::Celsius:
            return x;
        case TemperatureScale::Fahrenheit:
            return x / 5 * 9 + 32;
        case TemperatureScale::Kelvin:
            return x + 273.15;
        case TemperatureScale::Rankine:
            return x / 5 * 9 + 32 + 459.67;
        case TemperatureScale::Reaumur:
            return x * 4 / 5;
    }
    return x;
}

double ConductanceToReference(ConductanceScale scale, double x) {
    switch (scale) {
        case ConductanceScale::RImperial:
            return 1 / (x * kUValueImperialToMetric);
        case ConductanceScale::RMetric:
            return 1 / x;
        case ConductanceScale::UImperial:
            return x / kUValueImperialToMetric;
        case ConductanceScale::UMetric:
            return x;
    }
    return x;
}

double ConductanceFromReference(ConductanceScale scale, double x) {
    switch (scale) {
        case ConductanceScale::RImperial:
            return 1 / (x * kUValueImperialToMetric);
        case ConductanceScale::RMetric:
            return 1 / x;
        case ConductanceScale::UImperial:
            return x * kUValueImperialToMetric;
        case ConductanceScale::UMetric:
            return x;
    }
    return x;
}

// The stored types become scales here, once; past this point no formula sees a bare number.
std::optional<double> ConvertValue(ConversionRule rule, int fromType, int toType, double factorFrom,
                                   double factorTo, double x) {
    switch (rule) {
        case ConversionRule::Temperature: {
            const auto from = TemperatureScaleOf(fromType);
            const auto to = TemperatureScaleOf(toType);
            if (!from || !to)
                return std::nullopt;
            return TemperatureFromCelsius(*to, TemperatureToCelsius(*from, x));
        }
        case ConversionRule::Conductance: {
            const auto from = ConductanceScaleOf(fromType);
            const auto to = ConductanceScaleOf(toType);
            if (!from || !to)
                return std::nullopt;
            return ConductanceFromReference(*to, ConductanceToReference(*from, x));
        }
        case ConversionRule::Linear:
            return ConvertLinear(x, factorFrom, factorTo);
        case ConversionRule::Numbers:
            break;
    }
    return std::nullopt;
}

int RadixFromUnitName(std::string_view unitName) {
    const std::size_t bracket = unitName.find('(');
    if (bracket != std::string_view::npos && bracket > 0)
        unitName = unitName.substr(0, bracket);
    const std::size_t dash = unitName.find('-');
    if (dash != std::string_view::npos && dash > 0)
        unitName = unitName.substr(dash + 1);
    return ReadAtoi(unitName);
}

namespace {

std::string WriteInRadix(std::int32_t value, int radix) {
    constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const bool minus = value < 0 && radix == 10;
    // Outside radix 10 a negative value shows its 32-bit pattern, as the original did.
    std::uint32_t rest =
        minus ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::string reversed;
    do {
        reversed.push_back(kDigits[rest % static_cast<std::uint32_t>(radix)]);
        rest /= static_cast<std::uint32_t>(radix);
    } while (rest != 0);
    if (minus)
        reversed.push_back('-');
    return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace

std::string ConvertNumberBase(std::string_view input, std::string_view fromUnitName,
                              std::string_view toUnitName) {
    const int fromRadix = RadixFromUnitName(fromUnitName);
    const int toRadix = RadixFromUnitName(toUnitName);
    if (fromRadix < 2 || fromRadix > 36 || toRadix < 2 || toRadix > 36)
        return std::string(kErrorText);
    const auto value = ReadStrtol32(input, fromRadix);
    if (!value)
        return std::string(kErrorText);
    return WriteInRadix(*value, toRadix);
}

}  // namespace korvane
