#include "app/ExtrasSettings.h"

#include "app/SettingsKeys.h"

namespace korvane {

using namespace settings_keys;

bool ReadAllUnitsPane(const ProfileStore& store) {
    return store.GetProfileString(kExtrasSection, kAllUnitsPane, kFlagOff) == kFlagOn;
}

WriteResult SaveAllUnitsPane(ProfileStore& store, bool open) {
    return store.WriteProfileString(kExtrasSection, kAllUnitsPane, open ? kFlagOn : kFlagOff);
}

}  // namespace korvane
