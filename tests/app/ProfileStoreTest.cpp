#include "app/ProfileStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "TestSupport.h"
#include "app/FileAccess.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct IntCase {
    const char* name;
    std::string_view stored;
    int expected;
};

class ProfileIntRule : public ::testing::TestWithParam<IntCase> {};

TEST_P(ProfileIntRule, ReadsLeadingDecimalDigitsOrTheDefault) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=" + std::string(GetParam().stored) + "\n");
    EXPECT_EQ(ProfileStore(path).GetProfileInt("S", "K", 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileIntRule,
    ::testing::Values(IntCase{"Plain", "42", 42}, IntCase{"Negative", "-5", -5},
                      IntCase{"TrailingText", "12abc", 12}, IntCase{"NoDigits", "abc", 0},
                      IntCase{"MinusOnly", "-", 0}, IntCase{"Empty", "", 77},
                      IntCase{"Blanks", "   ", 77}, IntCase{"Largest", "2147483647", INT_MAX},
                      IntCase{"Smallest", "-2147483648", INT_MIN},
                      IntCase{"TooLarge", "2147483648", 77}, IntCase{"TooSmall", "-2147483649", 77},
                      IntCase{"Huge", "99999999999999999999999", 77},
                      IntCase{"NoHexadecimal", "0x1F", 0}, IntCase{"NoPlusSign", "+5", 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProfileStore, MissingKeysGiveDefaultsAndEmptyValuesAreValues) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nEmpty=\n");
    const ProfileStore store(path);
    EXPECT_EQ(store.GetProfileString("S", "Empty", "default"), "");
    EXPECT_EQ(store.GetProfileString("S", "Missing", "default"), "default");
    EXPECT_EQ(store.GetProfileString("Nowhere", "Empty", "default"), "default");
}

TEST(ProfileStore, FirstWriteCreatesFoldersAndReadsCreateNothing) {
    TempFolder folder;
    const std::string path = folder.File("a/b/t.ini");
    ProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("S", "K", 3), 3);
    EXPECT_FALSE(std::filesystem::exists(folder.File("a")));
    ASSERT_TRUE(store.WriteProfileInt("S", "K", -12).ok());
    EXPECT_EQ(ReadBytes(path), testing::AsNewFile("[S]\nK=-12\n"));
    ASSERT_TRUE(store.DeleteProfileKey("s", "k").ok());
    EXPECT_EQ(store.GetProfileInt("S", "K", 3), 3);
}

TEST(ProfileStore, EveryReadSeesWritesOfOtherStores) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    ProfileStore reader(path);
    ProfileStore writer(path);
    for (int value = 0; value < 20; ++value) {
        ASSERT_TRUE(writer.WriteProfileInt("S", "K", value).ok());
        EXPECT_EQ(reader.GetProfileInt("S", "K", -1), value);
    }
    WriteBytes(path, "[S]\nK=99\n");  // edited by hand, in place
    EXPECT_EQ(reader.GetProfileInt("S", "K", -1), 99);
}

TEST(ProfileStore, RefusesTextTheFileCannotHold) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=old\n");
    ProfileStore store(path);
    const struct {
        std::string_view section, key, value;
    } refused[] = {
        {"S", "K", "two\nlines"},
        {"S", "K", "cr\r"},
        {"S", "K", "tab\there"},
        {"S", "K", std::string_view("nul\0x", 5)},
        {"S", "K", "c1 \xC2\x85"},
        {"S", "K", "bad \xFF utf8"},
        {"S\n", "K", "v"},
        {"S", "K\r", "v"},
        {"", "K", "v"},
        {"S", " ", "v"},
        {"S", "a=b", "v"},
        {"S", "[K", "v"},
        {"S", ";K", "v"},
    };
    for (const auto& text : refused) {
        const WriteResult result = store.WriteProfileString(text.section, text.key, text.value);
        EXPECT_EQ(result.error, WriteError::RefusedText) << text.key << " " << text.value;
        EXPECT_FALSE(result.reason.empty());
    }
    EXPECT_EQ(ReadBytes(path), "[S]\nK=old\n");
}

TEST(ProfileStore, UnchangedValueLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\r\n  K = same  \r\n");
    const auto before = file_access::StampOf(path);
    ASSERT_TRUE(before);
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileString("s", "k", "same").ok());
    ASSERT_TRUE(store.DeleteProfileKey("S", "Missing").ok());
    const auto after = file_access::StampOf(path);
    ASSERT_TRUE(after);
    EXPECT_EQ(before->inode, after->inode);  // not replaced
    EXPECT_EQ(ReadBytes(path), "[S]\r\n  K = same  \r\n");
}

// The first line break decides how the rewritten file ends its lines, even when it is the only
// one or the lines after it end differently.
TEST(ProfileStore, RewriteKeepsTheFirstLineBreak) {
    const struct {
        std::string_view before;
        std::string_view after;
    } cases[] = {
        {"[S]\r\n", "[S]\r\nK=1\r\n"},       {"[S]\r\nA=2\nB=3\n", "[S]\r\nA=2\r\nB=3\r\nK=1\r\n"},
        {"[S]\nA=2\r\n", "[S]\nA=2\nK=1\n"}, {"[S]", "[S]\nK=1\n"},
        {"[S]\rA=2", "[S]\nA=2\nK=1\n"},
    };
    for (const auto& entry : cases) {
        TempFolder folder;
        const std::string path = folder.File("t.ini");
        WriteBytes(path, entry.before);
        ASSERT_TRUE(ProfileStore(path).WriteProfileInt("S", "K", 1).ok());
        // A file without any line break is written as a new one, in the platform's own form.
        const bool hasBreak = entry.before.find_first_of("\r\n") != std::string_view::npos;
        EXPECT_EQ(ReadBytes(path),
                  hasBreak ? std::string(entry.after) : testing::AsNewFile(entry.after))
            << ::testing::PrintToString(entry.before);
    }
}

