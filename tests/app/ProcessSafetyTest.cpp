// Several processes on one settings file: the lock keeps their changes apart, and the atomic
// replace keeps a process killed half-way through a write from damaging the file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "TestSupport.h"
#include "app/CustomUnitStorage.h"
#include "app/FileAccess.h"
#include "app/IniDocument.h"
#include "app/ProfileStore.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Runs `work` in a child process; its return value becomes the exit status.
template <typename Work>
pid_t Spawn(Work work) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string RealisticFile() {
    std::string text = "[Settings]\nFormat=0\nPrecision=5\nShowAbbreviation=TRUE\nProbe=0\n";
    for (int c = 0; c < 42; ++c)
        text += "\n[Category " + std::to_string(c) + "]\nVisibility=1\n";
    return text;
}

TEST(ProcessSafety, ConcurrentWritersLoseNoKeys) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    constexpr int kKeysEach = 500;
    auto writer = [&](char name) {
        return [&path, name] {
            ProfileStore store(path);
            for (int i = 0; i < kKeysEach; ++i) {
                const std::string key = std::string(1, name) + std::to_string(i);
                if (!store.WriteProfileInt("Race", key, i).ok())
                    return 1;
            }
            return 0;
        };
    };
    const pid_t first = Spawn(writer('A'));
    const pid_t second = Spawn(writer('B'));
    ASSERT_EQ(ExitStatus(first), 0);
    ASSERT_EQ(ExitStatus(second), 0);

    const IniIndex index = IniIndex::Build(ReadBytes(path));
    const IniIndex::Entries* race = index.FindSection("race");
    ASSERT_NE(race, nullptr);
    EXPECT_EQ(race->size(), 2u * kKeysEach);
    for (const char name : {'a', 'b'}) {
        for (int i = 0; i < kKeysEach; ++i) {
            EXPECT_EQ(IniIndex::Find(race, name + std::to_string(i)), std::to_string(i))
                << name << i;
        }
    }
}

// A program started with its standard input closed gets descriptor 0 from its first open(), a
// descriptor like any other: the settings must still read, lock and write.
TEST(ProcessSafety, ClosedStandardInputIsNoObstacle) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[S]\nK=5\n");
    const pid_t child = Spawn([&path] {
        ::close(STDIN_FILENO);
        ProfileStore store(path);
        if (store.GetProfileInt("S", "K", -1) != 5)
            return 1;
        if (!store.WriteProfileInt("S", "K", 6).ok())
            return 2;
        return 0;
    });
    EXPECT_EQ(ExitStatus(child), 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nK=6\n");
}

pid_t SpawnProbeWriter(const std::string& path, const std::string& value) {
    return Spawn([&] {
        ProfileStore store(path);
        return store.WriteProfileString("Settings", "Probe", value).ok() ? 0 : 1;
    });
}

// How long a child takes from fork to the end of its write, on this machine and build.
std::chrono::microseconds WriterLifetime(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    constexpr int kRuns = 5;
    for (int run = 0; run < kRuns; ++run) {
        EXPECT_EQ(ExitStatus(SpawnProbeWriter(path, "0")), 0);
    }
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start) /
           kRuns;
}

// Each round a child writes the round number into "Probe" and is killed after a random delay
// that spans the whole write, from before it starts to after it ends.
TEST(ProcessSafety, KilledWriterLeavesOldOrNewFile) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    const std::string initial = RealisticFile();
    WriteBytes(path, initial);
    const auto lifetime = WriterLifetime(path);
    // The whole file, byte for byte, with the probe holding `value`.
    const auto fileWith = [&initial](const std::string& value) {
        std::string text = initial;
        return text.replace(text.find("Probe=0"), 7, "Probe=" + value);
    };
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::int64_t> delayUs(0, lifetime.count() * 3);
    std::string current = "0";
    int completed = 0;
    constexpr int kRounds = 200;
    for (int round = 1; round <= kRounds; ++round) {
        const std::string next = std::to_string(round);
        const pid_t child = SpawnProbeWriter(path, next);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::string content = ReadBytes(path);
        if (content == fileWith(next)) {
            current = next;
            ++completed;
        } else {
            ASSERT_EQ(content, fileWith(current)) << "round " << round;
        }
    }
    RecordProperty("CompletedWrites", completed);
    RecordProperty("WriterLifetimeUs", static_cast<int>(lifetime.count()));
    // Otherwise every kill landed on the same side of the write and proved little.
    EXPECT_GT(completed, 0);
    EXPECT_LT(completed, kRounds);
    // A lock or temporary file left by a killed writer must not stop the next one.
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileString("Settings", "Probe", "after").ok());
    EXPECT_EQ(store.GetProfileString("Settings", "Probe", ""), "after");
}

TEST(ProcessSafety, WriterWaitsForTheLockHolder) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = Spawn([&] {
        std::string reason;
        auto lock =
            file_access::ExclusiveLock::Acquire(path + ".lock", std::chrono::seconds(1), reason);
        const char signal = lock ? 'y' : 'n';
        if (::write(ready[1], &signal, 1) != 1)
            return 2;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        // Written while holding the lock; a writer that did not wait would overwrite it.
        WriteBytes(path, "[S]\nHolder=1\n");
        return lock ? 0 : 1;
    });
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ASSERT_EQ(signal, 'y');
    const auto start = std::chrono::steady_clock::now();
    ProfileStore store(path);
    ASSERT_TRUE(store.WriteProfileInt("S", "Writer", 1).ok());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(ExitStatus(holder), 0);
    EXPECT_EQ(ReadBytes(path), "[S]\nHolder=1\nWriter=1\n");
    ::close(ready[0]);
    ::close(ready[1]);
}

// A change is first made on the file as read before the lock; when another process writes in
// between, it is made again on that process's result, and only that run may count.
TEST(ProcessSafety, ChangeMadeAgainAfterAnotherWriterCountsOnce) {
    TempFolder folder;
    const std::string path = folder.File("Tabrivo.ini");
    WriteBytes(path, "[S]\nCustomUnits=1\nCustomUnit_1=metre\nCustomValue_1=2\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = Spawn([&] {
        std::string reason;
        auto lock =
            file_access::ExclusiveLock::Acquire(path + ".lock", std::chrono::seconds(1), reason);
        const char signal = lock ? 'y' : 'n';
        if (::write(ready[1], &signal, 1) != 1)
            return 2;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        WriteBytes(path,
                   "[S]\nCustomUnits=2\nCustomUnit_1=metre\nCustomValue_1=2\n"
                   "CustomUnit_2=METRE\nCustomValue_2=3\n");
        return lock ? 0 : 1;
    });
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ASSERT_EQ(signal, 'y');
    ProfileStore store(path);
    const ForgetUnitResult result = ForgetCustomUnit(store, "S", "metre");
    EXPECT_TRUE(result.write.ok()) << result.write.reason;
    EXPECT_EQ(result.freed, 2);
    EXPECT_EQ(ExitStatus(holder), 0);
    EXPECT_EQ(store.GetProfileInt("S", "CustomUnits", -1), 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace korvane
