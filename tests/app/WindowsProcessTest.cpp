// Windows processes on one settings file, and the settings path of a program started from a
// drive or a share: what the Windows half of the file access does where it differs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "WindowsTestSupport.h"
#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"
#include "app/FileAccess.h"
#include "app/IniDocument.h"
#include "app/ProfileStore.h"

namespace korvane {
namespace {

using testing::ChildProcess;
using testing::Environment;
using testing::Exists;
using testing::HelperProgram;
using testing::PathOf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WaitForFile;
using testing::Wide;
using testing::WriteBytes;

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Removes what a test put on a drive or share it does not own alone.
class Cleanup {
  public:
    explicit Cleanup(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    ~Cleanup() {
        std::error_code ignored;
        for (const std::string& path : paths_)
            std::filesystem::remove_all(PathOf(path), ignored);
    }
    Cleanup(const Cleanup&) = delete;
    Cleanup& operator=(const Cleanup&) = delete;

  private:
    std::vector<std::string> paths_;
};

// Copies the helper to `root`\`top`\`inner` (`root`: a drive or share) and runs it there; it
// must use, and write, `root`\Tabrivo.ini.
void CheckProgramRunFrom(const std::string& root, const std::string& top,
                         const std::string& inner) {
    const std::string settings = root + "\\Tabrivo.ini";
    const std::string folder = root + "\\" + top + "\\" + inner;
    const Cleanup cleanup({root + "\\" + top, settings, settings + ".lock"});
    std::filesystem::remove(PathOf(settings));
    ASSERT_FALSE(file_access::CreateParentFolders(folder + "\\x"));
    const std::string copy = folder + "\\korvane_windows_test_helper.exe";
    ASSERT_TRUE(::CopyFileW(Wide(HelperProgram()).c_str(), Wide(copy).c_str(), FALSE));
    TempFolder scratch;
    const std::string report = scratch.File("report.txt");

    auto child = ChildProcess::Start(copy, {"default-settings", report, "Probe", "Where", folder});
    ASSERT_TRUE(child);
    EXPECT_EQ(child->Wait(), 0);
    // Wine names a program on a share in the "\\?\UNC\" form, Windows without it.
    const std::string extended = copy.starts_with("\\\\") ? "\\\\?\\UNC" + copy.substr(1) : copy;
    const std::string shown = ReadBytes(report);
    EXPECT_TRUE(shown == settings + "\n" + copy + "\n" ||
                shown == settings + "\n" + extended + "\n")
        << shown;
    // A new file, so it has the Windows line ends.
    EXPECT_EQ(ReadBytes(settings), "[Probe]\r\nWhere=" + folder + "\r\n");
}

// scripts/windows.sh maps a drive letter and a share to scratch folders for these two.
TEST(WindowsProgramLocation, SettingsFileLiesAtTheRootOfTheProgramsDrive) {
    const std::string drive = Environment("KORVANE_TEST_DRIVE");
    if (drive.empty())
        GTEST_SKIP() << "KORVANE_TEST_DRIVE (e.g. K:) names no drive the test may write to";
    CheckProgramRunFrom(drive, "Programs", "Ünïcødé Tools");
}

TEST(WindowsProgramLocation, ProgramOnAShareUsesTheRootOfTheShare) {
    const std::string share = Environment("KORVANE_TEST_SHARE");
    if (share.empty())
        GTEST_SKIP() << "KORVANE_TEST_SHARE (e.g. \\\\server\\share) names no writable share";
    CheckProgramRunFrom(share, "Tools", "Units");
}

TEST(WindowsProcesses, WriterWaitsForTheLockHolder) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string ready = folder.File("ready");
    auto holder = ChildProcess::Start(HelperProgram(), {"hold-lock", path, ready, "400"});
    ASSERT_TRUE(holder);
    ASSERT_TRUE(WaitForFile(ready, *holder));
    const auto start = steady_clock::now();
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileInt("S", "Writer", 1).ok());
    EXPECT_GE(steady_clock::now() - start, milliseconds(250));
    EXPECT_EQ(holder->Wait(), 0);
    // The holder replaced the file while it held the lock; the writer changed the holder's file.
    EXPECT_EQ(ReadBytes(path), "[S]\nHolder=1\nWriter=1\n");
}

TEST(WindowsProcesses, LockHeldTooLongIsAReasonNotAHang) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string ready = folder.File("ready");
    auto holder = ChildProcess::Start(HelperProgram(), {"hold-lock", path, ready, "1500"});
    ASSERT_TRUE(holder);
    ASSERT_TRUE(WaitForFile(ready, *holder));
    std::string reason;
    EXPECT_FALSE(file_access::ExclusiveLock::Acquire(path + ".lock", milliseconds(200), reason));
    EXPECT_EQ(reason, "another program kept the settings file locked");
    EXPECT_EQ(holder->Wait(), 0);
    EXPECT_TRUE(file_access::ExclusiveLock::Acquire(path + ".lock", milliseconds(200), reason));
}

