#include "catalogue/BuiltInUnitTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "catalogue/BuiltInDataUnits.h"
#include "catalogue/BuiltInElectricUnits.h"
#include "catalogue/BuiltInEnergyUnits.h"
#include "catalogue/BuiltInMatterUnits.h"
#include "catalogue/BuiltInMotionUnits.h"
#include "catalogue/BuiltInSpaceUnits.h"
#include "catalogue/UnitStarts.h"

namespace korvane {
namespace {

// In catalogue order; the flag is the default visibility of the category.
constexpr auto kCategories = std::to_array<BuiltInCategory>({
    {"Acceleration", true, builtin::kAccelerationUnits},
    {"Amount of Substance", false, builtin::kAmountOfSubstanceUnits},
    {"Angle", true, builtin::kAngleUnits},
    {"Angle (Solid)", false, builtin::kAngleSolidUnits},
    {"Angular Velocity", false, builtin::kAngularVelocityUnits},
    {"Area", true, builtin::kAreaUnits},
    {"Capacitance", false, builtin::kCapacitanceUnits},
    {"Charge", true, builtin::kChargeUnits},
    {"Concentration (Liquid)", false, builtin::kConcentrationLiquidUnits},
    {"Concentration (Molar)", false, builtin::kConcentrationMolarUnits},
    {"Conductance", true, builtin::kConductanceUnits},
    {"Current", true, builtin::kCurrentUnits},
    {"Data", true, builtin::kDataUnits},
    {"Data Transfer", true, builtin::kDataTransferUnits},
    {"Density", true, builtin::kDensityUnits},
    {"Distance", true, builtin::kDistanceUnits},
    {"Energy", true, builtin::kEnergyUnits},
    {"Enthalpy (Mass)", false, builtin::kEnthalpyMassUnits},
    {"Enthalpy (Molar)", false, builtin::kEnthalpyMolarUnits},
    {"Enthalpy (Volume)", false, builtin::kEnthalpyVolumeUnits},
    {"Flow", false, builtin::kFlowUnits},
    {"Force", true, builtin::kForceUnits},
    {"Fuel Consumption", true, builtin::kFuelConsumptionUnits},
    {"Illumination", false, builtin::kIlluminationUnits},
    {"Inductance", false, builtin::kInductanceUnits},
    {"Mass", true, builtin::kMassUnits},
    {"Numbers", true, builtin::kNumbersUnits},
    {"Power", true, builtin::kPowerUnits},
    {"Pressure", true, builtin::kPressureUnits},
    {"Radiation", false, builtin::kRadiationUnits},
    {"Radiation Exposure", false, builtin::kRadiationExposureUnits},
    {"SI Prefix", true, builtin::kSiPrefixUnits},
    {"Surface Tension", false, builtin::kSurfaceTensionUnits},
    {"Temperature", true, builtin::kTemperatureUnits},
    {"Thermal Conductance (buildings)", true, builtin::kThermalConductanceBuildingsUnits},
    {"Time", true, builtin::kTimeUnits},
    {"Torque", true, builtin::kTorqueUnits},
    {"Velocity", true, builtin::kVelocityUnits},
    {"Viscosity (Dynamic)", false, builtin::kViscosityDynamicUnits},
    {"Viscosity (Kinematic)", false, builtin::kViscosityKinematicUnits},
    {"Volume", true, builtin::kVolumeUnits},
    {"Volume (Dry)", true, builtin::kVolumeDryUnits},
});

static_assert(kCategories.size() == 42);

constexpr std::size_t kBuckets = BuiltInInitials::kBuckets;

constexpr std::size_t kNoBucket = kBuckets;

// A start outside ASCII that no typed text beginning in ASCII can meet goes in no bucket: a
// text that begins outside ASCII is looked up over all units.
constexpr std::size_t BucketOf(std::string_view start) {
    const auto byte = static_cast<unsigned char>(start.front());
    if (byte < 0x80)
        return byte >= 'A' && byte <= 'Z' ? byte + 32u : byte;
    for (const std::string_view met : kStartsMetFromAscii) {
        if (start.starts_with(met))
            return BuiltInInitials::kOutsideAscii;
    }
    return kNoBucket;
}

// Calls `add(bucket, packed unit)` for each bucket a built-in unit belongs to, once each.
template <typename Add>
constexpr void ForEachInitial(Add add) {
    for (std::size_t c = 0; c < kCategories.size(); ++c) {
        const auto units = kCategories[c].units;
        for (std::size_t u = 0; u < units.size(); ++u) {
            std::array<std::size_t, 8> seen{};
            std::size_t kinds = 0;
            AnyUnitStart(units[u].name.View(), units[u].abbreviation.View(),
                         [&](std::string_view start) {
                             const std::size_t bucket = BucketOf(start);
                             if (bucket == kNoBucket)
                                 return false;
                             for (std::size_t k = 0; k < kinds; ++k) {
                                 if (seen[k] == bucket)
                                     return false;
                             }
                             if (kinds < seen.size())
                                 seen[kinds++] = bucket;
                             add(bucket, static_cast<std::uint16_t>(c * 256 + u));
                             return false;
                         });
        }
    }
}

constexpr std::size_t kInitialEntries = [] {
    std::size_t count = 0;
    ForEachInitial([&](std::size_t, std::uint16_t) { ++count; });
    return count;
}();

struct InitialsTable {
    std::array<std::uint32_t, kBuckets + 1> offsets{};
    std::array<std::uint16_t, kInitialEntries> units{};
};

constexpr InitialsTable kInitials = [] {
    InitialsTable table;
    ForEachInitial([&](std::size_t bucket, std::uint16_t) { ++table.offsets[bucket + 1]; });
    for (std::size_t b = 1; b < table.offsets.size(); ++b)
        table.offsets[b] += table.offsets[b - 1];
    std::array<std::uint32_t, kBuckets> next{};
    for (std::size_t b = 0; b < kBuckets; ++b)
        next[b] = table.offsets[b];
    ForEachInitial(
        [&](std::size_t bucket, std::uint16_t unit) { table.units[next[bucket]++] = unit; });
    return table;
}();

static_assert(std::all_of(kCategories.begin(), kCategories.end(),
                          [](const BuiltInCategory& c) { return c.units.size() < 256; }),
              "a unit index of the initials takes one byte");

}  // namespace

std::span<const BuiltInCategory> BuiltInUnitTable() {
    return kCategories;
}

BuiltInInitials BuiltInUnitInitials() {
    return {kInitials.offsets, kInitials.units};
}

}  // namespace korvane
