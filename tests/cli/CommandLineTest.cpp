#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliState.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/EvalCommand.h"
#include "cli/SettingsCommands.h"

namespace korvane::cli {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// One run of the command line on a fresh program, without a settings file.
Outcome RunWith(std::vector<std::string> arguments,
                const std::function<void(CLI::App&, CliState&)>& addCommands) {
    CLI::App app;
    app.require_subcommand(1, 1);
    app.fallthrough();
    CliState state;
    state.useSettings = false;
    AddSettingsOptions(app, state);
    addCommands(app, state);
    arguments.insert(arguments.begin(), "korvane-cli");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunCommandLine(app, state, static_cast<int>(argv.size()), argv.data());
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

Outcome RunCli(std::vector<std::string> arguments) {
    return RunWith(std::move(arguments), [](CLI::App& app, CliState& state) {
        AddConvertCommand(app, state);
        AddEvalCommand(app, state);
    });
}

TEST(CommandLineTest, PlainNumbers) {
    for (const char* text : {"0", "-0", "2", "-.5", "+.5", "1e3", "-1E-3", "5.", "5.e-3"})
        EXPECT_TRUE(IsPlainNumber(text)) << text;
    for (const char* text :
         {"", "pi", "2abc", "nan", "inf", "-", ".", "-.", " 2", "2 ", "0x10", "1e", "1,5", "--5"})
        EXPECT_FALSE(IsPlainNumber(text)) << text;
}

struct CliRow {
    const char* label;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;  // a part of the standard error stream
};

TEST(CommandLineTest, NumbersAreValuesWhereverTheyStand) {
    const CliRow rows[] = {
        {"point after the minus", {"convert", "-.5", "meter", "centimeter"}, 0, "-50\n", ""},
        {"exponent", {"convert", "-1e3", "meter", "centimeter"}, 0, "-100000\n", ""},
        {"after an option", {"convert", "--precision", "1", "-.5", "m", "cm"}, 0, "-50\n", ""},
        {"after --", {"convert", "--", "-.5", "meter", "centimeter"}, 0, "-50\n", ""},
        {"an option's value", {"eval", "--x", "-.25", "x"}, 0, "-0.25\n", ""},
        {"the expression", {"eval", "-.5e1"}, 0, "-5\n", ""},
        {"the same text twice", {"eval", "--x", "-.5", "--y", "-.5", "x+y"}, 0, "-1\n", ""},
        {"an expression is still an option",
         {"convert", "-pi", "radian", "degree"},
         2,
         "",
         "not expected: -pi"},
        // The rule the help gives for when -- is needed.
        {"a digit after the minus", {"convert", "-2*pi", "radian", "degree"}, 0, "-360\n", ""},
        {"a point number in an expression",
         {"convert", "-.5*2", "m", "cm"},
         2,
         "",
         "not expected: -.5*2"},
        {"the same after --", {"convert", "--", "-.5*2", "m", "cm"}, 0, "-100\n", ""},
        {"an extra number is named as typed",
         {"convert", "1", "m", "cm", "-.5"},
         2,
         "",
         "not expected: -.5\n"},
    };
    for (const CliRow& row : rows) {
        SCOPED_TRACE(row.label);
        const Outcome run = RunCli(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
}

TEST(CommandLineTest, StandInsGiveBackTheArgumentsAsTyped) {
    // The user typed the stand-in's text too: both must come back unchanged.
    const char* argv[] = {"korvane-cli", "--value", "-.5", " -.5", "-.5e1", "-5"};
    const NumberArguments numbers(6, argv);
    EXPECT_EQ(numbers.Arguments(), (std::vector<std::string>{"korvane-cli", "--value", "  -.5",
                                                             " -.5", "  -.5e1", "-5"}));

    CLI::App app;
    std::string value;
    std::vector<std::string> rest;
    app.add_option("--value", value);
    app.add_option("REST", rest);
    numbers.RestoreIn(app);
    std::vector<const char*> prepared;
    for (const std::string& argument : numbers.Arguments())
        prepared.push_back(argument.c_str());
    app.parse(static_cast<int>(prepared.size()), prepared.data());
    EXPECT_EQ(value, "-.5");
    EXPECT_EQ(rest, (std::vector<std::string>{" -.5", "-.5e1", "-5"}));
}

TEST(CommandLineTest, VariableValuesArePlainNumbers) {
    const CliRow rows[] = {
        {"constant", {"eval", "--x", "pi", "x"}, 2, "", "--x: \"pi\" is not a plain number"},
        {"trailing letters", {"eval", "--y", "2abc", "y"}, 2, "", "\"2abc\" is not a plain"},
        {"nan", {"eval", "--z", "nan", "z"}, 2, "", "\"nan\" is not a plain number"},
        {"empty", {"eval", "--t", "", "t"}, 2, "", "\"\" is not a plain number"},
        {"expression", {"eval", "--x", "1+1", "x"}, 2, "", "\"1+1\" is not a plain number"},
        {"overflow", {"eval", "--x", "1e999", "x"}, 2, "", "\"1e999\" is out of range"},
        {"underflow reads as 0", {"eval", "--x", "1e-999", "x"}, 0, "0\n", ""},
        {"plain", {"eval", "--x", "2", "--t", "5.e-3", "x+t"}, 0, "2.005\n", ""},
    };
    for (const CliRow& row : rows) {
        SCOPED_TRACE(row.label);
        const Outcome run = RunCli(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
}

TEST(CommandLineTest, AnyExceptionEndsWithAMessageAndTheUsageStatus) {
    const auto throwing = [](auto thrown) {
        return [thrown](CLI::App& app, CliState&) {
            app.add_subcommand("fail", "")->callback([thrown] { throw thrown; });
        };
    };
    const Outcome standard = RunWith({"fail"}, throwing(std::runtime_error("disk on fire")));
    EXPECT_EQ(standard.status, kExitUsage);
    EXPECT_EQ(standard.err, "korvane-cli: unexpected error: disk on fire\n");

    const Outcome other = RunWith({"fail"}, throwing(42));
    EXPECT_EQ(other.status, kExitUsage);
    EXPECT_EQ(other.err, "korvane-cli: unexpected error\n");

    std::ostringstream err;
    EXPECT_EQ(ReportUnexpectedError(std::make_exception_ptr(std::bad_alloc()), err), kExitUsage);
    EXPECT_NE(err.str().find("unexpected error"), std::string::npos);
}

TEST(CommandLineTest, SettingsPathWithoutAFileSaysSo) {
    const Outcome empty = RunWith({"--settings", "", "settings-path"}, [](CLI::App&, CliState&) {});
    EXPECT_EQ(empty.status, kExitUsage);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "korvane-cli: --settings names no file\n");
}

}  // namespace
}  // namespace korvane::cli
