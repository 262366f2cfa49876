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
#include "catalogue/CaseFold.h"
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
        return static_cast<unsigned char>(LowerAscii(start.front()));
    for (const std::string_view met : kStartsMetFromAscii) {
        if (start.starts_with(met))
            return BuiltInInitials::kOutsideAscii;
    }
    return kNoBucket;
}

// The first bytes of a start as the table keeps them: ASCII letters in lower case.
constexpr BuiltInStart StartOf(std::size_t category, std::size_t unit, std::string_view start) {
    BuiltInStart kept{static_cast<std::uint16_t>(category * 256 + unit), 0, {}};
    kept.length = static_cast<std::uint8_t>(std::min(start.size(), kept.text.size()));
    for (std::size_t i = 0; i < kept.length; ++i)
        kept.text[i] = LowerAscii(start[i]);
    return kept;
}

// Calls `add(bucket, start)` for each start of each built-in unit that has a bucket.
template <typename Add>
constexpr void ForEachStart(Add add) {
    for (std::size_t c = 0; c < kCategories.size(); ++c) {
        const auto units = kCategories[c].units;
        for (std::size_t u = 0; u < units.size(); ++u) {
            AnyUnitStart(units[u].name.View(), units[u].abbreviation.View(),
                         [&](std::string_view start) {
                             const std::size_t bucket = BucketOf(start);
                             if (bucket != kNoBucket)
                                 add(bucket, StartOf(c, u, start));
                             return false;
                         });
        }
    }
}

constexpr std::size_t kStartCount = [] {
    std::size_t count = 0;
    ForEachStart([&](std::size_t, const BuiltInStart&) { ++count; });
    return count;
}();

struct InitialsTable {
    std::array<std::uint32_t, kBuckets + 1> offsets{};
    std::array<BuiltInStart, kStartCount> starts{};
};

constexpr InitialsTable kInitials = [] {
    InitialsTable table;
    ForEachStart([&](std::size_t bucket, const BuiltInStart&) { ++table.offsets[bucket + 1]; });
    for (std::size_t b = 1; b < table.offsets.size(); ++b)
        table.offsets[b] += table.offsets[b - 1];
    std::array<std::uint32_t, kBuckets> next{};
    for (std::size_t b = 0; b < kBuckets; ++b)
        next[b] = table.offsets[b];
    ForEachStart([&](std::size_t bucket, const BuiltInStart& start) {
        table.starts[next[bucket]++] = start;
    });
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
    return {kInitials.offsets, kInitials.starts};
}

}  // namespace korvane
