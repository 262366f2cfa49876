// What a free-form keystroke costs the window against the plain conversion request it replaces:
// reading "5 ft 7 3/8 in to cm" (normalising, splitting, the tiers over the catalogue, the
// category choice) and then the request itself, against the request for "12" alone.
#include <benchmark/benchmark.h>

#include "app/ConversionRequest.h"
#include "bench/LoadedCatalogue.h"
#include "catalogue/NumberText.h"
#include "query/FreeFormReader.h"

#include <string>

namespace {

using namespace korvane;

ConversionRequest DistanceRequest(const UnitCatalogue& catalogue, std::string input) {
    ConversionRequest request;
    request.category = catalogue.FindCategory("Distance");
    request.fromUnit = "inch";
    request.toUnit = "centimeter";
    request.input = std::move(input);
    return request;
}

void BM_Baseline_PlainRequest12(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const ConversionRequest request = DistanceRequest(catalogue, "12");
    for (auto _ : state) {
        ConversionResult result = RunConversionRequest(catalogue, request);
        benchmark::DoNotOptimize(result.output.data());
    }
}
BENCHMARK(BM_Baseline_PlainRequest12);

// The reading alone, then the reading and the request the window makes with it.
// The window builds the index once per catalogue and reads every keystroke with it.
void ReadText(benchmark::State& state, std::string_view text, bool convert) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const UnitTierIndex index(catalogue);
    query::ReadingContext context;
    context.index = &index;
    for (auto _ : state) {
        const query::ReadResult read = query::ReadFreeForm(catalogue, text, context);
        if (!read.reading) {
            state.SkipWithError("the text was not read");
            break;
        }
        if (convert) {
            ConversionRequest request =
                DistanceRequest(catalogue, ShortestText(read.reading->value));
            request.fromUnit = catalogue.UnitName(read.reading->category, read.reading->fromUnit);
            ConversionResult result = RunConversionRequest(catalogue, request);
            benchmark::DoNotOptimize(result.output.data());
        }
        benchmark::DoNotOptimize(read.reading->value);
    }
}

void BM_FreeForm_ReadMixedToTarget(benchmark::State& state) {
    ReadText(state, "5 ft 7 3/8 in to cm", false);
}
BENCHMARK(BM_FreeForm_ReadMixedToTarget);

void BM_FreeForm_KeystrokeMixedToTarget(benchmark::State& state) {
    ReadText(state, "5 ft 7 3/8 in to cm", true);
}
BENCHMARK(BM_FreeForm_KeystrokeMixedToTarget);

void BM_FreeForm_ReadPlural(benchmark::State& state) {
    ReadText(state, "2 liters", false);
}
BENCHMARK(BM_FreeForm_ReadPlural);

// A one-shot reading, as korvane-cli makes it: no index, every lookup scans the catalogue.
void BM_FreeForm_ReadMixedScanning(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    for (auto _ : state) {
        const query::ReadResult read = query::ReadFreeForm(catalogue, "5 ft 7 3/8 in to cm", {});
        benchmark::DoNotOptimize(read.reading);
    }
}
BENCHMARK(BM_FreeForm_ReadMixedScanning);

// Hostile texts: each must be answered well within a frame, indexed (the window) or scanning
// (korvane-cli). range(0) picks the text, range(1) the index.
std::string HostileText(int which) {
    std::string text;
    switch (which) {
        case 0:
            return std::string(10000, '9') + " m";  // refused at once: too long
        case 1:
            text = "1 m";
            for (int i = 0; i < 50; ++i)
                text += " in m";  // 50 separators within the limit
            return text;
        case 2:
            return std::string(120, '(') + "1" + std::string(120, ')') + " m to ft";
        default:
            text = "5";
            for (int i = 0; i < 60; ++i)
                text += " qq";  // a long run that names nothing
            return text;
    }
}

void BM_FreeForm_Hostile(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const UnitTierIndex index(catalogue);
    const std::string text = HostileText(static_cast<int>(state.range(0)));
    query::ReadingContext context;
    context.index = state.range(1) != 0 ? &index : nullptr;
    for (auto _ : state) {
        const query::ReadResult read = query::ReadFreeForm(catalogue, text, context);
        benchmark::DoNotOptimize(read.refusal.message.data());
    }
}
BENCHMARK(BM_FreeForm_Hostile)->ArgsProduct({{0, 1, 2, 3}, {0, 1}});

void BM_BuildIndex(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    for (auto _ : state) {
        const UnitTierIndex index(catalogue);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_BuildIndex);

// A refusal with a suggestion: the costliest path (the edit distance over every name).
void BM_FreeForm_RefuseMisspelling(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    for (auto _ : state) {
        const query::ReadResult read = query::ReadFreeForm(catalogue, "12 inchs to cm", {});
        benchmark::DoNotOptimize(read.refusal.message.data());
    }
}
BENCHMARK(BM_FreeForm_RefuseMisspelling);

}  // namespace
