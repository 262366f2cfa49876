// One "Data Transfer" request the way a keystroke costs it: two unit lookups in the longest
// category, the conversion and the formatting. The baseline is the cheapest part alone
// (shortest to_chars of the same value), so the ratio shows what the rest adds.
#include <benchmark/benchmark.h>

#include <charconv>

#include "bench/LoadedCatalogue.h"
#include "catalogue/Conversion.h"
#include "catalogue/ResultFormat.h"
#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitLookup.h"

namespace {

using namespace korvane;

void BM_Baseline_ToChars(benchmark::State& state) {
    double value = 1234.5678;
    char buffer[64];
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        benchmark::DoNotOptimize(result.ptr);
    }
}
BENCHMARK(BM_Baseline_ToChars);

void BM_DataTransferRequest(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const int category = catalogue.FindCategory("Data Transfer");
    // Late in the table, so both lookups scan nearly the whole category.
    const std::string from = "Virtual Tributary 6 (signal)";
    const std::string to = "VLB";
    const ResultFormat format;
    double input = 3.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(input);
        const int a = catalogue.FindUnit(category, from);
        const int b = catalogue.FindUnit(category, to);
        const double value = ConvertLinear(input, catalogue.UnitFactor(category, a),
                                           catalogue.UnitFactor(category, b));
        std::string text = FormatResult(value, format);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DataTransferRequest);

void BM_FindCategoryLast(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue.FindCategory("Volume (Dry)"));
}
BENCHMARK(BM_FindCategoryLast);

// The lookup of a typed unit text against the plain exact FindUnit: the last "Distance" unit
// (of 100) by its exact name, by its abbreviation and by part of its name. The exact FindUnit
// is the baseline; the looser kinds first try the stricter ones and fail.
void BM_FindUnitExact_Baseline(benchmark::State& state) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const int category = catalogue.FindCategory("Distance");
    const std::string name = "yard";
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue.FindUnit(category, name));
}
BENCHMARK(BM_FindUnitExact_Baseline);

void BM_LookUpUnit(benchmark::State& state, const char* text) {
    const UnitCatalogue& catalogue = LoadedCatalogue();
    const int category = catalogue.FindCategory("Distance");
    for (auto _ : state) {
        UnitLookup lookup = LookUpUnit(catalogue, category, text);
        benchmark::DoNotOptimize(lookup.units.data());
    }
}
BENCHMARK_CAPTURE(BM_LookUpUnit, ExactName, "yard");
BENCHMARK_CAPTURE(BM_LookUpUnit, Abbreviation, "yd");
BENCHMARK_CAPTURE(BM_LookUpUnit, PartOfName, "yar");

// Without a category: the pair search over every category, as `korvane-cli convert 12 in cm`.
void BM_FindPair(benchmark::State& state, const char* from, const char* to) {
    const UnitFinder finder(LoadedCatalogue());
    for (auto _ : state) {
        UnitPairLookup pair = finder.FindPair(from, to);
        benchmark::DoNotOptimize(pair.categories.data());
    }
}
BENCHMARK_CAPTURE(BM_FindPair, ExactNames, "inch", "centimeter");
BENCHMARK_CAPTURE(BM_FindPair, Abbreviations, "in", "cm");
BENCHMARK_CAPTURE(BM_FindPair, PartOfName, "kilomet", "mile");

// The same with the index a batch builds once.
void BM_FindPairIndexed(benchmark::State& state, const char* from, const char* to) {
    const UnitFinder finder(LoadedCatalogue(), UnitFinder::Index::ExactNames);
    for (auto _ : state) {
        UnitPairLookup pair = finder.FindPair(from, to);
        benchmark::DoNotOptimize(pair.categories.data());
    }
}
BENCHMARK_CAPTURE(BM_FindPairIndexed, ExactNames, "inch", "centimeter");
BENCHMARK_CAPTURE(BM_FindPairIndexed, Abbreviations, "in", "cm");
BENCHMARK_CAPTURE(BM_FindPairIndexed, PartOfName, "kilomet", "mile");

void BM_LoadBuiltInTables(benchmark::State& state) {
    for (auto _ : state) {
        UnitCatalogue catalogue;
        catalogue.LoadBuiltInTables();
        benchmark::DoNotOptimize(&catalogue);
    }
}
BENCHMARK(BM_LoadBuiltInTables);

}  // namespace
