#pragma once

#include "app/ProfileStore.h"

// The settings of what the window offers beyond the original program, in the "[Extras]"
// section. A run that never used them writes nothing there.
namespace korvane {

// "AllUnitsPane": on only when stored as exactly "TRUE"; off when missing.
bool ReadAllUnitsPane(const ProfileStore& store);
WriteResult SaveAllUnitsPane(ProfileStore& store, bool open);

}  // namespace korvane