// A change is first made on the file as read before the lock; when another process writes in
// between, it is made again on that process's result, and only that run may count.
TEST(WindowsProcesses, ChangeMadeAgainAfterAnotherWriterCountsOnce) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string ready = folder.File("ready");
    const std::string source = folder.File("other.ini");
    WriteBytes(path, "[S]\nCustomUnits=1\nCustomUnit_1=metre\nCustomValue_1=2\n");
    WriteBytes(source,
               "[S]\nCustomUnits=2\nCustomUnit_1=metre\nCustomValue_1=2\n"
               "CustomUnit_2=METRE\nCustomValue_2=3\n");
    auto holder =
        ChildProcess::Start(HelperProgram(), {"hold-lock-write", path, ready, "300", source});
    ASSERT_TRUE(holder);
    ASSERT_TRUE(WaitForFile(ready, *holder));
    ProfileStore store(path);
    const ForgetUnitResult result = ForgetCustomUnit(store, "S", "metre");
    EXPECT_TRUE(result.write.ok()) << result.write.reason;
    EXPECT_EQ(result.freed, 2);
    EXPECT_EQ(holder->Wait(), 0);
    EXPECT_EQ(store.GetProfileInt("S", "CustomUnits", -1), 0);
}

// Two copies add the same category and the same unit at the same moment: one of each wins, and
// the file holds one entry of each.
TEST(WindowsProcesses, TwoCopiesAddingTheSameNamesStoreOneEntry) {
    for (int round = 0; round < 5; ++round) {
        TempFolder folder;
        const std::string path = folder.File("Tabrivo.ini");
        const std::string go = folder.File("go");
        auto first = ChildProcess::Start(HelperProgram(), {"race-to-add", path, go});
        auto second = ChildProcess::Start(HelperProgram(), {"race-to-add", path, go});
        ASSERT_TRUE(first && second);
        WriteBytes(go, "");
        const int results[] = {first->Wait(), second->Wait()};
        int categories = 0;
        int units = 0;
        for (const int result : results) {
            ASSERT_TRUE(result >= 0 && result < 4) << "round " << round << ": " << result;
            categories += (result & 1) != 0 ? 1 : 0;
            units += (result & 2) != 0 ? 1 : 0;
        }
        EXPECT_EQ(categories, 1) << "round " << round;
        EXPECT_EQ(units, 1) << "round " << round;
        ProfileStore store(path);
        EXPECT_EQ(store.GetProfileString("Settings", "Custom_1", ""), "money");
        EXPECT_EQ(store.GetProfileString("Settings", "Custom_2", "none"), "none");
        EXPECT_EQ(UsedUnitEntries(store, "Distance"), 1);
        EXPECT_EQ(store.GetProfileString("Distance", "CustomUnit_1", ""), "Stride");
    }
}

// Two writers and a reader in three processes: Windows will not replace a file while the reader
// has it open, so the writers wait for it, and nobody's key is lost.
TEST(WindowsProcesses, ConcurrentWritersAndAReaderLoseNothing) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string stop = folder.File("stop");
    constexpr int kKeysEach = 60;
    const std::string count = std::to_string(kKeysEach);
    auto reader = ChildProcess::Start(HelperProgram(), {"read-loop", path, stop});
    auto first = ChildProcess::Start(HelperProgram(), {"write-keys", path, "A", count});
    auto second = ChildProcess::Start(HelperProgram(), {"write-keys", path, "B", count});
    ASSERT_TRUE(reader && first && second);
    EXPECT_EQ(first->Wait(), 0);
    EXPECT_EQ(second->Wait(), 0);
    WriteBytes(stop, "");
    EXPECT_EQ(reader->Wait(), 0);

    const IniIndex index = IniIndex::Build(ReadBytes(path));
    const IniIndex::Entries* race = index.FindSection("race");
    ASSERT_NE(race, nullptr);
    EXPECT_EQ(race->size(), 2u * kKeysEach);
    for (const char name : {'a', 'b'}) {
        for (int i = 0; i < kKeysEach; ++i)
            EXPECT_EQ(IniIndex::Find(race, name + std::to_string(i)), std::to_string(i));
    }
}

// Another program reading the file the usual way (without FILE_SHARE_DELETE) blocks the
// replace; one that closes it soon only delays the write.
TEST(WindowsProcesses, ReplaceWaitsForAReaderThatClosesSoon) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string ready = folder.File("ready");
    WriteBytes(path, "[S]\nK=1\n");
    auto reader = ChildProcess::Start(HelperProgram(), {"hold-open", path, ready, "300"});
    ASSERT_TRUE(reader);
    ASSERT_TRUE(WaitForFile(ready, *reader));
    const auto start = steady_clock::now();
    ProfileStore store(path);
    const WriteResult result = store.WriteProfileInt("S", "K", 2);
    ASSERT_TRUE(result.ok()) << result.reason;
    EXPECT_GE(steady_clock::now() - start, milliseconds(150));
    EXPECT_EQ(reader->Wait(), 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=2\n");
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(WindowsProcesses, ReaderThatKeepsTheFileOpenGetsAReasonAndNothingIsLost) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string ready = folder.File("ready");
    WriteBytes(path, "[S]\nK=1\n");
    auto reader = ChildProcess::Start(HelperProgram(), {"hold-open", path, ready, "3500"});
    ASSERT_TRUE(reader);
    ASSERT_TRUE(WaitForFile(ready, *reader));
    ProfileStore store(path);
    const WriteResult result = store.WriteProfileInt("S", "K", 2);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_NE(result.reason.find("another program kept it open"), std::string::npos)
        << result.reason;
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
    EXPECT_FALSE(Exists(path + ".tmp"));
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 1);
    EXPECT_EQ(reader->Wait(), 0);
}

}  // namespace
}  // namespace korvane
