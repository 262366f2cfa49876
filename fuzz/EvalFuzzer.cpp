// Feeds arbitrary bytes to the evaluator. Besides the sanitizers, it checks what must hold for
// every text: the returned value follows the documented precedence, the checked entry agrees
// with the documented one, and skipping bracket groups through the match table changes nothing,
// diagnostics included.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace {

using korvane::expression::EvalContext;

struct Run {
    double value = 0;
    int code = 0;
    int first_code = 0;
    std::string output;
};

// The documented entry with everything it writes sent to memory.
Run Evaluate(std::string_view text, bool bracket_table) {
    Run run;
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr)
        std::abort();
    korvane::expression::SeedRandomIntegers(1);
    EvalContext c{.x = 0.5,
                  .y = -2,
                  .z = 3,
                  .t = 0,
                  .slot = run.code,
                  .print = true,
                  .errors = stream,
                  .output = stream,
                  .use_bracket_table = bracket_table};
    run.value = korvane::expression::EvaluateEntry(c, text);
    run.first_code = c.first_code;
    std::fclose(stream);
    run.output.assign(buffer, size);
    std::free(buffer);
    return run;
}

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    korvane::expression::SeedRandomIntegers(1);
    const math_expression_check check = eval_math_expression_checked_xyzt(text, 0.5, -2, 3, 0, 0);
    Require(check.code >= 0 && check.code <= 51);
    if (check.code == 12) {
        Require(std::isnan(check.value));
    } else if (check.code == 13) {
        Require(std::isinf(check.value));
    } else if (check.code != 0) {
        Require(check.value == check.code);
    } else {
        Require(std::isfinite(check.value));
    }
    Require(check.error_reported == (check.first_code != 0));
    Require(check.first_message.empty() == !check.error_reported);
    Require(check.code == 0 || check.error_reported);
    // The place of the first error lies in the text (or just past it), never elsewhere.
    Require(check.first_position == std::string_view::npos ||
            (check.error_reported && check.first_position <= text.size()));

    const Run fast = Evaluate(text, true);
    const Run plain = Evaluate(text, false);
    Require(fast.output == plain.output);
    Require(fast.code == plain.code && fast.first_code == plain.first_code);
    Require(Same(fast.value, plain.value));
    Require(fast.code == check.code && fast.first_code == check.first_code);
    Require(Same(fast.value, check.value));
    return 0;
}
