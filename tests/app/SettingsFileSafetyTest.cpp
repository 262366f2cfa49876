// What a settings write does to the file system around the file: the owner and mode it leaves,
// the size it allows, what a refused write leaves behind, and which links it follows.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/CustomUnitStorage.h"
#include "app/ProfileStore.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

#ifndef _WIN32  // owners, modes and the umask are POSIX matters
// Any account but root; nobody's ids on most systems.
constexpr uid_t kOtherUser = 65534;
constexpr gid_t kOtherGroup = 65534;

#define REQUIRE_ROOT()    \
    if (::geteuid() != 0) \
    GTEST_SKIP() << "needs root, to give files to another user"

class UmaskScope {
  public:
    explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

  private:
    mode_t previous_;
};

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// Runs `work` in a child process as another user; its return value becomes the exit status.
int RunAsOtherUser(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherGroup) != 0 ||
            ::setuid(kOtherUser) != 0) {
            ::_exit(100);
        }
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SavedByRoot : public ::testing::TestWithParam<mode_t> {};

// A mask that would give the file another mode shows the mode comes from the old file.
TEST_P(SavedByRoot, KeepsOwnerGroupAndMode) {
    REQUIRE_ROOT();
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=1\n");
    ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), GetParam()), 0);
    const UmaskScope mask(077);
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileInt("S", "K", 2).ok());
    EXPECT_EQ(ReadBytes(path), "[S]\nK=2\n");
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_uid, kOtherUser);
    EXPECT_EQ(after.st_gid, kOtherGroup);
    EXPECT_EQ(after.st_mode & 07777, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, SavedByRoot, ::testing::Values(0640, 0600, 0604, 0666));

// The whole story of a save with sudo: afterwards the owner still reads and writes the file,
// and the lock file root created does not keep them out.
TEST(SavedByRoot, OwnerCanStillWriteAfterwards) {
    REQUIRE_ROOT();
    TempFolder folder;
    // The owner's own folder, as a home folder is: not one directly inside the shared temporary
    // folder, where a folder of another user is not written in.
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    const std::string home = folder.File("home");
    ASSERT_EQ(::mkdir(home.c_str(), 0755), 0);
    ASSERT_EQ(::chown(home.c_str(), kOtherUser, kOtherGroup), 0);
    const std::string path = home + "/t.ini";
    WriteBytes(path, "[S]\nOwner=1\n");
    ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    {
        const UmaskScope mask(077);
        ProfileStore store(path);
        ASSERT_TRUE(store.WriteProfileInt("S", "Root", 2).ok());
    }
    const int status = RunAsOtherUser([&path] {
        ProfileStore store(path);
        if (store.GetProfileInt("S", "Root", 0) != 2)
            return 1;
        return store.WriteProfileInt("S", "Owner", 3).ok() ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nOwner=3\nRoot=2\n");
    EXPECT_EQ(StatOf(path).st_uid, kOtherUser);
}

// A user may not give the new file to the old owner; the write still succeeds, with the mode.
TEST(SavedByRoot, UserWhoMayNotSetTheOwnerKeepsTheMode) {
    REQUIRE_ROOT();
    TempFolder folder;
    ASSERT_EQ(::chown(folder.Path().c_str(), kOtherUser, kOtherGroup), 0);
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const int status = RunAsOtherUser([&path] {
        const UmaskScope mask(077);
        return ProfileStore(path).WriteProfileInt("S", "K", 2).ok() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=2\n");
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0666u);
}

class NewFile : public ::testing::TestWithParam<mode_t> {};

TEST_P(NewFile, GetsTheModeTheUmaskAllows) {
    TempFolder folder;
    const std::string path = folder.File("new/t.ini");
    {
        const UmaskScope mask(GetParam());
        ASSERT_TRUE(ProfileStore(path).WriteProfileInt("S", "K", 1).ok());
    }
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0666 & ~GetParam());
    // Whatever the mask, every user who may write the file must be able to take the lock.
    EXPECT_EQ(StatOf(path + ".lock").st_mode & 07777, 0644u);
}

INSTANTIATE_TEST_SUITE_P(Masks, NewFile, ::testing::Values(022, 077, 002, 027));

#endif  // _WIN32

std::string FileOfExactly(std::size_t size) {
    const std::string head = "[Probe]\nKey=5\nFiller=";
    return head + std::string(size - head.size() - 1, 'x') + "\n";
}

// A write that succeeded past the reader's limit would make every later read give defaults.
TEST(SizeLimit, WriteBeyondWhatTheReaderAcceptsIsRefused) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, FileOfExactly(kMaxSettingsFileBytes));
    ProfileStore store(path);
    ASSERT_EQ(store.GetProfileInt("Probe", "Key", -1), 5);

    const WriteResult grown = store.WriteProfileInt("Probe", "Key", 55);
    EXPECT_EQ(grown.error, WriteError::FileError);
    EXPECT_NE(grown.reason.find(path), std::string::npos) << grown.reason;
    EXPECT_FALSE(fs::exists(path + ".lock"));
    EXPECT_EQ(ReadBytes(path).size(), kMaxSettingsFileBytes);

    ASSERT_TRUE(store.WriteProfileInt("Probe", "Key", 6).ok());  // the size stays at the limit
    EXPECT_EQ(store.GetProfileInt("Probe", "Key", -1), 6);
    ASSERT_TRUE(store.DeleteProfileKey("Probe", "Filler").ok());
    EXPECT_EQ(ReadBytes(path), "[Probe]\nKey=6\n");
}

