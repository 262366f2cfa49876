// Hostile input: the deepest nesting on a small stack, arbitrary bytes, and invariants that hold
// for every text whatever it holds.

#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ExpressionTestSupport.h"
#include "tests/GuardedText.h"

namespace korvane::expression::testing {
namespace {

// A worker thread's stack: the deepest expression must evaluate within it. AddressSanitizer
// surrounds every local with red zones, so its frames are about half as big again and the
// stack is scaled to match; the product's own builds get the bare 256 KiB.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStackScale = 3;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kStackScale = 3;
#else
constexpr std::size_t kStackScale = 1;
#endif
#else
constexpr std::size_t kStackScale = 1;
#endif
constexpr std::size_t kSmallStack = 256 * 1024 * kStackScale;

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

void CheckInvariants(const std::string& text);

struct DeepRow {
    std::string name;
    std::string text;
    double value;
    int code;
};

void PrintTo(const DeepRow& row, std::ostream* out) {
    *out << row.name;
}

class DeepNesting : public ::testing::TestWithParam<DeepRow> {};

TEST_P(DeepNesting, EvaluatesOnASmallStack) {
    const DeepRow& row = GetParam();
    ASSERT_LE(row.text.size(), 1100u);
    math_expression_check check{};
    CapturedEvaluation printed;
    ASSERT_TRUE(RunOnStack(kSmallStack, [&] {
        check = eval_math_expression_checked(row.text);
        printed = EvaluateCaptured(row.text);
    }));
    ExpectValue(check.value, row.value);
    EXPECT_EQ(check.code, row.code);
    ExpectValue(printed.value, row.value);
    EXPECT_EQ(printed.code, row.code);
    CheckInvariants(row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Deepest, DeepNesting,
    ::testing::Values(DeepRow{"Brackets511", Nest("(", "1", ")", 511), 1, 0},
                      DeepRow{"Brackets512AreTooLong", Nest("(", "1", ")", 512), 3, 3},
                      DeepRow{"BracketsWithErrorAtTheBottom", Nest("(", ".", ")", 511), 2, 2},
                      DeepRow{"OneLetterCalls340", Nest("d(", "1", ")", 340), 1, 0},
                      DeepRow{"EmptyCallAtTheBottom", Nest("d(", "", ")", 340), 9, 9},
                      DeepRow{"Calls204", Nest("sin(", "0", ")", 204), 0, 0},
                      DeepRow{"TwoArgumentCalls146", Nest("max(0,", "1", ")", 146), 1, 0},
                      DeepRow{"NegatedBrackets340", Nest("-(", "1", ")", 340), 1, 0},
                      DeepRow{"SumsInBrackets255", Nest("1+(", "1", ")", 255), 256, 0},
                      DeepRow{"PowersInProducts170", Nest("1*1^(", "1", ")", 170), 1, 0},
                      // A run of operators recurses once per character, twice as deep as the
                      // deepest bracket nesting: every '^' after the first opens a sub-expression.
                      DeepRow{"CaretRun1023", Nest("^", "", "", 1023), 7, 7},
                      DeepRow{"PowerTower511", Nest("2^", "2", "", 511), kInf, 13},
                      DeepRow{"OpenBrackets1023", std::string(1023, '('), 22, 22},
                      DeepRow{"CloseBrackets1023", std::string(1023, ')'), 21, 21}),
    RowName<DeepRow>);

// Checks what must hold for any text: the returned value follows the documented precedence, and
// the checked entry agrees with the documented one.
void CheckInvariants(const std::string& text) {
    int code = 0;
    const double value = eval_math_expression_xyzt(text, 0, 0, 0, 0, code, 0);
    const math_expression_check check = eval_math_expression_checked(text);
    SCOPED_TRACE(text);
    ASSERT_GE(code, 0);
    ASSERT_LE(code, kLastTableCode);
    ASSERT_EQ(check.code, code);
    if (code == 12) {
        ASSERT_TRUE(std::isnan(value));
    } else if (code == 13) {
        ASSERT_TRUE(std::isinf(value));
    } else if (code != 0) {
        ASSERT_EQ(value, code);
    } else {
        ASSERT_TRUE(std::isfinite(value));
    }
    if (!std::isnan(value)) {
        ASSERT_EQ(check.value, value);
    }
    ASSERT_EQ(check.error_reported, check.first_code != 0);
    if (code != 0) {
        ASSERT_TRUE(check.error_reported);
    }
    // Skipping bracket groups through the table must change nothing, diagnostics included.
    const CapturedEvaluation fast = EvaluateCaptured(text, 1, 0, 0, 0, 0, true);
    const CapturedEvaluation plain = EvaluateCaptured(text, 1, 0, 0, 0, 0, false);
    ASSERT_EQ(fast.output, plain.output);
    ASSERT_EQ(fast.code, plain.code);
    ASSERT_EQ(fast.first_code, plain.first_code);
    ASSERT_TRUE(fast.value == plain.value || (std::isnan(fast.value) && std::isnan(plain.value)));
}

TEST(BadInput, EverySingleByte) {
    for (int b = 0; b < 256; ++b) {
        const std::string text(1, static_cast<char>(b));
        CheckInvariants(text);
        CheckInvariants("2" + text + "3");
        if (b >= 128) {
            EXPECT_EQ(eval_math_expression_checked("x" + text).code, 2);
        }
    }
}

TEST(BadInput, EmbeddedNulIsACharacter) {
    EXPECT_EQ(eval_math_expression_checked(std::string("2\0"
                                                       "3",
                                                       3))
                  .code,
              2);
}

TEST(BadInput, OperatorsAtBothEnds) {
    for (const char* text : {"+2+", "*2*", "^2^", "/2/", "-2-", "+", "*", "(+)", "(*)", "max(+,*)",
                             "sin(^)", "2+(3*)", "-(-(-", "1,2", ",", "(,)", "max(1,,2)"}) {
        CheckInvariants(text);
    }
}

// The stages read only the piece they are given: with nothing readable just before or just
// after it, a piece evaluates as it does in ordinary memory.
TEST(BadInput, StagesReadNothingOutsideTheirPiece) {
    using korvane::testing::GuardedText;
    for (const std::string_view piece :
         {".e-3", "5.e-3", "2*5.e-3", ".e+2*x", "1e+5-2", "e-3", "2e", "(2+3)*4", "-5.e-3",
          "max(5.e-3,1.e-2)", "x^2-.5", "sin(", "2+", ")", "pi"}) {
        const std::string copy(piece);
        int plainSlot = 0;
        EvalContext plain{.slot = plainSlot};
        const ME_TYPE expected = eval_correct_math_expression_xyzt(plain, copy, copy.size());
        for (const auto guard : {GuardedText::Guard::Before, GuardedText::Guard::After}) {
            const GuardedText guarded(piece, guard);
            ASSERT_TRUE(guarded.Ready());
            int slot = 0;
            EvalContext c{.slot = slot};
            ExpectValue(eval_correct_math_expression_xyzt(c, guarded.View(), piece.size()),
                        expected);
            EXPECT_EQ(slot, plainSlot) << piece;
        }
    }
}

TEST(BadInput, RandomTextsKeepTheInvariants) {
    std::mt19937 generator(20240611);
    const std::string alphabet = "0123456789.e+-*/^(),xyztsinpamd_ E";
    std::uniform_int_distribution<std::size_t> length(0, 1100);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 600; ++round) {
        std::string text(length(generator) / (round % 10 == 0 ? 1 : 20), ' ');
        for (char& c : text) {
            c = byte(generator) < 4 ? static_cast<char>(byte(generator))
                                    : alphabet[pick(generator)];
        }
        CheckInvariants(text);
    }
}

TEST(Reentrancy, ThreadsGetTheSameResults) {
    const std::string text =
        "sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))-exp(1e-0.6)+x-y*z/t-0010.0100";
    const double expected = eval_math_expression_xyzt(text, 0.1, 0.2, 0.3, -0.4);
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] {
            for (int n = 0; n < 500; ++n) {
                int code = 0;
                const double v = eval_math_expression_xyzt(text, 0.1, 0.2, 0.3, -0.4, code, 0);
                const math_expression_check bad = eval_math_expression_checked("2+sqrt(-1)");
                if (v != expected || code != 0 || bad.first_message.empty())
                    ++mismatches[i];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
}

}  // namespace
}  // namespace korvane::expression::testing
