#include <gtest/gtest.h>

#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

TEST(UnitCatalogue, CustomRowsAreFreeSlots) {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    EXPECT_EQ(catalogue.FindCategory("Custom"), 46);
    EXPECT_EQ(catalogue.UnitCount(46), 0);
    EXPECT_TRUE(catalogue.IsFreeSlot(42));
}

}  // namespace
}  // namespace korvane
