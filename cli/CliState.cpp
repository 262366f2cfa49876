#include "cli/CliState.h"

#include "app/CustomUnitStorage.h"
#include "app/Settings.h"
#include "app/SettingsPath.h"

namespace korvane::cli {

CliState::CliState() : settingsPath(DefaultSettingsPath()) {}

const ProfileStore& CliState::Store() {
    if (!store_)
        store_ = std::make_unique<ProfileStore>(useSettings ? settingsPath : std::string());
    return *store_;
}

const UnitCatalogue& CliState::Catalogue() {
    if (!catalogue_) {
        catalogue_ = std::make_unique<UnitCatalogue>();
        catalogue_->LoadBuiltInTables();
        if (useSettings)
            LoadCustomUnits(Store(), *catalogue_);
    }
    return *catalogue_;
}

ResultFormat CliState::StoredFormat() {
    return useSettings ? ReadResultFormat(Store()) : ResultFormat{};
}

}  // namespace korvane::cli
