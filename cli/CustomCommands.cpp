#include "cli/CustomCommands.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CustomNames.h"
#include "app/CustomOperations.h"
#include "app/CustomUnitStorage.h"
#include "app/UnitListOrder.h"
#include "catalogue/NumberText.h"
#include "cli/StandardStreams.h"

namespace korvane::cli {

namespace {

struct CustomArguments {
    std::string category;
    std::string name;
    std::string factor;
    std::string reference;
    bool referenceGiven = false;
};

// The settings file and the catalogue as the window would have them at this moment.
struct Session {
    explicit Session(const std::string& path) : store(path) {
        catalogue.LoadBuiltInTables();
        LoadCustomUnits(store, catalogue);
    }
    ProfileStore store;
    UnitCatalogue catalogue;
};

// The page's message, with any control character of a name made visible; its own tabs and line
// breaks stay.
std::string Shown(std::string_view message) {
    std::string out;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= message.size(); ++i) {
        if (i == message.size() || message[i] == '\t' || message[i] == '\n') {
            out += Printable(message.substr(begin, i - begin));
            if (i < message.size())
                out += message[i];
            begin = i + 1;
        }
    }
    return out;
}

void Finish(CliState& state, const CustomOutcome& outcome, const std::string& done) {
    if (outcome.ok()) {
        std::cout << done << '\n';
        return;
    }
    std::cerr << Shown(outcome.refusal->text) << '\n';
    // A refusal is an answer; a settings file that could not be changed is a failure.
    state.Report(outcome.fileFailure ? kExitUsage : kExitError);
}

void UsageError(CliState& state, const std::string& message) {
    std::cerr << "korvane-cli: " << message << '\n';
    state.Report(kExitUsage);
}

std::string Quoted(std::string_view name) {
    return '"' + Printable(name) + '"';
}

// "unknown unit "yen" in "money"; did you mean "Cent"?"
std::string UnknownName(std::string_view what, std::string_view name,
                        const std::vector<std::string>& known, std::string_view where = {}) {
    std::string message = "unknown " + std::string(what) + " " + Quoted(name);
    if (!where.empty())
        message += " in " + Quoted(where);
    const std::vector<std::string> close = CloseNames(name, known);
    if (!close.empty())
        message += "; did you mean " + JoinQuoted(close) + "?";
    return message;
}

std::optional<int> ResolveCategory(CliState& state, const UnitCatalogue& catalogue,
                                   std::string_view name) {
    if (const std::optional<int> category = FindNamedCategory(catalogue, name))
        return category;
    std::vector<std::string> known;
    for (int c : UsedCategories(catalogue))
        known.push_back(catalogue.CategoryName(c));
    UsageError(state, UnknownName("category", name, known));
    return std::nullopt;
}

// The unit 1 NAME equals FACTOR of: the one given, else the first listed, as the page selects.
std::optional<std::string> ResolveReference(CliState& state, const UnitCatalogue& catalogue,
                                            int category, const CustomArguments& arguments) {
    if (!arguments.referenceGiven) {
        const int first = FirstListedUnit(catalogue, category);
        return first < 0 ? std::string() : catalogue.UnitName(category, first);
    }
    if (const std::optional<int> unit = FindNamedUnit(catalogue, category, arguments.reference))
        return catalogue.UnitName(category, *unit);
    std::vector<std::string> known;
    for (int u = 0; u < catalogue.UnitCount(category); ++u)
        known.push_back(catalogue.UnitName(category, u));
    UsageError(state,
               UnknownName("unit", arguments.reference, known, catalogue.CategoryName(category)));
    return std::nullopt;
}

void AddUnit(CliState& state, Session& session, const CustomArguments& arguments) {
    const std::optional<int> category =
        ResolveCategory(state, session.catalogue, arguments.category);
    if (!category)
        return;
    const std::optional<std::string> reference =
        ResolveReference(state, session.catalogue, *category, arguments);
    if (!reference)
        return;
    const CustomOutcome outcome =
        AddCustomUnit(session.catalogue, session.store,
                      NewCustomUnit{*category, arguments.name, arguments.factor, *reference});
    std::string done;
    if (outcome.ok()) {
        const int added = session.catalogue.FindUnit(*category, outcome.name);
        done = "added unit " + Quoted(outcome.name) + " to " +
               Quoted(session.catalogue.CategoryName(*category)) + " (factor " +
               ShortestText(session.catalogue.UnitFactor(*category, added)) + ")";
    }
    Finish(state, outcome, done);
}

void RemoveUnit(CliState& state, Session& session, const CustomArguments& arguments) {
    const std::optional<int> category =
        ResolveCategory(state, session.catalogue, arguments.category);
    if (!category)
        return;
    const CustomOutcome outcome =
        RemoveCustomUnit(session.catalogue, session.store, *category, arguments.name);
    Finish(state, outcome,
           "removed unit " + Quoted(outcome.name) + " from " +
               Quoted(session.catalogue.CategoryName(*category)));
}

enum class Action { AddCategory, RemoveCategory, AddUnit, RemoveUnit };

void Run(CliState& state, Action action, const CustomArguments& arguments) {
    if (!state.useSettings) {
        UsageError(state, "custom changes the settings file; --no-settings leaves none to change");
        return;
    }
    Session session(state.settingsPath);
    switch (action) {
        case Action::AddCategory: {
            const CustomOutcome outcome =
                AddCustomCategory(session.catalogue, session.store, arguments.name);
            Finish(state, outcome, "added category " + Quoted(outcome.name));
            return;
        }
        case Action::RemoveCategory: {
            const CustomOutcome outcome =
                RemoveCustomCategory(session.catalogue, session.store, arguments.name);
            Finish(state, outcome, "removed category " + Quoted(outcome.name));
            return;
        }
        case Action::AddUnit:
            AddUnit(state, session, arguments);
            return;
        case Action::RemoveUnit:
            RemoveUnit(state, session, arguments);
            return;
    }
}

}  // namespace

