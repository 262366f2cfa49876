#include <CLI/CLI.hpp>

#include <iostream>

#include "catalogue/UnitCatalogue.h"
#include "cli/EvalCommand.h"

int main(int argc, char** argv) {
    CLI::App app{"korvane-cli: the Korvane unit converter on the command line"};
    app.require_subcommand(1);
    auto* categories = app.add_subcommand("categories", "List the built-in categories");
    categories->callback([] {
        korvane::UnitCatalogue catalogue;
        catalogue.LoadBuiltInTables();
        for (int c = 0; c < korvane::kBuiltInCategories; ++c) std::cout << catalogue.CategoryName(c) << '\n';
    });
    AddEvalCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
