// Evaluator timings. Read the figures as ratios against the baselines of the same run: reading
// the number "6" with the locale-free reader, and strlen over the same text.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "catalogue/NumberText.h"
#include "expression/ZK_eval_math_expression.h"

namespace {

const std::string kHelpExample1 =
    "sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))-exp(1e-0.6)+x-y*z/t-0010.0100";
const std::string kHelpExample2 = "sin(-50.01+10^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))";

std::string FlatSum() {
    std::string text = "1";
    while (text.size() + 2 <= 1023)
        text += "+1";
    return text;
}

std::string Nest(const std::string& open, const std::string& inner, const std::string& close,
                 int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

void Evaluate(benchmark::State& state, const std::string& text, double x, double y, double z,
              double t) {
    for (auto _ : state) {
        int code = 0;
        benchmark::DoNotOptimize(eval_math_expression_xyzt(text, x, y, z, t, code, 0));
        benchmark::DoNotOptimize(code);
    }
    state.SetLabel(std::to_string(text.size()) + " chars");
}

void BaselineReadAtof(benchmark::State& state) {
    const std::string six = "6";
    for (auto _ : state)
        benchmark::DoNotOptimize(korvane::ReadAtof(six));
}

void BaselineStrlen(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        const char* data = text.c_str();
        benchmark::DoNotOptimize(data);
        benchmark::DoNotOptimize(std::strlen(data));
    }
    state.SetLabel(std::to_string(text.size()) + " chars");
}

const std::string kFlatSum = FlatSum();
const std::string kNesting511 = Nest("(", "1", ")", 511);
const std::string kCalls340 = Nest("d(", "1", ")", 340);

}  // namespace

BENCHMARK(BaselineReadAtof);
BENCHMARK_CAPTURE(BaselineStrlen, help_example_1, kHelpExample1);
BENCHMARK_CAPTURE(BaselineStrlen, flat_sum_1023, kFlatSum);
BENCHMARK_CAPTURE(Evaluate, product_2x3, std::string("2*3"), 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, mixed_fraction, std::string("2+3/4"), 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, call_and_constant, std::string("sin(pi/4)*3"), 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, help_example_1, kHelpExample1, 0.1, 0.2, 0.3, -0.4);
BENCHMARK_CAPTURE(Evaluate, help_example_2, kHelpExample2, 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, flat_sum_1023, kFlatSum, 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, nesting_511_brackets, kNesting511, 0, 0, 0, 0);
BENCHMARK_CAPTURE(Evaluate, nesting_340_calls, kCalls340, 0, 0, 0, 0);
