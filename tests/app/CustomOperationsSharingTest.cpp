// The custom-unit operations when the settings file is shared with another running copy of the
// program, or cannot be written at all.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

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

// Runs `action` where another process could change the file: after the store's first read of
// it, before its lock.
void OnceBeforeLock(ProfileStore& store, std::function<void()> action) {
    store.SetBeforeLockHook([action = std::move(action), done = false]() mutable {
        if (!std::exchange(done, true))
            action();
    });
}

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
    // The refusal brought this copy's catalogue up to date with the file.
    EXPECT_EQ(mine.catalogue.CategoryName(42), "gold");

    // A new category takes the file's next free entry and the row that entry loads into.
    ASSERT_TRUE(AddCustomCategory(other.catalogue, other.store, "silver").ok());
    const CustomOutcome copper = AddCustomCategory(mine.catalogue, mine.store, "copper");
    ASSERT_TRUE(copper.ok());
    EXPECT_EQ(copper.row, 44);
    EXPECT_EQ(Copy(path_).catalogue.CategoryName(44), "copper");

    ASSERT_TRUE(other.AddUnit(other.Distance(), "Stride").ok());
    EXPECT_EQ(RefusalOf([&] { return mine.AddUnit(mine.Distance(), "stride"); }), kNameInUse);
    EXPECT_TRUE(mine.catalogue.HasUnit(mine.Distance(), "Stride"));

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

// Of two copies removing the same unit or category, only the first says "removed"; the other
// gets the refusal a name not found gives, and its catalogue loses what the file lost.
TEST_F(SharedFile, RemovingWhatAnotherCopyRemovedIsRefused) {
    Copy mine(path_);
    ASSERT_TRUE(AddCustomCategory(mine.catalogue, mine.store, "money").ok());
    ASSERT_TRUE(mine.AddUnit(mine.Distance(), "Stride").ok());
    Copy other(path_);
    ASSERT_TRUE(RemoveCustomUnit(other.catalogue, other.store, other.Distance(), "Stride").ok());
    ASSERT_TRUE(RemoveCustomCategory(other.catalogue, other.store, "money").ok());

    const CustomOutcome unit =
        RemoveCustomUnit(mine.catalogue, mine.store, mine.Distance(), "Stride");
    ASSERT_FALSE(unit.ok());
    EXPECT_EQ(unit.refusal->text, "\tStride\n\nYou may only remove previously added units.");
    EXPECT_TRUE(unit.refreshed);
    EXPECT_FALSE(unit.fileFailure);
    EXPECT_FALSE(mine.catalogue.HasUnit(mine.Distance(), "Stride"));
    EXPECT_TRUE(mine.catalogue.IsFreeSlot(42));
    const CustomOutcome category = RemoveCustomCategory(mine.catalogue, mine.store, "money");
    ASSERT_FALSE(category.ok());
    EXPECT_EQ(category.refusal->text,
              "\tmoney\n\nYou may only remove previously added categories.");
}

// The window's catalogue is loaded once; the command line changes the file meanwhile. The row
// has room for one more unit: the second add finds it taken in the file and is refused, instead
// of storing an entry the next start cannot load.
TEST_F(SharedFile, TheLastFreeUnitOfARowIsDecidedOnTheFile) {
    Copy window(path_);
    const int row = window.catalogue.FindCategory("Data Transfer");
    const int spare = kMaxUnitsPerCategory - window.catalogue.UnitCount(row);
    ASSERT_GE(spare, 2);
    ASSERT_LE(spare, kCustomUnitEntries);
    for (int n = 1; n < spare; ++n)
        ASSERT_TRUE(window.AddUnit(row, "Stored " + std::to_string(n)).ok());
    Copy commandLine(path_);
    ASSERT_TRUE(commandLine.AddUnit(row, "Xx").ok());

    const std::string before = Content();
    const CustomOutcome late =
        AddCustomUnit(window.catalogue, window.store, NewCustomUnit{row, "Yy", "2", "bit"});
    ASSERT_FALSE(late.ok());
    EXPECT_EQ(late.refusal->text,
              "You have reached the maximum allowed Custom units for this category");
    EXPECT_TRUE(late.refreshed);
    EXPECT_EQ(Content(), before);
    EXPECT_TRUE(window.catalogue.HasUnit(row, "Xx"));
    EXPECT_EQ(window.catalogue.UnitCount(row), kMaxUnitsPerCategory);
}

// A unit added to a category another copy removed would be stored with no category owning it.
TEST_F(SharedFile, AddingToARemovedCategoryIsRefused) {
    Copy window(path_);
    ASSERT_TRUE(AddCustomCategory(window.catalogue, window.store, "foo").ok());
    ASSERT_TRUE(window.AddUnit(42, "Base").ok());
    Copy commandLine(path_);
    ASSERT_TRUE(RemoveCustomCategory(commandLine.catalogue, commandLine.store, "foo").ok());

    const std::string before = Content();
    const CustomOutcome outcome = window.AddUnit(42, "Extra");
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.refusal->text,
              "\tfoo\n\nThis category is no longer in the settings file: "
              "another copy of the program removed it.");
    EXPECT_EQ(Content(), before);
    EXPECT_EQ(Content().find("Extra"), std::string::npos);
    EXPECT_TRUE(window.catalogue.IsFreeSlot(42));
}

