// Settings files at the reader's 32 MB limit: what reading them (as the window and the command
// line do at start) and changing them (one custom unit added) cost, in time and in memory.
//
// Two shapes a hostile or broken file may take: 2.2 million tiny sections, and 8 million "a=1"
// lines in [Settings], which every read of a setting looks through. The baseline is reading the
// file's bytes into memory. Counters, as ratios within the same run:
//   time_vs_read    the operation's time over the baseline's (goal for a change: under 1 s)
//   peak_vs_file    the most heap memory in use at once, over the file's size (goals: a change
//                   4, a read 2)
// Reading is measured as at a start (the file last changed seconds ago) and just after a save,
// when every read looks at the file's bytes again.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <thread>

#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"
#include "app/FileAccess.h"
#include "app/ProfileStore.h"
#include "catalogue/UnitCatalogue.h"

namespace {

// Heap in use and its high-water mark, counted by the replaced global operators below.
std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* Allocate(std::size_t size) {
    // The size rides in front of the block, so the matching delete can count it off.
    void* block = std::malloc(size + alignof(std::max_align_t));
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = g_inUse += size;
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + alignof(std::max_align_t);
}

void Release(void* pointer) {
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - alignof(std::max_align_t);
    g_inUse -= *static_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace korvane {
namespace {

constexpr std::size_t kLimit = kMaxSettingsFileBytes;

// Room is left for the one unit the change adds.
constexpr std::size_t kRoom = 4096;

std::string ManySections() {
    std::string text = "[Settings]\nFormat=1\n";
    for (int n = 0; text.size() + 16 < kLimit - kRoom; ++n)
        text += "[s" + std::to_string(n) + "]\na=1\n";
    return text;
}

std::string ManyLines() {
    std::string text = "[Settings]\nFormat=1\n";
    while (text.size() + 4 < kLimit - kRoom)
        text += "a=1\n";
    return text;
}

class LargeFile {
  public:
    explicit LargeFile(const std::string& content) : size_(content.size()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvane-large-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
        content_ = content;
        Restore();
    }
    ~LargeFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    void Restore() const { std::ofstream(Path(), std::ios::binary) << content_; }
    std::string Path() const { return folder_ + "/Tabrivo.ini"; }
    double Size() const { return static_cast<double>(size_); }

  private:
    std::string folder_;
    std::string content_;
    std::size_t size_;
};

const LargeFile& FileOf(int shape) {
    static const LargeFile sections(ManySections());
    static const LargeFile lines(ManyLines());
    return shape == 0 ? sections : lines;
}

const char* ShapeName(int shape) {
    return shape == 0 ? "2.2M sections" : "8M a=1 lines";
}

// The time of the baseline, per shape, for the ratios of the other benchmarks.
double g_readSeconds[2] = {0, 0};

enum class Kind { Baseline, Settled, Fresh };

// `Settled`: the file was last changed seconds ago, as at most starts; `Fresh`: it was just
// saved, so every read looks at the file again.
template <typename Operation>
void Measure(benchmark::State& state, Operation operation, Kind kind = Kind::Fresh) {
    const int shape = static_cast<int>(state.range(0));
    const LargeFile& file = FileOf(shape);
    state.SetLabel(ShapeName(shape));
    double seconds = 0;
    std::size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        file.Restore();
        if (kind == Kind::Settled)
            std::this_thread::sleep_for(std::chrono::milliseconds(3200));
        g_peak = g_inUse.load();
        const std::size_t before = g_inUse.load();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        operation(file);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        peak = std::max(peak, g_peak.load() - before);
    }
    seconds /= static_cast<double>(state.iterations());
    if (kind == Kind::Baseline)
        g_readSeconds[shape] = seconds;
    state.counters["seconds"] = seconds;
    state.counters["peak_vs_file"] = static_cast<double>(peak) / file.Size();
    if (g_readSeconds[shape] > 0)
        state.counters["time_vs_read"] = seconds / g_readSeconds[shape];
}

void BM_BaselineReadBytes(benchmark::State& state) {
    Measure(
        state,
        [](const LargeFile& file) {
            benchmark::DoNotOptimize(file_access::ReadWholeFile(file.Path(), kLimit));
        },
        Kind::Baseline);
}

// What a start does with the file: the custom categories and units, and a few settings.
void ReadAsAStartDoes(const LargeFile& file) {
    ProfileStore store(file.Path());
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    LoadCustomUnits(store, catalogue);
    benchmark::DoNotOptimize(store.GetProfileInt("Settings", "Format", 0));
    benchmark::DoNotOptimize(store.GetProfileString("Settings", "LastCategory", ""));
}

void BM_ReadAtStart(benchmark::State& state) {
    Measure(state, ReadAsAStartDoes, Kind::Settled);
}

// Each read checks the file's bytes again; the index is kept while they are the same.
void BM_ReadJustAfterASave(benchmark::State& state) {
    Measure(state, ReadAsAStartDoes, Kind::Fresh);
}

void BM_AddCustomUnit(benchmark::State& state) {
    Measure(state, [](const LargeFile& file) {
        ProfileStore store(file.Path());
        UnitCatalogue catalogue;
        catalogue.LoadBuiltInTables();
        const int distance = catalogue.FindCategory("Distance");
        const CustomOutcome outcome =
            AddCustomUnit(catalogue, store, NewCustomUnit{distance, "Stride", "0.75", "meter"});
        if (!outcome.ok())
            std::abort();
    });
}

BENCHMARK(BM_BaselineReadBytes)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAtStart)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJustAfterASave)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddCustomUnit)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
