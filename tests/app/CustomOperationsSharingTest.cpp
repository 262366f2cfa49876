// The custom-unit operations when the settings file is shared with another running copy of the
// program, or cannot be written at all.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kCategoryExists = "This category name already exists.";
constexpr std::string_view kNameInUse = "The name you have chosen \nis already in use.";

// One running copy of the program: its own store object and its own catalogue.
struct Copy {
    explicit Copy(const std::string& path) : store(path) {
        catalogue.LoadBuiltInTables();
        LoadCustomUnits(store, catalogue);
    }
    int Distance() const { return catalogue.FindCategory("Distance"); }
    CustomOutcome AddUnit(int category, std::string_view name) {
        return AddCustomUnit(catalogue, store, NewCustomUnit{category, name, "2", "meter"});
    }

    ProfileStore store;
    UnitCatalogue catalogue;
};

class SharedFile : public ::testing::Test {
  protected:
    std::string Content() const { return ReadBytes(path_); }

    // The refusal text, after checking that the file did not change.
    template <typename Action>
    std::string RefusalOf(Action action) {
        const std::string before = Content();
        const CustomOutcome outcome = action();
        EXPECT_EQ(Content(), before);
        return outcome.ok() ? std::string("(not refused)") : outcome.refusal->text;
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Tabrivo.ini");
};

TEST_F(SharedFile, TestsSeeWhatAnotherCopyStoredMeanwhile) {
    Copy mine(path_);
    Copy other(path_);
    ASSERT_TRUE(AddCustomCategory(other.catalogue, other.store, "gold").ok());
    EXPECT_EQ(RefusalOf([&] { return AddCustomCategory(mine.catalogue, mine.store, "Gold"); }),
              kCategoryExists);
    EXPECT_TRUE(mine.catalogue.IsFreeSlot(42));

    // A new category takes the file's next free entry and the row that entry loads into.
    ASSERT_TRUE(AddCustomCategory(other.catalogue, other.store, "silver").ok());
    const CustomOutcome copper = AddCustomCategory(mine.catalogue, mine.store, "copper");
    ASSERT_TRUE(copper.ok());
    EXPECT_EQ(copper.row, 44);
    EXPECT_EQ(Copy(path_).catalogue.CategoryName(44), "copper");

    ASSERT_TRUE(other.AddUnit(other.Distance(), "Stride").ok());
    EXPECT_EQ(RefusalOf([&] { return mine.AddUnit(mine.Distance(), "stride"); }), kNameInUse);
    EXPECT_FALSE(mine.catalogue.HasUnit(mine.Distance(), "Stride"));

    for (int n = 2; n <= 10; ++n)
        ASSERT_TRUE(other.AddUnit(other.Distance(), "Unit " + std::to_string(n)).ok());
    EXPECT_EQ(RefusalOf([&] { return mine.AddUnit(mine.Distance(), "Chain"); }),
              "You have reached maximum allowed Custom unit for this category.");

    for (const char* name : {"lead", "tin"})
        ASSERT_TRUE(AddCustomCategory(other.catalogue, other.store, name).ok());
    const std::string before = Content();
    const CustomOutcome sixth = AddCustomCategory(mine.catalogue, mine.store, "iron");
    ASSERT_FALSE(sixth.ok());
    EXPECT_EQ(sixth.refusal->caption, "Operation failed");
    EXPECT_EQ(Content(), before);
}

// Removing what another copy already removed still removes it here, and says so.
TEST_F(SharedFile, RemovingWhatIsNoLongerInTheFile) {
    Copy mine(path_);
    ASSERT_TRUE(AddCustomCategory(mine.catalogue, mine.store, "money").ok());
    ASSERT_TRUE(mine.AddUnit(mine.Distance(), "Stride").ok());
    Copy other(path_);
    ASSERT_TRUE(RemoveCustomUnit(other.catalogue, other.store, other.Distance(), "Stride").ok());
    ASSERT_TRUE(RemoveCustomCategory(other.catalogue, other.store, "money").ok());

    const CustomOutcome unit =
        RemoveCustomUnit(mine.catalogue, mine.store, mine.Distance(), "Stride");
    ASSERT_TRUE(unit.ok());
    EXPECT_EQ(unit.action, CatalogueAction::UnitDeleted);
    EXPECT_TRUE(RemoveCustomCategory(mine.catalogue, mine.store, "money").ok());
    EXPECT_TRUE(mine.catalogue.IsFreeSlot(42));
}

// A folder that cannot be created (a file stands where it should be) and a read-only file: every
// action is refused with the reason, and the catalogue keeps what it had.
TEST_F(SharedFile, UnwritableFileChangesNothing) {
    WriteBytes(folder_.File("blocker"), "a file where a folder should be");
    Copy nowhere(folder_.File("blocker/Tabrivo.ini"));
    const CustomOutcome category = AddCustomCategory(nowhere.catalogue, nowhere.store, "money");
    ASSERT_FALSE(category.ok());
    EXPECT_EQ(category.refusal->icon, NoticeIcon::Warning);
    EXPECT_EQ(category.refusal->caption, kMessageCaption);
    EXPECT_NE(category.refusal->text.find("blocker"), std::string::npos) << category.refusal->text;
    EXPECT_TRUE(nowhere.catalogue.IsFreeSlot(42));
    EXPECT_FALSE(nowhere.AddUnit(nowhere.Distance(), "Stride").ok());
    EXPECT_FALSE(nowhere.catalogue.HasUnit(nowhere.Distance(), "Stride"));
    Copy without("");  // no settings file at all, as when there is no home folder
    const CustomOutcome unsaved = AddCustomCategory(without.catalogue, without.store, "money");
    ASSERT_FALSE(unsaved.ok());
    EXPECT_EQ(unsaved.refusal->text,
              "The change could not be saved in the settings file\n\nno settings file is in "
              "use\n\nNothing was changed.");
    EXPECT_TRUE(without.catalogue.IsFreeSlot(42));

    WriteBytes(path_,
               "[Settings]\nCustom_1=money\n[money]\nCustomUnit_1=Euro\nCustomValue_1=1\n"
               "[Distance]\nCustomUnit_1=Stride\nCustomValue_1=20116.8\n");
    Copy readOnly(path_);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
    const std::string before = Content();
    const auto expectRefused = [&](const CustomOutcome& outcome) {
        ASSERT_FALSE(outcome.ok());
        EXPECT_NE(outcome.refusal->text.find("read-only"), std::string::npos)
            << outcome.refusal->text;
        EXPECT_EQ(Content(), before);
    };
    expectRefused(
        RemoveCustomUnit(readOnly.catalogue, readOnly.store, readOnly.Distance(), "Stride"));
    expectRefused(RemoveCustomCategory(readOnly.catalogue, readOnly.store, "money"));
    expectRefused(readOnly.AddUnit(42, "Cent"));
    expectRefused(AddCustomCategory(readOnly.catalogue, readOnly.store, "gold"));
    EXPECT_TRUE(readOnly.catalogue.HasUnit(readOnly.Distance(), "Stride"));
    EXPECT_EQ(readOnly.catalogue.CategoryName(42), "money");
    EXPECT_EQ(readOnly.catalogue.UnitCount(42), 1);
    EXPECT_TRUE(readOnly.catalogue.IsFreeSlot(43));
}

#ifndef _WIN32  // fork; Windows runs the race between two helper programs instead
// What a child reports: which of its two actions were done, and whether any answer was other
// than "done" or the refusal a lost race gives.
constexpr int kCategoryDone = 1;
constexpr int kUnitDone = 2;
constexpr int kUnexpected = 4;

int RaceToAdd(const std::string& path, int startSignal) {
    Copy copy(path);
    char go = 0;
    if (::read(startSignal, &go, 1) < 0)
        return kUnexpected;
    int status = 0;
    const CustomOutcome category = AddCustomCategory(copy.catalogue, copy.store, "money");
    if (category.ok())
        status |= kCategoryDone;
    else if (category.refusal->text != kCategoryExists)
        status |= kUnexpected;
    const CustomOutcome unit = copy.AddUnit(copy.Distance(), "Stride");
    if (unit.ok())
        status |= kUnitDone;
    else if (unit.refusal->text != kNameInUse)
        status |= kUnexpected;
    return status;
}

// Two copies add the same category and the same unit at the same moment: one of each wins, and
// the file holds one entry of each.
TEST_F(SharedFile, TwoProcessesAddingTheSameNamesStoreOneEntry) {
    for (int round = 0; round < 20; ++round) {
        std::filesystem::remove(path_);
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t children[2];
        for (pid_t& child : children) {
            child = ::fork();
            if (child == 0) {
                ::close(start[1]);
                ::_exit(RaceToAdd(path_, start[0]));
            }
        }
        ::close(start[0]);
        ::close(start[1]);  // both children read the end of the pipe at once
        int categories = 0;
        int units = 0;
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            const int result = WEXITSTATUS(status);
            ASSERT_EQ(result & kUnexpected, 0) << "round " << round;
            categories += (result & kCategoryDone) ? 1 : 0;
            units += (result & kUnitDone) ? 1 : 0;
        }
        EXPECT_EQ(categories, 1) << "round " << round;
        EXPECT_EQ(units, 1) << "round " << round;
        ProfileStore store(path_);
        EXPECT_EQ(store.GetProfileString("Settings", "Custom_1", ""), "money");
        EXPECT_EQ(store.GetProfileString("Settings", "Custom_2", "none"), "none");
        EXPECT_EQ(UsedUnitEntries(store, "Distance"), 1);
        EXPECT_EQ(store.GetProfileString("Distance", "CustomUnit_1", ""), "Stride");
    }
}
#endif  // _WIN32

}  // namespace
}  // namespace korvane