// The same race with the removal landing between this copy's first read of the file and its
// lock: the test under the lock is the one that counts.
TEST_F(SharedFile, AChangeBetweenReadAndLockIsSeen) {
    Copy window(path_);
    ASSERT_TRUE(AddCustomCategory(window.catalogue, window.store, "foo").ok());
    Copy commandLine(path_);
    OnceBeforeLock(window.store, [&] {
        ASSERT_TRUE(RemoveCustomCategory(commandLine.catalogue, commandLine.store, "foo").ok());
    });
    const CustomOutcome outcome = window.AddUnit(42, "Extra");
    ASSERT_FALSE(outcome.ok());
    EXPECT_TRUE(outcome.refreshed);
    EXPECT_EQ(Content().find("Extra"), std::string::npos);
    EXPECT_TRUE(window.catalogue.IsFreeSlot(42));

    // A second removal of the same unit, landing the same way, leaves one "removed".
    ASSERT_TRUE(window.AddUnit(window.Distance(), "Stride").ok());
    Copy other(path_);
    OnceBeforeLock(window.store, [&] {
        ASSERT_TRUE(
            RemoveCustomUnit(other.catalogue, other.store, other.Distance(), "Stride").ok());
    });
    EXPECT_FALSE(
        RemoveCustomUnit(window.catalogue, window.store, window.Distance(), "Stride").ok());
    EXPECT_EQ(UsedUnitEntries(window.store, "Distance"), 0);
}

// Three copies each add the first unit of an empty category as "2 of the reference unit": the
// first to write becomes the reference unit (factor 1), the others 2 of it.
TEST_F(SharedFile, OnlyTheFirstStoredUnitBecomesTheReference) {
    Copy setup(path_);
    ASSERT_TRUE(AddCustomCategory(setup.catalogue, setup.store, "foo").ok());
    Copy first(path_);
    Copy second(path_);
    Copy third(path_);
    // The third lands between the second's read and its lock.
    OnceBeforeLock(second.store, [&] {
        ASSERT_TRUE(
            AddCustomUnit(third.catalogue, third.store, NewCustomUnit{42, "Third", "2", ""}).ok());
    });
    ASSERT_TRUE(
        AddCustomUnit(first.catalogue, first.store, NewCustomUnit{42, "First", "2", ""}).ok());
    ASSERT_TRUE(
        AddCustomUnit(second.catalogue, second.store, NewCustomUnit{42, "Second", "2", ""}).ok());
    const Copy restarted(path_);
    ASSERT_EQ(restarted.catalogue.UnitCount(42), 3);
    EXPECT_EQ(restarted.catalogue.UnitName(42, 0), "First");
    for (const char* name : {"Second", "Third"}) {
        EXPECT_EQ(restarted.catalogue.UnitFactor(42, restarted.catalogue.FindUnit(42, name)), 2.0)
            << name;
    }
    // Each copy's catalogue ends as the file holds it.
    EXPECT_TRUE(second.catalogue.SameRow(restarted.catalogue, 42));
}

// All five custom rows in use here; another copy frees one. A new category takes the row of the
// entry the file has free, and no built-in row is touched; with the file full again it is
// refused and the file is left as it was.
TEST_F(SharedFile, ANewCategoryTakesTheRowTheFileFreed) {
    Copy mine(path_);
    for (const char* name : {"c1", "c2", "c3", "c4", "c5"})
        ASSERT_TRUE(AddCustomCategory(mine.catalogue, mine.store, name).ok());
    Copy other(path_);
    ASSERT_TRUE(RemoveCustomCategory(other.catalogue, other.store, "c3").ok());

    const CustomOutcome added = AddCustomCategory(mine.catalogue, mine.store, "c6");
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.row, 44);
    EXPECT_EQ(mine.catalogue.CategoryName(44), "c6");
    UnitCatalogue builtIn;
    builtIn.LoadBuiltInTables();
    for (int row = 0; row < kFirstCustomCategory; ++row)
        EXPECT_TRUE(mine.catalogue.SameRow(builtIn, row)) << row;

    ASSERT_TRUE(RemoveCustomCategory(other.catalogue, other.store, "c1").ok());
    ASSERT_TRUE(AddCustomCategory(other.catalogue, other.store, "c7").ok());
    EXPECT_EQ(RefusalOf([&] { return AddCustomCategory(mine.catalogue, mine.store, "c8"); }),
              "You have reached the maximum allowed Custom categories");
    EXPECT_EQ(mine.catalogue.CategoryName(42), "c7");
    for (int row = 0; row < kFirstCustomCategory; ++row)
        EXPECT_TRUE(mine.catalogue.SameRow(builtIn, row)) << row;
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
