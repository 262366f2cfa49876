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

// The formulas keep the order of operations of the original tables, so results match to the
// last bit (e.g. Fahrenheit is divided by 9 before it is multiplied by 5).
std::optional<double> TemperatureToCelsius(int type, double x) {
    switch (type) {
        case 0:
            return x;
        case 1:
            return (x - 32) / 9 * 5;
        case 2:
            return x - 273.15;
        case 3:
            return (x - 459.67 - 32) / 9 * 5;
        case 4:
            return x * 5 * 0.25;
        default:
            return std::nullopt;
    }
}

std::optional<double> TemperatureFromCelsius(int type, double x) {
    switch (type) {
        case 0:
            return x;
        case 1:
            return x / 5 * 9 + 32;
        case 2:
            return x + 273.15;
        case 3:
            return x / 5 * 9 + 32 + 459.67;
        case 4:
            return x * 4 / 5;
        default:
            return std::nullopt;
    }
}

std::optional<double> ConductanceToReference(int type, double x) {
    switch (type) {
        case 0:
            return 1 / (x * kUValueImperialToMetric);
        case 1:
            return 1 / x;
        case 2:
            return x / kUValueImperialToMetric;
        case 3:
            return x;
        default:
            return std::nullopt;
    }
}

std::optional<double> ConductanceFromReference(int type, double x) {
    switch (type) {
        case 0:
            return 1 / (x * kUValueImperialToMetric);
        case 1:
            return 1 / x;
        case 2:
            return x * kUValueImperialToMetric;
        case 3:
            return x;
        default:
            return std::nullopt;
    }
}

std::optional<double> ConvertValue(ConversionRule rule, int fromType, int toType, double factorFrom,
                                   double factorTo, double x) {
    switch (rule) {
        case ConversionRule::Temperature:
            if (auto celsius = TemperatureToCelsius(fromType, x))
                return TemperatureFromCelsius(toType, *celsius);
            return std::nullopt;
        case ConversionRule::Conductance:
            if (auto reference = ConductanceToReference(fromType, x)) {
                return ConductanceFromReference(toType, *reference);
            }
            return std::nullopt;
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
