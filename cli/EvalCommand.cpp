#include "cli/EvalCommand.h"

#include <cmath>
#include <memory>
#include <string>

#include "catalogue/Conversion.h"
#include "catalogue/NumberText.h"
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/StandardStreams.h"
#include "expression/ZK_eval_math_expression.h"

namespace korvane::cli {

namespace {

struct EvalOptions {
    std::string expression;
    std::string x = "0";
    std::string y = "0";
    std::string z = "0";
    std::string t = "0";
};

// A variable's value is a number, not an expression: "pi" or "2abc" would otherwise read as the
// number at their start (0 and 2) without a word.
std::string CheckVariableValue(const std::string& text) {
    if (!IsPlainNumber(text)) {
        return "\"" + Printable(text) +
               "\" is not a plain number (digits with an optional sign, point and exponent)";
    }
    if (!std::isfinite(ReadAtof(text)))
        return "\"" + Printable(text) + "\" is out of range";
    return {};
}

}  // namespace

void AddEvalCommand(CLI::App& app, CliState& state) {
    auto options = std::make_shared<EvalOptions>();
    CLI::App* eval = app.add_subcommand("eval", "Evaluate an arithmetic expression");
    // A leading '-' before a letter or bracket reads as an option, so such an expression needs
    // the usual "--" in front of it.
    eval->add_option("EXPR", options->expression,
                     "The expression, e.g. 2*sin(pi/4). One that starts with '-' is a value "
                     "when a digit follows the '-' (-2*x) or when it is a plain number (-.5); "
                     "any other (-x, -(1+2), -.5*x) goes after --, which ends the options: "
                     "eval --x 2 -- -x")
        ->required();
    for (auto [name, value] : {std::pair{"--x", &options->x}, std::pair{"--y", &options->y},
                               std::pair{"--z", &options->z}, std::pair{"--t", &options->t}}) {
        eval->add_option(name, *value,
                         std::string("Value of the variable ") + (name + 2) +
                             ": a plain number such as 2, -.5 or 1e-3 (default 0)")
            ->type_name("V")
            ->check(CheckVariableValue);
    }
    eval->callback([options, &state] {
        const math_expression_check result = eval_math_expression_checked_xyzt(
            options->expression, ReadAtof(options->x), ReadAtof(options->y), ReadAtof(options->z),
            ReadAtof(options->t), 1);
        // A failed evaluation returns its error code as the value; a script reading standard
        // output must not take that for the result.
        if (result.error_reported) {
            std::cout << kErrorText << '\n' << std::flush;
            state.Report(kExitError);
        } else {
            std::cout << ShortestText(result.value) << '\n' << std::flush;
        }
    });
}

}  // namespace korvane::cli
