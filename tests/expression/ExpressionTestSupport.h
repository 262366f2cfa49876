#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <string_view>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::expression::testing {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kPi = std::numbers::pi;

// Compares a value with an expectation that may be NaN or an infinity; a tolerance of 0 means
// "equal to within 4 ulps".
inline void ExpectValue(double actual, double expected, double tolerance = 0) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << "value " << actual;
    } else if (std::isinf(expected) || tolerance == 0) {
        EXPECT_DOUBLE_EQ(actual, expected);
    } else {
        EXPECT_NEAR(actual, expected, tolerance);
    }
}

// Runs `body` on a thread whose whole stack is `bytes`, as a small worker thread would have.
inline bool RunOnStack(std::size_t bytes, const std::function<void()>& body) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    if (pthread_attr_setstacksize(&attributes, bytes) != 0)
        return false;
    pthread_t thread;
    auto entry = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    const bool started =
        pthread_create(&thread, &attributes, entry, const_cast<std::function<void()>*>(&body)) == 0;
    pthread_attr_destroy(&attributes);
    if (started)
        pthread_join(thread, nullptr);
    return started;
}

// A temporary file, removed when it is closed. Windows's tmpfile makes its files in the root of
// the current drive under names that programs running side by side share, so it fails now and
// then there; a random name in the temporary folder instead.
inline std::FILE* OpenTemporaryFile() {
#ifdef _WIN32
    std::random_device random;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("korvane-capture-" + std::to_string(random()) + "-" + std::to_string(random()));
    return _wfopen(path.c_str(), L"w+bD");  // D: delete on close
#else
    return std::tmpfile();
#endif
}

// Everything written to a temporary file by `write`, byte for byte.
inline std::string Capture(const std::function<void(std::FILE*)>& write) {
    std::FILE* file = OpenTemporaryFile();
    if (file == nullptr)
        return "<no temporary file>";
    write(file);
    std::fflush(file);
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

// The documented entry with its diagnostics and help text sent to one captured stream.
struct CapturedEvaluation {
    double value = 0;
    int code = 0;
    int first_code = 0;
    std::string output;
};

inline CapturedEvaluation EvaluateCaptured(std::string_view text, int print_errors = 1,
                                           double x = 0, double y = 0, double z = 0, double t = 0,
                                           bool bracket_table = true) {
    CapturedEvaluation result;
    result.output = Capture([&](std::FILE* stream) {
        EvalContext c{.x = x,
                      .y = y,
                      .z = z,
                      .t = t,
                      .slot = result.code,
                      .print = print_errors != 0,
                      .errors = stream,
                      .output = stream,
                      .use_bracket_table = bracket_table};
        result.value = EvaluateEntry(c, text);
        result.first_code = c.first_code;
    });
    return result;
}

// gtest parameter names: the row's own name.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

}  // namespace korvane::expression::testing
