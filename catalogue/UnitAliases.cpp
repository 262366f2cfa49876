#include "catalogue/UnitAliases.h"

#include <algorithm>
#include <array>
#include <string>

#include "catalogue/CaseFold.h"
#include "catalogue/ListOrder.h"

namespace korvane {

namespace {

using S = AliasScope;

// Plurals that only drop an "s" or "es" and British "-tre" spellings are read by rule, so this
// table holds what no rule reaches.
constexpr std::array kAliases = {
    // Distance
    UnitAlias{"Distance", "feet", "foot"},
    UnitAlias{"Distance", "angstrom", "ångström"},
    UnitAlias{"Distance", "lightyear", "light year"},
    UnitAlias{"Distance", "light-year", "light year"},
    UnitAlias{"Distance", "thou", "mil"},
    UnitAlias{"Distance", "nautical mile", "nautical mile"},
    // Mass
    UnitAlias{"Mass", "lbs", "pound"},
    UnitAlias{"Mass", "lbm", "pound"},
    UnitAlias{"Mass", "tonne", "ton(metric)"},
    UnitAlias{"Mass", "metric ton", "ton(metric)"},
    UnitAlias{"Mass", "long ton", "ton(long)"},
    UnitAlias{"Mass", "short ton", "ton"},
    UnitAlias{"Mass", "ct", "carat"},
    UnitAlias{"Mass", "ozt", "ounce(troy)"},
    UnitAlias{"Mass", "oz t", "ounce(troy)"},
    UnitAlias{"Mass", "troy ounce", "ounce(troy)"},
    UnitAlias{"Mass", "gramme", "gram"},
    UnitAlias{"Mass", "mcg", "microgram"},
    // Volume
    UnitAlias{"Volume", "tsp", "teaspoon"},
    UnitAlias{"Volume", "tbsp", "tablespoon"},
    UnitAlias{"Volume", "tbs", "tablespoon"},
    UnitAlias{"Volume", "floz", "ounce"},
    UnitAlias{"Volume", "fl. oz", "ounce"},
    UnitAlias{"Volume", "fluid ounce", "ounce"},
    UnitAlias{"Volume", "oz", "ounce"},
    UnitAlias{"Volume", "cc", "centimeter³"},
    UnitAlias{"Volume", "imperial gallon", "gallon (UK)"},
    UnitAlias{"Volume", "acre foot", "acre-foot"},
    // Temperature: the bare letters only decide beside another temperature.
    UnitAlias{"Temperature", "degC", "degree Celsius"},
    UnitAlias{"Temperature", "degF", "degree Fahrenheit"},
    UnitAlias{"Temperature", "degK", "Kelvin"},
    UnitAlias{"Temperature", "degR", "degree Rankine"},
    UnitAlias{"Temperature", "°K", "Kelvin"},
    UnitAlias{"Temperature", "℃", "degree Celsius"},     // the reader normalises these; the
    UnitAlias{"Temperature", "℉", "degree Fahrenheit"},  // suggestions for convert do not
    UnitAlias{"Temperature", "celsius", "degree Celsius"},
    UnitAlias{"Temperature", "centigrade", "degree Celsius"},
    UnitAlias{"Temperature", "fahrenheit", "degree Fahrenheit"},
    UnitAlias{"Temperature", "rankine", "degree Rankine"},
    UnitAlias{"Temperature", "reaumur", "degree Reaumur"},
    UnitAlias{"Temperature", "C", "degree Celsius"},
    UnitAlias{"Temperature", "F", "degree Fahrenheit"},
    UnitAlias{"Temperature", "K", "Kelvin"},
    UnitAlias{"Temperature", "R", "degree Rankine"},
    // Time
    UnitAlias{"Time", "hr", "hour"},
    UnitAlias{"Time", "sec", "second"},
    UnitAlias{"Time", "yr", "year"},
    UnitAlias{"Time", "msec", "millisecond"},
    UnitAlias{"Time", "month", "month (30 days)"},
    UnitAlias{"Time", "m", "minute", S::TimeGroup},
    // Velocity
    UnitAlias{"Velocity", "mph", "mile/hour"},
    UnitAlias{"Velocity", "mi/hr", "mile/hour"},
    UnitAlias{"Velocity", "kph", "kilometer/hour"},
    UnitAlias{"Velocity", "kmh", "kilometer/hour"},
    UnitAlias{"Velocity", "kmph", "kilometer/hour"},
    UnitAlias{"Velocity", "km/hr", "kilometer/hour"},
    UnitAlias{"Velocity", "fps", "feet/second"},
    UnitAlias{"Velocity", "ft/sec", "feet/second"},
    UnitAlias{"Velocity", "m/sec", "meter/second"},
    UnitAlias{"Velocity", "kt", "knot"},
    UnitAlias{"Velocity", "kts", "knot"},
    // Area
    UnitAlias{"Area", "sqft", "foot²"},
    UnitAlias{"Area", "sqm", "meter²"},
    // Pressure
    UnitAlias{"Pressure", "mb", "millibar"},
    UnitAlias{"Pressure", "in Hg", "inch of Mercury"},
    // Angle
    UnitAlias{"Angle", "deg", "degree"},
    UnitAlias{"Angle", "arcmin", "minute"},
    UnitAlias{"Angle", "arcsec", "second"},
    UnitAlias{"Angle", "grad", "grade"},
    UnitAlias{"Angle", "rev", "revolution"},
    // Angular Velocity
    UnitAlias{"Angular Velocity", "rpm", "revolution/minute"},
    UnitAlias{"Angular Velocity", "rps", "revolution/second"},
    // Flow
    UnitAlias{"Flow", "gpm", "gallon/minute"},
    UnitAlias{"Flow", "gph", "gallon/hour"},
    UnitAlias{"Flow", "cfm", "foot³/minute"},
    UnitAlias{"Flow", "cfs", "foot³/second"},
    UnitAlias{"Flow", "lpm", "liter/minute"},
    // Fuel Consumption
    UnitAlias{"Fuel Consumption", "mpg", "mile/gallon(US)"},
    // Energy: the food Calorie, capital C, is the kilocalorie.
    UnitAlias{"Energy", "Cal", "kilocalorie (IT)", S::Always, true},
    // Current, Charge, Illumination, Torque
    UnitAlias{"Current", "amp", "ampere"},
    UnitAlias{"Charge", "Ah", "ampere hour"},
    UnitAlias{"Illumination", "fc", "lumen/foot²"},
    UnitAlias{"Illumination", "footcandle", "lumen/foot²"},
    UnitAlias{"Torque", "lb-ft", "pound-force foot"},
    UnitAlias{"Torque", "lbf-ft", "pound-force foot"},
    // Data: the binary names; the catalogue's kilobyte is 1024 bytes.
    UnitAlias{"Data", "KiB", "kilobyte"},
    UnitAlias{"Data", "MiB", "megabyte"},
    UnitAlias{"Data", "GiB", "gigabyte"},
    UnitAlias{"Data", "TiB", "terabyte"},
    // Data Transfer: rates written in ways the catalogue lacks go to the "(SI)" units.
    UnitAlias{"Data Transfer", "bps", "bit/second"},
    UnitAlias{"Data Transfer", "bit/s", "bit/second"},
    UnitAlias{"Data Transfer", "B/s", "byte/second"},
    UnitAlias{"Data Transfer", "kbps", "kilobit/second (SI)"},
    UnitAlias{"Data Transfer", "kbit/s", "kilobit/second (SI)"},
    UnitAlias{"Data Transfer", "kb/s", "kilobit/second (SI)"},
    UnitAlias{"Data Transfer", "kB/s", "kilobyte/second (SI)"},
    UnitAlias{"Data Transfer", "KB/s", "kilobyte/second (SI)"},
    UnitAlias{"Data Transfer", "kBps", "kilobyte/second (SI)"},
    UnitAlias{"Data Transfer", "Mbps", "megabit/second (SI)"},
    UnitAlias{"Data Transfer", "Mbit/s", "megabit/second (SI)"},
    UnitAlias{"Data Transfer", "Mb/s", "megabit/second (SI)"},
    UnitAlias{"Data Transfer", "MB/s", "megabyte/second (SI)"},
    UnitAlias{"Data Transfer", "MBps", "megabyte/second (SI)"},
    UnitAlias{"Data Transfer", "Gbps", "gigabit/second (SI)"},
    UnitAlias{"Data Transfer", "Gbit/s", "gigabit/second (SI)"},
    UnitAlias{"Data Transfer", "Gb/s", "gigabit/second (SI)"},
    UnitAlias{"Data Transfer", "GB/s", "gigabyte/second (SI)"},
    UnitAlias{"Data Transfer", "GBps", "gigabyte/second (SI)"},
    UnitAlias{"Data Transfer", "Tbps", "terabit/second (SI)"},
    UnitAlias{"Data Transfer", "Tbit/s", "terabit/second (SI)"},
    UnitAlias{"Data Transfer", "Tb/s", "terabit/second (SI)"},
    UnitAlias{"Data Transfer", "TB/s", "terabyte/second (SI)"},
};

constexpr std::array kMissingUnits = {
    MissingUnit{"Hz", "frequency"},
    MissingUnit{"kHz", "frequency"},
    MissingUnit{"MHz", "frequency"},
    MissingUnit{"GHz", "frequency"},
    MissingUnit{"hertz", "frequency"},
    MissingUnit{"Ω", "electrical resistance"},
    MissingUnit{"ohm", "electrical resistance"},
    MissingUnit{"kΩ", "electrical resistance"},
    MissingUnit{"V", "voltage"},
    MissingUnit{"mV", "voltage"},
    MissingUnit{"kV", "voltage"},
    MissingUnit{"volt", "voltage"},
    MissingUnit{"mAh", "milliampere hours"},
    MissingUnit{"ksi", "kilopound per square inch"},
    MissingUnit{"dB", "decibels"},
    MissingUnit{"L/100km", "liters per 100 km"},
    MissingUnit{"L/100 km", "liters per 100 km"},
    MissingUnit{"l/100km", "liters per 100 km"},
    MissingUnit{"cd", "luminous intensity"},
    MissingUnit{"Wb", "magnetic flux"},
    MissingUnit{"MWh", "megawatt hours"},
    MissingUnit{"GWh", "gigawatt hours"},
};

constexpr std::array kPreferences = {
    UnitPreference{"oz", "Mass", "ounce"},
    UnitPreference{"ounce", "Mass", "ounce"},
    UnitPreference{"ounces", "Mass", "ounce"},
    UnitPreference{"st", "Mass", "stone"},
    UnitPreference{"pt", "Volume", "pint"},
    UnitPreference{"qt", "Volume", "quart"},
    UnitPreference{"pint", "Volume", "pint"},
    UnitPreference{"quart", "Volume", "quart"},
    UnitPreference{"g", "Mass", "gram"},
    UnitPreference{"mil", "Distance", "mil"},
    UnitPreference{"bbl", "Volume", "barrel (oil)"},
};

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::span<const UnitAlias> UnitAliases() {
    return kAliases;
}

std::optional<MissingUnit> FindMissingUnit(std::string_view text) {
    for (const MissingUnit& missing : kMissingUnits) {
        if (missing.text == text)
            return missing;
    }
    return std::nullopt;
}

std::span<const UnitPreference> UnitPreferences() {
    return kPreferences;
}

std::optional<int> FindUnitIgnoringTrailingBlanks(const UnitCatalogue& catalogue, int category,
                                                  std::string_view name) {
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        if (WithoutTrailingBlanks(catalogue.UnitNameView(category, u)) == name)
            return u;
    }
    return std::nullopt;
}

AliasAndAccentIndex::AliasAndAccentIndex(const UnitCatalogue& catalogue) {
    for (int c = 0; c < kMaxCategories; ++c) {
        if (catalogue.IsFreeSlot(c))
            continue;
        for (int u = 0; u < catalogue.UnitCount(c); ++u)
            entries_.push_back({FoldAccents(catalogue.UnitName(c, u)), {c, u}});
        for (const UnitAlias& alias : kAliases) {
            if (alias.scope != AliasScope::Always || catalogue.CategoryName(c) != alias.category)
                continue;
            if (const auto unit = FindUnitIgnoringTrailingBlanks(catalogue, c, alias.unit))
                entries_.push_back({FoldAccents(alias.alias), {c, *unit}});
        }
    }
}

std::vector<AliasMatch> AliasAndAccentIndex::Match(std::string_view typed) const {
    std::vector<AliasMatch> matches;
    const std::string wanted = FoldAccents(typed);
    if (wanted.empty())
        return matches;
    for (const Entry& entry : entries_) {
        if (entry.folded.find(wanted) == std::string::npos)
            continue;
        const bool known = std::any_of(matches.rbegin(), matches.rend(), [&](const AliasMatch& m) {
            return m.category == entry.unit.category && m.unit == entry.unit.unit;
        });
        if (!known)
            matches.push_back(entry.unit);
    }
    return matches;
}

std::vector<AliasMatch> MatchAliasesAndAccents(const UnitCatalogue& catalogue,
                                               std::string_view typed) {
    return AliasAndAccentIndex(catalogue).Match(typed);
}

}  // namespace korvane