void ExpectNothingBeside(const std::string& path) {
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".lock"))) << path;
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".tmp"))) << path;
}

#ifdef _WIN32
// A device name opens the device in any folder; the write is refused before anything is
// created beside it.
TEST(RefusedWrite, DeviceNameGetsNoLockFile) {
    TempFolder folder;
    const std::string device = folder.File("NUL");
    const WriteResult result = ProfileStore(device).WriteProfileInt("S", "K", 1);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_NE(result.reason.find(device), std::string::npos) << result.reason;
    EXPECT_TRUE(fs::is_empty(testing::PathOf(folder.Path())));
}
#else
// Devices in the file's place: one made in the test's folder where the system allows it, and
// the real /dev/null, unless an earlier program left a lock file there.
TEST(RefusedWrite, DeviceGetsNoLockFile) {
    TempFolder folder;
    std::vector<std::string> devices;
    const std::string made = folder.File("null");
    if (::mknod(made.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        devices.push_back(made);
    if (!fs::exists(fs::symlink_status("/dev/null.lock")))
        devices.push_back("/dev/null");
    if (devices.empty())
        GTEST_SKIP() << "no device to try";
    for (const std::string& device : devices) {
        const WriteResult result = ProfileStore(device).WriteProfileInt("S", "K", 1);
        EXPECT_EQ(result.error, WriteError::FileError) << device;
        EXPECT_NE(result.reason.find(device), std::string::npos) << result.reason;
        ExpectNothingBeside(device);
    }
}
#endif  // _WIN32

struct RefusedCase {
    const char* name;
    std::function<WriteResult(ProfileStore&)> write;
};

class RefusedText : public ::testing::TestWithParam<RefusedCase> {};

// The folder does not exist yet: a refused write must not create it, nor a lock file beside a
// file that exists.
TEST_P(RefusedText, CreatesNoFolderAndNoLockFile) {
    TempFolder folder;
    ProfileStore missing(folder.File("a/b/t.ini"));
    EXPECT_FALSE(GetParam().write(missing).ok());
    EXPECT_FALSE(fs::exists(folder.File("a")));

    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=1\n");
    ProfileStore existing(path);
    EXPECT_FALSE(GetParam().write(existing).ok());
    ExpectNothingBeside(path);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
}

INSTANTIATE_TEST_SUITE_P(
    Writes, RefusedText,
    ::testing::Values(
        RefusedCase{"LineBreakInSection",
                    [](ProfileStore& s) { return s.WriteProfileString("S\n", "K", "v"); }},
        RefusedCase{"CarriageReturnInValue",
                    [](ProfileStore& s) { return s.WriteProfileString("S", "K", "v\r"); }},
        RefusedCase{"KeyThatReadsBackAsAnother",
                    [](ProfileStore& s) { return s.WriteProfileString("S", "a=b", "v"); }},
        RefusedCase{"DeleteOfAnUnusableKey",
                    [](ProfileStore& s) { return s.DeleteProfileKey("S", "K\n"); }},
        RefusedCase{"CategoryNameWithLineBreak",
                    [](ProfileStore& s) { return StoreCustomCategory(s, "two\nlines"); }},
        RefusedCase{"UnitNameWithLineBreak",
                    [](ProfileStore& s) { return StoreCustomUnit(s, "S", "a\nb", "2"); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RefusedWrite, WriteThatChangesNothingCreatesNothing) {
    TempFolder folder;
    ProfileStore store(folder.File("a/t.ini"));
    EXPECT_TRUE(store.DeleteProfileKey("S", "K").ok());
    EXPECT_FALSE(fs::exists(folder.File("a")));
}

#ifndef _WIN32  // shared sticky folders, links owned by other users, pipes
// Something other than a file where the lock file or the temporary file goes: a pipe would
// block the open of the lock file forever. The write is refused at once, naming what is there.
TEST(RefusedWrite, NoFileWhereTheLockOrTheTemporaryFileGoes) {
    struct Case {
        const char* suffix;
        bool pipe;
        const char* says;
    };
    for (const Case& row : {Case{".lock", true, "is not a regular file"},
                            Case{".lock", false, "is not a regular file"},
                            Case{".tmp", false, "a folder stands where the temporary file"}}) {
        TempFolder folder;
        const std::string path = folder.File("t.ini");
        WriteBytes(path, "[S]\nK=1\n");
        const std::string planted = path + row.suffix;
        ASSERT_EQ(row.pipe ? ::mkfifo(planted.c_str(), 0666) : ::mkdir(planted.c_str(), 0777), 0);
        const WriteResult result = ProfileStore(path).WriteProfileInt("S", "K", 2);
        EXPECT_EQ(result.error, WriteError::FileError) << planted;
        EXPECT_NE(result.reason.find(row.says), std::string::npos) << result.reason;
        EXPECT_NE(result.reason.find(planted), std::string::npos) << result.reason;
        EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
    }
}

// Every part of the path below a shared sticky folder is held to the rule, not only the last:
// `shared/kdir` may be a link, or a folder, of another user, who then decides where the file
// written through it lies.
struct PathCase {
    const char* name;
    bool linkedFolder;  // kdir is a link to a folder of its owner's; else a folder itself
    uid_t owner;        // of kdir
    bool written;
};

class PathThroughSharedFolder : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathThroughSharedFolder, IsWrittenOnlyThroughTrustedParts) {
    REQUIRE_ROOT();
    const PathCase& row = GetParam();
    TempFolder folder;
    const std::string shared = folder.File("shared");
    ASSERT_TRUE(fs::create_directory(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string secret = folder.File("secret.txt");
    WriteBytes(secret, "secret\n");
    const std::string kdir = shared + "/kdir";
    const std::string real = row.linkedFolder ? folder.File("elsewhere") : kdir;
    ASSERT_TRUE(fs::create_directory(real));
    fs::create_symlink(secret, real + "/Tabrivo.ini");
    ASSERT_EQ(::lchown(real.c_str(), row.owner, row.owner), 0);
    if (row.linkedFolder) {
        fs::create_symlink(real, kdir);
        ASSERT_EQ(::lchown(kdir.c_str(), row.owner, row.owner), 0);
    }

    const WriteResult result =
        ProfileStore(kdir + "/Tabrivo.ini").WriteProfileString("Settings", "Custom_1", "yy");
    EXPECT_EQ(result.ok(), row.written) << result.reason;
    if (row.written)
        return;
    EXPECT_NE(result.reason.find(kdir), std::string::npos) << result.reason;
    EXPECT_EQ(ReadBytes(secret), "secret\n");
    ExpectNothingBeside(secret);
    ExpectNothingBeside(real + "/Tabrivo.ini");
}

INSTANTIATE_TEST_SUITE_P(Parts, PathThroughSharedFolder,
                         ::testing::Values(PathCase{"OtherUsersLink", true, kOtherUser, false},
                                           PathCase{"OtherUsersFolder", false, kOtherUser, false},
                                           PathCase{"OwnLink", true, 0, true},
                                           PathCase{"OwnFolder", false, 0, true}),
                         [](const auto& row) { return std::string(row.param.name); });

// The program's folder is created in a shared folder only where nobody else has put one.
TEST(PathThroughSharedFolder, FolderIsCreatedWhereNoneStands) {
    TempFolder folder;
    const std::string shared = folder.File("shared");
    ASSERT_TRUE(fs::create_directory(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_TRUE(ProfileStore(shared + "/korvane/t.ini").WriteProfileInt("S", "K", 1).ok());
    EXPECT_EQ(StatOf(shared + "/korvane").st_uid, ::geteuid());
}

// One link in a folder of its own whose mode and owner the row sets; the file it leads to lies
// outside that folder.
struct LinkCase {
    const char* name;
    mode_t folderMode;
    uid_t folderOwner;
    uid_t linkOwner;
    bool followed;
};

class LinkInSharedFolder : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkInSharedFolder, IsFollowedOnlyWhenTheKernelWould) {
    REQUIRE_ROOT();
    const LinkCase& row = GetParam();
    TempFolder folder;
    const std::string shared = folder.File("shared");
    const std::string target = folder.File("real.ini");
    const std::string link = shared + "/t.ini";
    ASSERT_TRUE(fs::create_directory(shared));
    ASSERT_EQ(::chown(shared.c_str(), row.folderOwner, row.folderOwner), 0);
    ASSERT_EQ(::chmod(shared.c_str(), row.folderMode), 0);
    WriteBytes(target, "[S]\nK=1\n");
    fs::create_symlink(target, link);
    ASSERT_EQ(::lchown(link.c_str(), row.linkOwner, row.linkOwner), 0);

    const WriteResult result = ProfileStore(link).WriteProfileInt("S", "K", 2);
    EXPECT_EQ(result.ok(), row.followed) << result.reason;
    EXPECT_TRUE(fs::is_symlink(link));
    if (row.followed) {
        EXPECT_EQ(ReadBytes(target), "[S]\nK=2\n");
        return;
    }
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_NE(result.reason.find(link), std::string::npos) << result.reason;
    EXPECT_EQ(ReadBytes(target), "[S]\nK=1\n");
    ExpectNothingBeside(target);
    ExpectNothingBeside(link);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkInSharedFolder,
    ::testing::Values(
        LinkCase{"OtherUsersLinkInStickyFolder", 01777, 0, kOtherUser, false},
        LinkCase{"OwnLinkInStickyFolder", 01777, 0, 0, true},
        LinkCase{"FolderOwnersLinkInStickyFolder", 01777, kOtherUser, kOtherUser, true},
        LinkCase{"OtherUsersLinkInFolderNotSticky", 0777, 0, kOtherUser, true},
        LinkCase{"OtherUsersLinkInStickyFolderNotWorldWritable", 01775, 0, kOtherUser, true}),
    [](const auto& row) { return std::string(row.param.name); });

// The rule holds for every link of a chain, not only the first.
TEST(LinkInSharedFolder, ChainThroughAnUntrustedLinkIsRefused) {
    REQUIRE_ROOT();
    TempFolder folder;
    const std::string shared = folder.File("shared");
    ASSERT_TRUE(fs::create_directory(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string target = folder.File("real.ini");
    WriteBytes(target, "[S]\nK=1\n");
    fs::create_symlink(target, shared + "/second");
    ASSERT_EQ(::lchown((shared + "/second").c_str(), kOtherUser, kOtherGroup), 0);
    fs::create_symlink(shared + "/second", folder.File("first.ini"));

    const WriteResult result = ProfileStore(folder.File("first.ini")).WriteProfileInt("S", "K", 2);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_EQ(ReadBytes(target), "[S]\nK=1\n");
}
#endif  // _WIN32

}  // namespace
}  // namespace korvane
