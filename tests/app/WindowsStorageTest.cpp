// The settings file on Windows paths and file attributes: wide names, long paths, read-only
// and hidden files, line ends, and paths that cannot work.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WindowsTestSupport.h"
#include "app/ProfileStore.h"

namespace korvane {
namespace {

using testing::Exists;
using testing::PathOf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::Wide;
using testing::WriteBytes;

DWORD AttributesOf(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

std::vector<std::string> NamesIn(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder.Path())))
        names.push_back(testing::TextOf(entry.path().filename()));
    return names;
}

TEST(WindowsStorage, NewFileGetsWindowsLineEndsAndAnOldFileKeepsItsOwn) {
    TempFolder folder;
    const std::string fresh = folder.File("fresh.ini");
    const std::string old = folder.File("old.ini");
    WriteBytes(old, "[S]\nA=0\n");
    for (const std::string& path : {fresh, old})
        ASSERT_TRUE(ProfileStore(path).WriteProfileInt("S", "K", 1).ok());
    EXPECT_EQ(ReadBytes(fresh), "[S]\r\nK=1\r\n");
    EXPECT_EQ(ReadBytes(old), "[S]\nA=0\nK=1\n");
}

// Windows refuses the rename only after the new content is written, and Wine not at all; the
// store asks first and says why.
TEST(WindowsStorage, ReadOnlyFileIsRefusedWithAReason) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\r\nK=1\r\n");
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    ProfileStore store(path);
    const WriteResult result = store.WriteProfileInt("S", "K", 2);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_EQ(result.reason, "could not replace " + path + ": it is read-only");
    EXPECT_EQ(ReadBytes(path), "[S]\r\nK=1\r\n");
    EXPECT_FALSE(Exists(path + ".tmp"));
    EXPECT_FALSE(Exists(path + ".lock"));
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 1);
    ::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsStorage, HiddenFileStaysHidden) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\r\nK=1\r\n");
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ProfileStore(path).WriteProfileInt("S", "K", 2).ok());
    EXPECT_EQ(ReadBytes(path), "[S]\r\nK=2\r\n");
    EXPECT_NE(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// The names reach the file system through the wide functions: the ANSI code page holds
// neither the snowman nor the Japanese characters.
TEST(WindowsStorage, NamesOutsideTheAnsiCodePageAreKept) {
    TempFolder folder;
    const std::string path = folder.File("Ünïcødé ☃ 日本") + "\\Tabrivo.ini";
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileString("Maße", "Schlüssel", "☃").ok());
    EXPECT_EQ(store.GetProfileString("MAßE", "SCHLÜSSEL", ""), "☃");
    const std::wstring wide =
        Wide(folder.Path()) + L"\\\u00DCn\u00EFc\u00F8d\u00E9 \u2603 \u65E5\u672C";
    EXPECT_NE(::GetFileAttributesW((wide + L"\\Tabrivo.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"Ünïcødé ☃ 日本"});
}

// Beyond MAX_PATH (260) the file functions need the "\\?\" form of the path.
TEST(WindowsStorage, PathLongerThanMaxPathWorks) {
    TempFolder folder;
    std::string path = folder.Path();
    while (path.size() < 400)
        path += "\\a folder with a rather long name";
    path += "\\Tabrivo.ini";
    ProfileStore store(path);
    const WriteResult result = store.WriteProfileInt("S", "K", 5);
    ASSERT_TRUE(result.ok()) << result.reason;
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 5);
    ASSERT_TRUE(store.WriteProfileInt("S", "K", 6).ok());
    EXPECT_EQ(ProfileStore(path).GetProfileInt("S", "K", 7), 6);
    const std::wstring extended = L"\\\\?\\" + Wide(path);
    EXPECT_NE(::GetFileAttributesW(extended.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW((extended + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A drive letter with no drive behind it.
std::string UnusedDrive() {
    const DWORD used = ::GetLogicalDrives();
    for (char letter = 'Y'; letter > 'D'; --letter) {
        if ((used & (1u << (letter - 'A'))) == 0)
            return std::string(1, letter) + ":";
    }
    return {};
}

struct BadPath {
    const char* name;
    std::string (*make)(const TempFolder& folder);
};

class WindowsBadPaths : public ::testing::TestWithParam<BadPath> {};

// Reads give the defaults, writes fail with a reason; nothing crashes or hangs, and nothing is
// created for the refused write (no folder, no lock file).
TEST_P(WindowsBadPaths, ReadDefaultsAndWriteFailsWithAReason) {
    TempFolder folder;
    const std::string path = GetParam().make(folder);
    ASSERT_FALSE(path.empty());
    const std::vector<std::string> before = NamesIn(folder);
    ProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 7);
    EXPECT_EQ(store.GetProfileString("S", "K", "default"), "default");
    const WriteResult result = store.WriteProfileInt("S", "K", 1);
    EXPECT_EQ(result.error, WriteError::FileError) << path;
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 7);
    EXPECT_EQ(NamesIn(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WindowsBadPaths,
    ::testing::Values(
        BadPath{"UnusedDrive",
                [](const TempFolder&) {
                    const std::string drive = UnusedDrive();
                    return drive.empty() ? drive : drive + "\\Tabrivo.ini";
                }},
        BadPath{"UnusedDriveFolder",
                [](const TempFolder&) {
                    const std::string drive = UnusedDrive();
                    return drive.empty() ? drive : drive + "\\Tools\\Tabrivo.ini";
                }},
        BadPath{"MissingServer",
                [](const TempFolder&) {
                    return std::string(R"(\\korvane-no-such-server\share\Tabrivo.ini)");
                }},
        BadPath{"ServerWithoutShare",
                [](const TempFolder&) { return std::string(R"(\\korvane-no-such-server)"); }},
        BadPath{"DeviceName", [](const TempFolder& f) { return f.File("NUL"); }},
        BadPath{"ForbiddenCharacters", [](const TempFolder& f) { return f.File("a<b>|c.ini"); }},
        BadPath{"FolderInItsPlace",
                [](const TempFolder& f) {
                    std::filesystem::create_directory(PathOf(f.File("t.ini")));
                    return f.File("t.ini");
                }}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace korvane
