#include "catalogue/BuiltInUnitTable.h"

#include <array>

#include "catalogue/BuiltInDataUnits.h"
#include "catalogue/BuiltInElectricUnits.h"
#include "catalogue/BuiltInEnergyUnits.h"
#include "catalogue/BuiltInMatterUnits.h"
#include "catalogue/BuiltInMotionUnits.h"
#include "catalogue/BuiltInSpaceUnits.h"

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

}  // namespace

std::span<const BuiltInCategory> BuiltInUnitTable() {
    return kCategories;
}

}  // namespace korvane
