// What one keystroke costs the window: the whole conversion request (unit lookups, evaluation,
// conversion, formatting, labels). The baseline is formatting the result alone, the part no
// request can skip.
#include <benchmark/benchmark.h>

#include "app/ConversionRequest.h"
#include "bench/LoadedCatalogue.h"

namespace {

using namespace korvane;

void BM_Baseline_FormatResult(benchmark::State& state) {
    double value = 600;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = FormatResult(value, ResultFormat{});
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_Baseline_FormatResult);

void RunRequest(benchmark::State& state, std::string_view category, std::string_view from,
                std::string_view to, std::string_view input) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    ConversionRequest request;
    request.category = catalogue.FindCategory(category);
    request.fromUnit = std::string(from);
    request.toUnit = std::string(to);
    request.input = std::string(input);
    for (auto _ : state) {
        ConversionResult result = RunConversionRequest(catalogue, request);
        benchmark::DoNotOptimize(result.output.data());
    }
}

void BM_Keystroke_DistanceExpression(benchmark::State& state) {
    RunRequest(state, "Distance", "meter", "centimeter", "2*3");
}
BENCHMARK(BM_Keystroke_DistanceExpression);

void BM_Keystroke_DataTransferLateUnit(benchmark::State& state) {
    RunRequest(state, "Data Transfer", "Virtual Tributary 6 (signal)", "VLB", "2*3");
}
BENCHMARK(BM_Keystroke_DataTransferLateUnit);

}  // namespace