void AddCustomCommands(CLI::App& app, CliState& state) {
    auto* custom = app.add_subcommand(
        "custom", "Add or remove custom categories and units in the settings file");
    custom->require_subcommand(1, 1);
    custom->footer(
        "Exit status: 0 done, 1 refused (the reason on the standard error stream), 2 usage "
        "error or the settings file could not be changed.");
    auto arguments = std::make_shared<CustomArguments>();

    auto* addCategory = custom->add_subcommand("add-category", "Add a custom category");
    addCategory->add_option("NAME", arguments->name, "Its name (stored in lower case)")->required();
    addCategory->callback([&state, arguments] { Run(state, Action::AddCategory, *arguments); });

    auto* removeCategory =
        custom->add_subcommand("remove-category", "Remove a custom category and its units");
    removeCategory->add_option("NAME", arguments->name, "Its name")->required();
    removeCategory->callback(
        [&state, arguments] { Run(state, Action::RemoveCategory, *arguments); });

    auto* addUnit = custom->add_subcommand(
        "add-unit", "Add a custom unit: 1 NAME = FACTOR units of the reference unit");
    addUnit->add_option("CATEGORY", arguments->category, "The category")->required();
    addUnit->add_option("NAME", arguments->name, "The unit's name")->required();
    addUnit
        ->add_option("FACTOR", arguments->factor,
                     "How many reference units one NAME is (ignored for the first unit of "
                     "a category, which becomes its reference unit with factor 1). Write "
                     "-.5 as -0.5, or after --")
        ->required();
    auto* reference = addUnit->add_option(
        "--of", arguments->reference,
        "The reference unit (default: the category's first unit in list order)");
    reference->type_name("UNIT");
    addUnit->callback([&state, arguments, reference] {
        arguments->referenceGiven = reference->count() > 0;
        Run(state, Action::AddUnit, *arguments);
    });

    auto* removeUnit = custom->add_subcommand("remove-unit", "Remove a custom unit");
    removeUnit->add_option("CATEGORY", arguments->category, "The category")->required();
    removeUnit->add_option("NAME", arguments->name, "The unit's name")->required();
    removeUnit->callback([&state, arguments] { Run(state, Action::RemoveUnit, *arguments); });
}

}  // namespace korvane::cli
