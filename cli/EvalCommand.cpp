#include "cli/EvalCommand.h"

#include <iostream>
#include <memory>
#include <string>

#include "catalogue/NumberText.h"
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

}  // namespace

void AddEvalCommand(CLI::App& app, CliState& state) {
    auto options = std::make_shared<EvalOptions>();
    CLI::App* eval = app.add_subcommand("eval", "Evaluate an arithmetic expression");
    // A leading '-' before a letter or bracket reads as an option, so such an expression needs
    // the usual "--" in front of it.
    eval->add_option("EXPR", options->expression,
                     "The expression, e.g. 2*sin(pi/4); one that starts with '-' goes after --, "
                     "as in: eval --x 2 -- -x")
        ->required();
    eval->add_option("--x", options->x, "Value of the variable x (default 0)")->type_name("V");
    eval->add_option("--y", options->y, "Value of the variable y (default 0)")->type_name("V");
    eval->add_option("--z", options->z, "Value of the variable z (default 0)")->type_name("V");
    eval->add_option("--t", options->t, "Value of the variable t (default 0)")->type_name("V");
    eval->callback([options, &state] {
        const math_expression_check result = eval_math_expression_checked_xyzt(
            options->expression, ReadAtof(options->x), ReadAtof(options->y), ReadAtof(options->z),
            ReadAtof(options->t), 1);
        std::cout << ShortestText(result.value) << '\n' << std::flush;
        if (result.error_reported)
            state.Report(kExitError);
    });
}

}  // namespace korvane::cli