TEST(ProfileStore, WindowsFileIsReadAndRewrittenAsUtf8) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path,
               "[Settings]\r\nCustom_1=stra\xDF"
               "e\r\n[stra\xDF"
               "e]\r\nCustomUnit_1=\xB5m\r\n");
    ProfileStore store(path);
    EXPECT_EQ(store.GetProfileString("Settings", "Custom_1", ""), "straße");
    EXPECT_EQ(store.GetProfileString("STRASSE", "CustomUnit_1", "none"), "none");
    EXPECT_EQ(store.GetProfileString("Straße", "CustomUnit_1", ""), "µm");
    ASSERT_TRUE(store.WriteProfileString("Straße", "CustomUnit_2", "µs").ok());
    EXPECT_EQ(
        ReadBytes(path),
        "[Settings]\r\nCustom_1=straße\r\n[straße]\r\nCustomUnit_1=µm\r\nCustomUnit_2=µs\r\n");
}

#ifndef _WIN32  // Windows lets only administrators make symbolic links.
TEST(ProfileStore, SymbolicLinkSurvivesWrites) {
    TempFolder folder;
    const std::string target = folder.File("real.ini");
    const std::string link = folder.File("link.ini");
    WriteBytes(target, "[S]\nK=1\n");
    std::filesystem::create_symlink(target, link);
    ProfileStore store(link);
    ASSERT_TRUE(store.WriteProfileInt("S", "K", 2).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\nK=2\n");
}
#endif

// The rename that replaces the file needs only the folder's permission; a file the user made
// read-only must still be left alone. The mode bits decide even for root.
TEST(ProfileStore, ReadOnlyFileIsNotReplaced) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    ProfileStore store(path);
    const WriteResult result = store.WriteProfileInt("S", "K", 2);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(ReadBytes(path), "[S]\nK=1\n");
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), 1);
    // Refused before anything was created beside it.
    EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(ProfileStore, NoPathMeansDefaultsAndFailedWrites) {
    ProfileStore store("");
    EXPECT_EQ(store.GetProfileInt("S", "K", 4), 4);
    const WriteResult result = store.WriteProfileInt("S", "K", 1);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_FALSE(result.reason.empty());
}

// Whether a folder's mode bits keep us from writing in it: not for root, and not on Windows,
// where the read-only attribute of a folder means nothing to the file functions.
bool FolderModesApply() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

// The folder cannot take the file. Where its mode cannot stop us, the file's folder is made
// impossible instead: its parent is a regular file.
TEST(ProfileStore, UnwritableFolderReportsFailureAndKeepsGoing) {
    TempFolder folder;
    std::string path;
    if (!FolderModesApply()) {
        WriteBytes(folder.File("blocker"), "not a folder");
        path = folder.File("blocker/t.ini");
    } else {
        const std::string readOnly = folder.File("ro");
        std::filesystem::create_directory(readOnly);
        WriteBytes(readOnly + "/t.ini", "[S]\nK=1\n");
        std::filesystem::permissions(
            readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        path = readOnly + "/t.ini";
    }
    ProfileStore store(path);
    const int before = store.GetProfileInt("S", "K", 7);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const WriteResult result = store.WriteProfileInt("S", "K", 2);
        EXPECT_EQ(result.error, WriteError::FileError);
        EXPECT_FALSE(result.reason.empty());
    }
    EXPECT_EQ(store.GetProfileInt("S", "K", 7), before);
}

#ifndef _WIN32  // Windows names the folder in its own path form.
// A regular file where a folder of the path should be stops everyone, root included.
TEST(ProfileStore, FolderThatCannotBeMadeIsNamedInTheReason) {
    TempFolder folder;
    WriteBytes(folder.File("blocker"), "not a folder");
    const WriteResult result =
        ProfileStore(folder.File("blocker/sub/t.ini")).WriteProfileInt("S", "K", 1);
    EXPECT_EQ(result.error, WriteError::FileError);
    EXPECT_EQ(result.reason.rfind("could not create the folder " + folder.File("blocker/sub"), 0),
              0u)
        << result.reason;
}
#endif

#ifndef _WIN32  // Counts the descriptors of /proc/self/fd, which under Wine are the emulator's.
// Reads, writes and failed writes close what they open: a program that saves on every change
// would otherwise run out of file descriptors.
TEST(ProfileStore, LeavesNoFileOpen) {
    const auto openFiles = [] {
        const std::filesystem::directory_iterator entries("/proc/self/fd");
        return std::distance(begin(entries), end(entries));
    };
    if (!std::filesystem::exists("/proc/self/fd"))
        GTEST_SKIP() << "no /proc/self/fd to count open files";
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(folder.File("blocker"), "not a folder");
    const auto before = openFiles();
    for (int i = 0; i < 5; ++i) {
        ProfileStore store(path);
        ASSERT_TRUE(store.WriteProfileInt("S", "K", i).ok());
        EXPECT_EQ(store.GetProfileInt("S", "K", -1), i);
        EXPECT_FALSE(ProfileStore(folder.File("blocker/t.ini")).WriteProfileInt("S", "K", i).ok());
        EXPECT_FALSE(ProfileStore(folder.Path()).WriteProfileInt("S", "K", i).ok());
    }
    EXPECT_EQ(openFiles(), before);
}
#endif

}  // namespace
}  // namespace korvane
