// One key read and one key written on a settings file of realistic size: 42 category sections
// with their "Visibility" key, the general settings, and 5 custom categories of 10 units each.
// The baselines are the bare file operations underneath: reading the whole file into a string,
// and replacing it durably (temporary file, flush, rename) without lock, parse or change.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "app/CustomUnitStorage.h"
#include "app/FileAccess.h"
#include "app/ProfileStore.h"
#include "app/Settings.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {
namespace {

std::string RealisticSettings() {
    std::string text =
        "[Settings]\nFormat=1\nPrecision=5\nShowAbbreviation=TRUE\nOnTop=FALSE\n"
        "RememberCategory=TRUE\nLastCategory=Viscosity (Kinematic)\nLastUnitTo=3\n"
        "LastUnitFrom=7\n";
    for (int n = 1; n <= 5; ++n)
        text += "Custom_" + std::to_string(n) + "=custom category " + std::to_string(n) + "\n";
    for (int c = 0; c < kBuiltInCategories; ++c) {
        text += "\n[Built-in category number " + std::to_string(c) + "]\nVisibility=1\n";
    }
    for (int n = 1; n <= 5; ++n) {
        text += "\n[custom category " + std::to_string(n) + "]\n";
        for (int u = 1; u <= 10; ++u) {
            text += "CustomUnit_" + std::to_string(u) + "=Custom unit " + std::to_string(u) + "\n";
            text += "CustomValue_" + std::to_string(u) + "=" + FactorText(u * 0.3) + "\n";
        }
        text += "CustomUnits=10\n";
    }
    return text;
}

// Two copies of the file in a temporary folder: one left alone for reading (old enough for its
// content to be cached), one for writing.
class BenchFiles {
  public:
    BenchFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
        content_ = RealisticSettings();
        std::ofstream(ReadPath(), std::ios::binary) << content_;
        std::ofstream(WritePath(), std::ios::binary) << content_;
        // A file changed in the last seconds is re-read on every access; wait that out once.
        std::this_thread::sleep_for(std::chrono::milliseconds(3200));
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string ReadPath() const { return folder_ + "/read.ini"; }
    std::string WritePath() const { return folder_ + "/write.ini"; }
    const std::string& Content() const { return content_; }

  private:
    std::string folder_;
    std::string content_;
};

const BenchFiles& Files() {
    static const BenchFiles files;
    return files;
}

// Made before the first benchmark runs, so no benchmark's timing includes the wait.
[[maybe_unused]] const bool kFilesReady = (Files(), true);

void BM_BaselineReadWholeFile(benchmark::State& state) {
    const std::string path = Files().ReadPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(Files().Content().size()));
}
BENCHMARK(BM_BaselineReadWholeFile);

// The usual case: the file has not changed since the last read, so one stat() decides.
void BM_ReadOneKey(benchmark::State& state) {
    const ProfileStore store(Files().ReadPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.GetProfileString("Settings", "LastCategory", "NONE"));
    }
}
BENCHMARK(BM_ReadOneKey);

// The first read, or the first after another program changed the file: read and parse it all.
void BM_ReadOneKeyAfterChange(benchmark::State& state) {
    for (auto _ : state) {
        const ProfileStore store(Files().ReadPath());
        benchmark::DoNotOptimize(store.GetProfileString("Settings", "LastCategory", "NONE"));
    }
}
BENCHMARK(BM_ReadOneKeyAfterChange);

// What start-up reads: custom categories and units, visibility, format and flags.
void BM_StartUpReads(benchmark::State& state) {
    UnitCatalogue catalogue;
    for (auto _ : state) {
        catalogue.LoadBuiltInTables();
        const ProfileStore store(Files().ReadPath());
        LoadCustomUnits(store, catalogue);
        benchmark::DoNotOptimize(ReadVisibility(store, catalogue));
        benchmark::DoNotOptimize(ReadResultFormat(store));
        benchmark::DoNotOptimize(ReadFlag(store, SettingsFlag::ShowAbbreviation));
        benchmark::DoNotOptimize(ReadFlag(store, SettingsFlag::OnTop));
    }
}
BENCHMARK(BM_StartUpReads);

void BM_BaselineLoadBuiltInTables(benchmark::State& state) {
    UnitCatalogue catalogue;
    for (auto _ : state) {
        catalogue.LoadBuiltInTables();
        benchmark::DoNotOptimize(catalogue.UnitCount(0));
    }
}
BENCHMARK(BM_BaselineLoadBuiltInTables);

void BM_BaselineReplaceFile(benchmark::State& state) {
    const std::string path = Files().WritePath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(file_access::ReplaceFileContent(path, Files().Content()));
    }
}
BENCHMARK(BM_BaselineReplaceFile)->Unit(benchmark::kMicrosecond);

// Lock, re-read, change one key, replace durably. The value alternates so every write changes
// the file.
void BM_WriteOneKey(benchmark::State& state) {
    ProfileStore store(Files().WritePath());
    int precision = 5;
    for (auto _ : state) {
        precision = precision == 5 ? 6 : 5;
        if (!store.WriteProfileInt("Settings", "Precision", precision).ok()) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteOneKey)->Unit(benchmark::kMicrosecond);

// A write that finds the value already stored: no replace, so no flush.
void BM_WriteUnchangedKey(benchmark::State& state) {
    ProfileStore store(Files().WritePath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.WriteProfileString("Settings", "OnTop", "FALSE"));
    }
}
BENCHMARK(BM_WriteUnchangedKey)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane
