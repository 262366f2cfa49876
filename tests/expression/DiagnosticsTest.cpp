// What the evaluator writes: the diagnostic block byte for byte, the bracket checker's lines,
// the message table and formatter, and the help text.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "ExpressionTestSupport.h"

namespace korvane::expression::testing {
namespace {

const std::string kDashes(51, '-');

std::string Block(const std::string& name, int position, const std::string& text) {
    return kDashes + "\n" + name + "(): ERROR in math expression at the position " +
           std::to_string(position) + ":\n'" + text + "'\n" + kDashes + "\n";
}

std::string Block(const std::string& name, int position, const std::string& text, int code,
                  const std::string& message) {
    return Block(name, position, text) + "Error code = " + std::to_string(code) +
           ", error message: '" + message + "'\n" + kDashes + "\n";
}

TEST(DiagnosticBlock, FourLinesWithoutMessage) {
    const std::string out = Capture(
        [](std::FILE* f) { print_math_expression_error(f, "some_stage", "2+3)", "", 0, 21, 1); });
    EXPECT_EQ(out, Block("some_stage", 1, "2+3)"));
}

TEST(DiagnosticBlock, SixLinesWithMessage) {
    const std::string out = Capture([](std::FILE* f) {
        print_math_expression_error(f, "some_stage", "abc", "it failed", 2, 7, 1);
    });
    EXPECT_EQ(out, Block("some_stage", 3, "abc", 7, "it failed"));
}

TEST(DiagnosticBlock, NothingWhenNotPrinting) {
    EXPECT_EQ(Capture([](std::FILE* f) { print_math_expression_error(f, "s", "t", "m", 0, 1, 0); }),
              "");
}

TEST(DiagnosticBlock, UserTextIsNeverAFormat) {
    const CapturedEvaluation run = EvaluateCaptured("%s%n%d");
    EXPECT_EQ(run.output, Block("check_math_expression_for_correctness", 1, "%s%n%d", 2,
                                "not allowed symbol '%'") +
                              Block("eval_math_expression_xyzt", 1, "%s%n%d"));
}

TEST(Reporter, ClearSlotBecomesOne) {
    int slot = 0;
    EXPECT_EQ(report_math_expression_error("f", "x", "", 0, slot, 0), 1);
    EXPECT_EQ(slot, 1);
    slot = 17;
    EXPECT_EQ(report_math_expression_error("f", "x", "", 0, slot, 0), 17);
    EXPECT_EQ(slot, 17);

    int zero = 0;
    EvalContext c{.slot = zero, .print = true};
    const std::string out = Capture([&](std::FILE* f) {
        c.errors = f;
        Report(c, "f", "x", "message", 4);
    });
    EXPECT_EQ(out, Block("f", 5, "x", 1, "message"));
}

// The entry's own reports, and the stages' reports before them, in order.
TEST(EntryDiagnostics, WholeOutputs) {
    EXPECT_EQ(EvaluateCaptured("2+3)").output,
              "check_for_brackets_correctness_in_math_expression(): ERROR in position 4 of math "
              "expression:\n'2+3)'\n" +
                  Block("eval_math_expression_xyzt", 1, "2+3)"));
    EXPECT_EQ(EvaluateCaptured("(2+3").output,
              "check_for_brackets_correctness_in_math_expression(): ERROR in math expression:\n"
              "'(2+3'\n" +
                  Block("eval_math_expression_xyzt", 1, "(2+3"));
    EXPECT_EQ(EvaluateCaptured("2 + SQRT(-1)").output,
              Block("eval_one_argument_function_xyzt", 1, "sqrt", kSqrtOfNegative,
                    "negative argument: a < 0 in function sqrt(a) or sqr(a)") +
                  Block("eval_math_expression_xyzt", 1, "2 + SQRT(-1)"));
    EXPECT_EQ(EvaluateCaptured("1/0+2").output,
              Block("eval_correct_math_expression_xyzt", 3, "1/0+2", 18, "divide by 0!") +
                  Block("test_for_ZK_math_expression_result_correction", 1, "1/0+2", 13,
                        "result is INF") +
                  Block("eval_math_expression_xyzt", 1, "1/0+2", 13,
                        "result is not correct due to error"));
}

// Pieces show the text from their start to the end of the buffer they live in: the normalised
// copy, or the argument list of their call.
TEST(EntryDiagnostics, PiecesShowTheRestOfTheirBuffer) {
    EXPECT_EQ(EvaluateCaptured("2**3").output,
              Block("eval_correct_math_expression_xyzt", 3, "2**3", 16, "two operators follow") +
                  Block("evaluate_number", 1, "*3", 7, "Empty variable!"));
    EXPECT_EQ(EvaluateCaptured("max(,1)+1").output,
              Block("eval_correct_math_expression_xyzt", 1, ",1", 4, "empty expression!"));
    EXPECT_EQ(EvaluateCaptured("1.2.3+0").output,
              Block("evaluate_number", 4, "1.2.3+0", 27,
                    "Too much points in the number: wrong symbol '.'!"));
    EXPECT_EQ(
        EvaluateCaptured("(2)(3)+0").output,
        Block("eval_math_operand_xyzt", 1, "(2)(3)+0", 23, "last rigth bracket must be last") +
            Block("eval_math_operand_xyzt", 1, "(2)(3)+0", 5, "wrong expression!"));
    // An operator first is placed on the first character, in every stage that reports it.
    EXPECT_EQ(EvaluateCaptured("*2").output,
              Block("eval_correct_math_expression_xyzt", 1, "*2", 17,
                    "wrong operator '*' stands in start in expression") +
                  Block("eval_correct_math_expression_xyzt", 1, "*2", 16, "two operators follow") +
                  Block("evaluate_number", 1, "*2", 7, "Empty variable!"));
    EXPECT_EQ(EvaluateCaptured("2+").output, Block("find_first_free_operator_pos", 1, "2+", 15,
                                                   "operator can not be the last in expression"));
}

// A sign after "digits.e" is inside the number, so a fault after it is placed in that one
// operand.
TEST(EntryDiagnostics, ExponentAfterPointIsOneOperand) {
    EXPECT_EQ(EvaluateCaptured("5.e-3.5").output,
              Block("evaluate_number", 6, "5.e-3.5", 27,
                    "Too much points in the number: wrong symbol '.'!") +
                  Block("eval_math_expression_xyzt", 1, "5.e-3.5"));
    EXPECT_EQ(
        EvaluateCaptured("1+5.e+3e").output,
        Block("evaluate_number", 6, "5.e+3e", 26, "Too much 'e' in the number: wrong symbol 'e'!") +
            Block("eval_math_expression_xyzt", 1, "1+5.e+3e"));
}

TEST(EntryDiagnostics, PrintFlagSilencesAllButTheBracketChecker) {
    EXPECT_EQ(EvaluateCaptured("2+sqrt(-1)", 0).output, "");
    EXPECT_EQ(EvaluateCaptured("(2", 0).output,
              "check_for_brackets_correctness_in_math_expression(): ERROR in math expression:\n"
              "'(2'\n");
}

TEST(EntryDiagnostics, CheckedEntryPrintsNothing) {
    // The checked entry has no stream to write to; this only shows it still reports.
    const math_expression_check check = eval_math_expression_checked("(2");
    EXPECT_EQ(check.code, 22);
    EXPECT_EQ(check.first_code, 22);
    EXPECT_EQ(check.first_message, "too much left brackets");
}

TEST(EvaluateNumber, SignsOnlyInTheExponent) {
    int code = 0;
    EXPECT_EQ(::evaluate_number("+5", 2, code, 0), 0);
    EXPECT_EQ(code, 28);
    EXPECT_EQ(::evaluate_number("1e+-5", 5, code, 0), 0);
    EXPECT_EQ(code, 29);
    EXPECT_EQ(::evaluate_number("1e-5", 4, code, 0), 1e-5);
    EXPECT_EQ(code, 0);
    // Only the piece is read: the characters after it do not count.
    EXPECT_EQ(::evaluate_number("12.5.", 2, code, 0), 12);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(::evaluate_number("", 0, code, 0), 0);
    EXPECT_EQ(code, 7);
}

TEST(PositionsOfBrackets, FindsTheFirstTopLevelPair) {
    int code = -1;
    std::size_t left = 9;
    std::size_t right = 9;
    EXPECT_EQ(::positions_of_brackets("f(a(b))+(c)", 11, left, right, code, 0), 0);
    EXPECT_EQ(left, 1u);
    EXPECT_EQ(right, 6u);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(::positions_of_brackets("abc", 3, left, right, code, 0), 0);
    EXPECT_EQ(left + right, 0u);
    EXPECT_EQ(::positions_of_brackets("a)(", 3, left, right, code, 0), -1);
    EXPECT_EQ(code, 20);
    EXPECT_EQ(::positions_of_brackets("((a)", 4, left, right, code, 0), 1);
    EXPECT_EQ(code, 19);
    // The pair must close inside the piece, whatever follows it.
    EXPECT_EQ(::positions_of_brackets("(a))", 2, left, right, code, 0), 1);
    EXPECT_EQ(::positions_of_brackets(std::string(1024, 'a'), 1024, left, right, code, 0), 3);
}

// The stages' own entries write to the standard error stream, and only when asked to.
TEST(StageEntries, PrintFlagDecidesWhetherTheStandardErrorStreamHearsOfIt) {
    using ::testing::internal::CaptureStderr;
    using ::testing::internal::GetCapturedStderr;
    for (const int print : {0, 1}) {
        int code = 0;
        std::size_t left = 0;
        std::size_t right = 0;
        CaptureStderr();
        ::positions_of_brackets("a)(", 3, left, right, code, print);
        ::positions_of_brackets("((a)", 4, left, right, code, print);
        ::positions_of_brackets(std::string(1024, 'a'), 1024, left, right, code, print);
        const std::string brackets = GetCapturedStderr();
        CaptureStderr();
        ::evaluate_number("+5", 2, code, print);
        const std::string number = GetCapturedStderr();
        CaptureStderr();
        ::check_math_expression_for_correctness("2$3", print);
        const std::string check = GetCapturedStderr();
        if (print == 0) {
            EXPECT_EQ(brackets + number + check, "");
        } else {
            EXPECT_NE(brackets.find("positions_of_brackets"), std::string::npos) << brackets;
            EXPECT_NE(number.find("evaluate_number"), std::string::npos) << number;
            EXPECT_NE(check.find("not allowed symbol"), std::string::npos) << check;
        }
    }
}

TEST(MessageTable, KnownAndUnknownCodes) {
    std::string text;
    EXPECT_EQ(math_expression_error_message(text, 3), 0);
    EXPECT_EQ(text, "too long expression, can not be more than 1024 symbols");
    EXPECT_EQ(math_expression_error_message(text, 0), 0);
    EXPECT_EQ(text, "no error");
    EXPECT_EQ(math_expression_error_message(text, kAtan2pZeroDivisor), 0);
    EXPECT_EQ(text, "b = 0 value in function atan2(a,b) = arctg(a/b)");
    EXPECT_EQ(math_expression_error_message(text, 52), 1);
    EXPECT_EQ(text, "Unknown error code = 52. Please report for program author!");
    EXPECT_EQ(math_expression_error_message(text, -7), 1);
    EXPECT_EQ(text, "Unknown error code = -7. Please report for program author!");
}

TEST(MessageFormat, DirectivesAndLimits) {
    EXPECT_EQ(format_math_message("n=%d c='%c' s=%s 100%%", {-42, 'q', "text"}),
              "n=-42 c='q' s=text 100%");
    // A directive without an argument is kept as written.
    EXPECT_EQ(format_math_message("%d and %s", {1}), "1 and %s");
    EXPECT_EQ(format_math_message("%s", {std::string(6000, 'a')}).size(), 5119u);
    EXPECT_EQ(format_math_message("%s", {"%d%s%n"}), "%d%s%n");
}

TEST(HelpText, KeywordsPrintItAndReturnZero) {
    const CapturedEvaluation run = EvaluateCaptured("/H");
    EXPECT_EQ(run.value, 0);
    EXPECT_EQ(run.code, 0);
    const std::string& help = run.output;
    EXPECT_EQ(help.rfind(std::string(79, '-') + "\nHelp on the function:\n", 0), 0u);
    EXPECT_NE(help.find("ZK_MATH_EXPRESSION_LENGTH = 1024"), std::string::npos);
    EXPECT_NE(help.find("Synonyms of the function are:"), std::string::npos);
    EXPECT_NE(help.find("Result of the example should be -11.6857\n"), std::string::npos);
    std::size_t examples = 0;
    for (std::size_t at = help.find("should be  0.358661\n"); at != std::string::npos;
         at = help.find("should be  0.358661\n", at + 1)) {
        ++examples;
    }
    EXPECT_EQ(examples, 4u);
    EXPECT_NE(help.find("Numbers can be in digital format as usual: 0, 0.0, -58.00019e-12 and so "
                        "on.\nNOTE: 03.123 = 3.123.\n"),
              std::string::npos);
    EXPECT_NE(help.find("Code version 1.02\n"), std::string::npos);
    EXPECT_NE(help.find("Then result of the functions will be equal to 0.\n"), std::string::npos);
    const std::string tail = std::string(71, '-') + "\n";
    EXPECT_EQ(help.substr(help.size() - tail.size()), tail);
}

#ifndef _WIN32  // The child process that stands for a user at the pager needs fork.
// Paged help waits for Enter after each page; at the end of the input nobody is left to press
// it, so each page goes on at once instead of the program waiting for ever. The help runs in a
// child process so that a wait that never ends fails the test instead of hanging it.
TEST(HelpText, PagedHelpReturnsAtTheEndOfInput) {
    constexpr int kLinesPerPage = 10;
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int nothing = ::open("/dev/null", O_RDONLY);
        if (nothing < 0 || ::dup2(nothing, STDIN_FILENO) < 0)
            ::_exit(2);
        print_math_expression_help(out, kLinesPerPage);
        std::fflush(out);
        ::_exit(0);
    }
    int status = 0;
    pid_t ended = 0;
    for (int waited = 0; waited < 2000 && ended == 0; ++waited) {
        ended = ::waitpid(child, &status, WNOHANG);
        if (ended == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        std::fclose(out);
        FAIL() << "the paged help was still waiting for input 20 s after it ended";
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::string paged;
    std::rewind(out);
    char buffer[4096];
    for (std::size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        paged.append(buffer, n);
    std::fclose(out);
    const std::string whole = Capture([](std::FILE* f) { print_math_expression_help(f, 0); });
    const std::string prompt = "Press Enter to continue . . .";
    std::size_t prompts = 0;
    for (std::size_t at = paged.find(prompt); at != std::string::npos; at = paged.find(prompt)) {
        paged.erase(at, prompt.size());
        ++prompts;
    }
    EXPECT_EQ(paged, whole);
    EXPECT_EQ(prompts, static_cast<std::size_t>(std::count(whole.begin(), whole.end(), '\n')) /
                           kLinesPerPage);
}
#endif

TEST(HelpText, ListsEveryFunction) {
    const std::string help = Capture([](std::FILE* f) { print_math_expression_help(f, 0); });
    for (const char* name :
         {"e()", "pi()", "rand()", "rand(a,b)", "rand_close_open", "impuls", "step_minus",
          "value_over_value", "log2", "atan2p", "arccosec", "cosech", "arcosech", "acsch"}) {
        EXPECT_NE(help.find(name), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace korvane::expression::testing
