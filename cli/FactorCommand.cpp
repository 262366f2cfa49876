#include "cli/FactorCommand.h"

#include <memory>
#include <string>

#include "catalogue/ConversionFactor.h"
#include "cli/StandardStreams.h"
#include "cli/UnitChoice.h"

namespace korvane::cli {

namespace {

struct FactorOptions {
    std::string from;
    std::string to;
    std::string category;
};

// The units are found exactly as `convert` finds them, so a pair that converts has a factor
// line and a pair that does not is refused with the same words.
void RunFactor(CliState& state, const FactorOptions& options, bool categoryGiven) {
    if (categoryGiven && options.category.empty()) {
        std::cerr << "korvane-cli: unknown category \"\"\n";
        state.Report(kExitUsage);
        return;
    }
    const UnitCatalogue& catalogue = state.Catalogue();
    const UnitFinder finder(catalogue);
    const UnitChoice choice =
        ChooseUnits(catalogue, finder, options.from, options.to, options.category);
    if (choice.category < 0) {
        std::cerr << "korvane-cli: " << choice.message << '\n';
        state.Report(kExitUsage);
        return;
    }
    std::cout << FactorLine(catalogue, choice.category, choice.from, choice.to) << '\n';
    state.Report(kExitOk);
}

}  // namespace

void AddFactorCommand(CLI::App& app, CliState& state) {
    auto options = std::make_shared<FactorOptions>();
    auto* factor = app.add_subcommand(
        "factor",
        "Print the relation between unit FROM and unit TO, both ways, with 8 "
        "significant digits: \"1 inch = 2.54 centimeter; 1 centimeter = 0.39370079 "
        "inch\"");
    factor->add_option("FROM", options->from, "The first unit, found as convert finds it")
        ->required();
    factor->add_option("TO", options->to, "The second unit, found as convert finds it")->required();
    auto* category = factor->add_option("--category", options->category,
                                        "Exact category name; without it, the category is "
                                        "chosen as convert chooses it");
    factor->callback(
        [&state, options, category] { RunFactor(state, *options, category->count() > 0); });
}

}  // namespace korvane::cli
