// The other program in the Windows tests: what a second process, or a copy of the program on
// another drive, does to the settings file. The first argument names the job; the exit status
// is 0 when it was done, and the reason for a failure goes to the standard error stream.
#include "app/WindowsApi.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "WindowsTestSupport.h"
#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"
#include "app/FileAccess.h"
#include "app/IniDocument.h"
#include "app/ProfileStore.h"
#include "app/SettingsPath.h"
#include "cli/SystemText.h"

namespace korvane {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::WriteBytes;

void Sleep(const std::string& milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(milliseconds.c_str())));
}

int Failure(const std::string& reason) {
    std::cerr << reason << '\n';
    return 1;
}

// default-settings REPORT SECTION KEY VALUE: where this copy keeps its settings and where it
// runs from, into REPORT; then one key written through that settings file.
int DefaultSettings(const std::vector<std::string>& a) {
    const std::string settings = DefaultSettingsPath();
    WriteBytes(a[2], settings + "\n" + file_access::ProgramFilePath() + "\n");
    ProfileStore store(settings);
    const WriteResult result = store.WriteProfileString(a[3], a[4], a[5]);
    return result.ok() ? 0 : Failure(result.reason);
}

// hold-lock SETTINGS READY MS: takes the settings file's lock, creates READY, waits MS and
// replaces the file while still holding the lock.
int HoldLock(const std::vector<std::string>& a) {
    std::string reason;
    const auto lock =
        file_access::ExclusiveLock::Acquire(a[2] + ".lock", std::chrono::seconds(1), reason);
    if (!lock)
        return Failure(reason);
    WriteBytes(a[3], "");
    Sleep(a[4]);
    if (auto failure = file_access::ReplaceFileContent(a[2], "[S]\nHolder=1\n"))
        return Failure(*failure);
    return 0;
}

// hold-lock-write SETTINGS READY MS SOURCE: as hold-lock, but writes the bytes of SOURCE into
// the settings file in place, as another program's plain write would.
int HoldLockWrite(const std::vector<std::string>& a) {
    std::string reason;
    const auto lock =
        file_access::ExclusiveLock::Acquire(a[2] + ".lock", std::chrono::seconds(1), reason);
    if (!lock)
        return Failure(reason);
    WriteBytes(a[3], "");
    Sleep(a[4]);
    WriteBytes(a[2], ReadBytes(a[5]));
    return 0;
}

// race-to-add SETTINGS GO: once GO exists, adds the custom category "money" and the unit
// "Stride" to Distance, as a running copy of the program would. The exit status adds 1 for the
// category done, 2 for the unit done, 4 for an answer other than "done" or the refusal a lost
// race gives.
int RaceToAdd(const std::vector<std::string>& a) {
    ProfileStore store(a[2]);
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    LoadCustomUnits(store, catalogue);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Exists(a[3])) {
        if (std::chrono::steady_clock::now() > deadline)
            return Failure("no start signal") * 4;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    int status = 0;
    const CustomOutcome category = AddCustomCategory(catalogue, store, "money");
    if (category.ok())
        status |= 1;
    else if (category.refusal->text != "This category name already exists.")
        status |= 4;
    const CustomOutcome unit =
        AddCustomUnit(catalogue, store,
                      NewCustomUnit{catalogue.FindCategory("Distance"), "Stride", "2", "meter"});
    if (unit.ok())
        status |= 2;
    else if (unit.refusal->text != "The name you have chosen \nis already in use.")
        status |= 4;
    return status;
}

// hold-open FILE READY MS: opens FILE the way most programs read a file (others may read and
// write it, but not delete or replace it), creates READY and keeps it open for MS.
int HoldOpen(const std::vector<std::string>& a) {
    const HANDLE file =
        ::CreateFileW(testing::Wide(a[2]).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Failure("could not open " + a[2]);
    WriteBytes(a[3], "");
    Sleep(a[4]);
    ::CloseHandle(file);
    return 0;
}

// write-keys SETTINGS PREFIX COUNT: writes PREFIX0=0 .. in section [Race], one write each.
int WriteKeys(const std::vector<std::string>& a) {
    ProfileStore store(a[2]);
    const int count = std::atoi(a[4].c_str());
    for (int i = 0; i < count; ++i) {
        const WriteResult result = store.WriteProfileInt("Race", a[3] + std::to_string(i), i);
        if (!result.ok())
            return Failure(result.reason);
    }
    return 0;
}

// read-loop SETTINGS STOP: reads the file every two milliseconds, more often than any window,
// until STOP exists. Every read must succeed, and the number of keys in [Race] must never fall:
// a reader sees the old file or the new one.
int ReadLoop(const std::vector<std::string>& a) {
    std::size_t seen = 0;
    int reads = 0;
    while (!Exists(a[3])) {
        const file_access::ReadOutcome file = file_access::ReadWholeFile(a[2], 1 << 20);
        if (file.status == file_access::ReadStatus::Failed)
            return Failure("read " + std::to_string(reads) + " failed: " + file.reason);
        const IniIndex index = IniIndex::Build(file.bytes);
        const IniIndex::Entries* race = index.FindSection("race");
        const std::size_t keys = race == nullptr ? 0 : race->size();
        if (keys < seen)
            return Failure("a read saw " + std::to_string(keys) + " keys after " +
                           std::to_string(seen));
        seen = keys;
        ++reads;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return reads > 0 ? 0 : Failure("no read happened");
}

int Run(const std::vector<std::string>& a) {
    const struct {
        const char* name;
        std::size_t arguments;
        int (*job)(const std::vector<std::string>&);
    } jobs[] = {{"default-settings", 4, DefaultSettings},
                {"hold-lock", 3, HoldLock},
                {"hold-lock-write", 4, HoldLockWrite},
                {"race-to-add", 2, RaceToAdd},
                {"hold-open", 3, HoldOpen},
                {"write-keys", 3, WriteKeys},
                {"read-loop", 2, ReadLoop}};
    for (const auto& job : jobs) {
        if (a.size() == job.arguments + 2 && a[1] == job.name)
            return job.job(a);
    }
    return Failure("usage: korvane_windows_test_helper JOB ARGUMENTS...");
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
    return korvane::Run(korvane::cli::Utf8Arguments(argc, argv));
}
