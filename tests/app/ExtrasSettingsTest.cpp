#include "app/ExtrasSettings.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

class ExtrasSettings : public ::testing::Test {
  protected:
    UnitCatalogue Load() const {
        UnitCatalogue catalogue;
        catalogue.LoadBuiltInTables();
        LoadCustomUnits(store_, catalogue);
        return catalogue;
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Tabrivo.ini");
    ProfileStore store_{path_};
};

// A custom category may be called "extras": its units share the section with the pane's key,
// and neither reads the other's entries or takes them along when it goes.
TEST_F(ExtrasSettings, CustomCategoryNamedExtrasSharesTheSection) {
    UnitCatalogue catalogue = Load();
    ASSERT_TRUE(SaveAllUnitsPane(store_, true).ok());
    ASSERT_TRUE(AddCustomCategory(catalogue, store_, "extras").ok());
    const int row = *catalogue.TryFindCategory("extras");
    ASSERT_TRUE(AddCustomUnit(catalogue, store_, NewCustomUnit{row, "spoon", "1", ""}).ok());
    ASSERT_TRUE(AddCustomUnit(catalogue, store_, NewCustomUnit{row, "cup", "16", "spoon"}).ok());

    const UnitCatalogue reloaded = Load();
    EXPECT_EQ(reloaded.UnitCount(row), 2);
    EXPECT_TRUE(ReadAllUnitsPane(store_));

    ASSERT_TRUE(SaveAllUnitsPane(store_, false).ok());
    EXPECT_EQ(Load().UnitCount(row), 2);
    ASSERT_TRUE(RemoveCustomCategory(catalogue, store_, "extras").ok());
    EXPECT_EQ(Load().UnitCount(row), 0);
    EXPECT_NE(ReadBytes(path_).find("AllUnitsPane=FALSE"), std::string::npos);
}

}  // namespace
}  // namespace korvane
