// Temporary two-category table so the skeleton links; the full data replaces it.
#include "catalogue/BuiltInUnitTable.h"

#include <array>

namespace korvane {
namespace {
constexpr std::array kAcceleration{
    BuiltInUnit{"centimeter/second²", "cm/s²", 1.0},
    BuiltInUnit{"meter/second²", "m/s²", 100.0},
};
constexpr std::array kDistance{
    BuiltInUnit{"centimeter", "cm", 1.0},
    BuiltInUnit{"inch", "in", 2.54},
    BuiltInUnit{"meter", "m", 100.0},
};
constexpr std::array kCategories{
    BuiltInCategory{"Acceleration", true, kAcceleration},
    BuiltInCategory{"Distance", true, kDistance},
};
}  // namespace

std::span<const BuiltInCategory> BuiltInUnitTable() { return kCategories; }

}  // namespace korvane
