#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <functional>
#include <random>

#include "TestSupport.h"
#include "app/ProfileStore.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// What a file put in the settings file's place does to reads and to the next write.
struct HostileFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    int expectedRead;  // of [Probe] Key with default -1
    bool writeSucceeds;
};

std::string RandomBytes(std::size_t count) {
    std::mt19937 generator(12345);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

std::string ManySections(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[Section " + std::to_string(i) + "]\nValue=" + std::to_string(i) + "\n";
    return text + "[Probe]\nKey=5\n";
}

std::string TenMegabytes() {
    std::string text = "[Filler]\n";
    while (text.size() < 10 * 1024 * 1024)
        text += "Some key with a long name=and a value of some length\n";
    return text + "[Probe]\nKey=5\n";
}

std::string Ragged() {
    return "Key=1\n"   // before any section
           "[Probe\n"  // header without ]
           "Key=2\n"
           "[Probe]\n"
           "just words\n"
           "]Key=3\n"
           "Key\n"
           "[Probe]\n"
           "Key=5\n"
           "KEY=6\n";
}

class HostileFiles : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileFiles, ReadDefaultsAndWriteSafely) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    GetParam().make(path);
    const std::string before = std::filesystem::is_regular_file(path) ? ReadBytes(path) : "";
    ProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Probe", "Key", -1), GetParam().expectedRead);

    const WriteResult result = store.WriteProfileInt("Probe", "Written", 8);
    EXPECT_EQ(result.ok(), GetParam().writeSucceeds) << result.reason;
    if (result.ok()) {
        EXPECT_EQ(store.GetProfileInt("Probe", "Written", -1), 8);
        EXPECT_EQ(store.GetProfileInt("Probe", "Key", -1), GetParam().expectedRead);
    } else {
        EXPECT_EQ(result.error, WriteError::FileError);
        EXPECT_NE(result.reason.find(path), std::string::npos) << result.reason;
        // Refused before the lock: nothing is created beside a file we will not write.
        EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
        if (std::filesystem::is_regular_file(path)) {
            EXPECT_EQ(ReadBytes(path), before);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    ::testing::Values(
        HostileFile{"Missing", [](const std::string&) {}, -1, true},
        HostileFile{"Empty", [](const std::string& p) { WriteBytes(p, ""); }, -1, true},
        HostileFile{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); },
                    -1, false},
        HostileFile{"BinaryGarbage",
                    [](const std::string& p) { WriteBytes(p, RandomBytes(64 * 1024)); }, -1, false},
        HostileFile{"TenMegabytes", [](const std::string& p) { WriteBytes(p, TenMegabytes()); }, 5,
                    true},
        HostileFile{"TooLarge",
                    [](const std::string& p) {
                        WriteBytes(p, "[Probe]\nKey=5\n" + std::string(40 << 20, ' '));
                    },
                    -1, false},
        HostileFile{"HundredThousandSections",
                    [](const std::string& p) { WriteBytes(p, ManySections(100000)); }, 5, true},
        HostileFile{"RaggedLines", [](const std::string& p) { WriteBytes(p, Ragged()); }, 5, true},
        HostileFile{"ByteOrderMark",
                    [](const std::string& p) { WriteBytes(p, "\xEF\xBB\xBF[Probe]\r\nKey=5\r\n"); },
                    5, true}),
    [](const auto& row) { return std::string(row.param.name); });

#ifndef _WIN32  // Windows has no named pipes in its file system; it tests device names instead.
INSTANTIATE_TEST_SUITE_P(Posix, HostileFiles,
                         ::testing::Values(HostileFile{
                             "Pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, -1,
                             false}),
                         [](const auto& row) { return std::string(row.param.name); });
#endif

TEST(HostileFiles, WriteToLargeFileKeepsEverySection) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, ManySections(100000));
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileInt("Section 99999", "Value", -1).ok());
    EXPECT_EQ(store.GetProfileInt("Section 0", "Value", -2), 0);
    EXPECT_EQ(store.GetProfileInt("Section 50000", "Value", -2), 50000);
    EXPECT_EQ(store.GetProfileInt("Section 99999", "Value", -2), -1);
    EXPECT_EQ(ReadBytes(path).size(), ManySections(100000).size() - 3);  // "99999" became "-1"
}

}  // namespace
}  // namespace korvane
