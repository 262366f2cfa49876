#include "cli/CatalogueCommands.h"

#include <memory>
#include <string>

#include "catalogue/NumberText.h"
#include "cli/StandardStreams.h"

namespace korvane::cli {

namespace {

struct UnitsOptions {
    std::string category;
    bool categoryGiven = false;  // an empty name given is a name no category has
    bool tsv = false;
};

void PrintCategories(CliState& state) {
    const UnitCatalogue& catalogue = state.Catalogue();
    for (int c : UsedCategories(catalogue))
        std::cout << catalogue.CategoryName(c) << '\n';
}

void PrintUnitsTsv(const UnitCatalogue& catalogue, int category) {
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        const UnitRecord& unit = catalogue.Unit(category, u);
        std::cout << category << '\t' << catalogue.CategoryName(category) << '\t' << (u + 1) << '\t'
                  << unit.name << '\t' << unit.abbreviation << '\t' << ShortestText(unit.factor)
                  << '\n';
    }
}

void PrintUnitsText(const UnitCatalogue& catalogue, int category) {
    std::cout << catalogue.CategoryName(category) << '\n';
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        const UnitRecord& unit = catalogue.Unit(category, u);
        std::cout << "  " << unit.name;
        if (unit.abbreviation != kNoAbbreviation && !unit.abbreviation.empty())
            std::cout << "  [" << unit.abbreviation << ']';
        std::cout << '\n';
    }
}

void PrintUnits(CliState& state, const UnitsOptions& options) {
    const UnitCatalogue& catalogue = state.Catalogue();
    std::vector<int> categories;
    for (int c : UsedCategories(catalogue)) {
        if (!options.categoryGiven || catalogue.CategoryName(c) == options.category)
            categories.push_back(c);
    }
    if (options.categoryGiven && categories.empty()) {
        std::vector<std::string> names;
        for (int c : UsedCategories(catalogue))
            names.push_back(catalogue.CategoryName(c));
        std::cerr << "korvane-cli: unknown category \"" << Printable(options.category) << "\"";
        const auto close = CloseNames(options.category, names);
        if (!close.empty())
            std::cerr << "; did you mean " << JoinQuoted(close) << "?";
        std::cerr << '\n';
        state.Report(kExitUsage);
        return;
    }
    if (options.tsv)
        std::cout << "category_index\tcategory\trecord\tname\tabbreviation\tfactor\n";
    for (int c : categories) {
        if (options.tsv) {
            PrintUnitsTsv(catalogue, c);
        } else {
            PrintUnitsText(catalogue, c);
        }
    }
}

}  // namespace

void AddCatalogueCommands(CLI::App& app, CliState& state) {
    auto* categories = app.add_subcommand("categories", "List the categories in catalogue order");
    categories->callback([&state] { PrintCategories(state); });

    auto options = std::make_shared<UnitsOptions>();
    auto* units = app.add_subcommand(
        "units", "List the units of one category, or of all, in catalogue order");
    auto* category = units->add_option("CATEGORY", options->category,
                                       "Exact category name (default: all categories)");
    units->add_flag("--tsv", options->tsv,
                    "Tab-separated: category index, category, record, name, abbreviation, factor");
    units->callback([&state, options, category] {
        options->categoryGiven = category->count() > 0;
        PrintUnits(state, *options);
    });
}

}  // namespace korvane::cli
