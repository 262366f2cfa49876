#include "cli/CliState.h"

namespace korvane::cli {

const UnitCatalogue& CliState::Catalogue() {
    if (!catalogue_) {
        catalogue_ = std::make_unique<UnitCatalogue>();
        catalogue_->LoadBuiltInTables();
    }
    return *catalogue_;
}

}  // namespace korvane::cli
