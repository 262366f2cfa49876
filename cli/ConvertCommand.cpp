#include "cli/ConvertCommand.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "app/ConversionRequest.h"
#include "app/Utf8Path.h"
#include "catalogue/Conversion.h"
#include "cli/FreeFormCommands.h"
#include "cli/LineReader.h"
#include "cli/Output.h"
#include "cli/StandardStreams.h"
#include "cli/SystemText.h"
#include "cli/UnitChoice.h"

namespace korvane::cli {

namespace {

// Unit pairs a batch remembers: far more than a catalogue's worth of realistic requests, and
// only a few megabytes when every line names new texts.
constexpr std::size_t kRememberedChoices = 1 << 14;

struct ConvertOptions {
    std::string value;
    std::string from;
    std::string to;
    std::string category;
    bool categoryGiven = false;  // an empty name given is a name no category has
    std::string batch;
    FormatMode mode = FormatMode::AutoFormat;
    int precision = kDefaultPrecision;
    bool verbose = false;
    ResultFormat format;  // what the request uses: the stored format with the options on top
};

struct Outcome {
    std::string output;   // the text the output box would show; empty on a usage error
    std::string message;  // for the standard error stream
    int status = kExitOk;
};

// `notes` receives what --verbose prints: the units the texts chose. With `print`, the
// evaluator writes its diagnostics and help text as the window's conversion does, and they are
// the whole explanation of a failed evaluation; without it, the outcome carries the message of
// the first error instead.
Outcome ConvertOne(const UnitCatalogue& catalogue, UnitChooser& chooser,
                   const ConvertOptions& options, std::string_view value, std::string_view from,
                   std::string_view to, std::string_view category, bool print,
                   std::vector<std::string>& notes) {
    // A batch line without a category of its own takes the one of --category.
    if (category.empty() && options.categoryGiven) {
        if (options.category.empty())
            return {{}, "unknown category \"\"", kExitUsage};
        category = options.category;
    }
    const UnitChoice& choice = chooser.Choose(from, to, category);
    if (choice.category < 0)
        return {{}, choice.message, kExitUsage};
    // The request names the units the lookup chose, exactly as the catalogue spells them.
    ConversionRequest request;
    request.category = choice.category;
    request.fromUnit = std::string(catalogue.UnitNameView(choice.category, choice.from));
    request.toUnit = std::string(catalogue.UnitNameView(choice.category, choice.to));
    request.input = std::string(value);
    request.format = options.format;
    request.printEvaluation = print;
    ConversionResult result = RunConversionRequest(catalogue, request);
    if (!result.changed)
        return {{}, "the category has no units to convert", kExitUsage};
    const int status = result.output == kErrorText ? kExitError : kExitOk;
    if (options.verbose)
        notes = DescribeChoice(catalogue, choice, from, to);
    return {std::move(result.output), print ? std::string() : std::move(result.errorMessage),
            status};
}

void RunSingle(CliState& state, const ConvertOptions& options) {
    const UnitCatalogue& catalogue = state.Catalogue();
    UnitChooser chooser(catalogue, UnitFinder::Index::None, 0);
    std::vector<std::string> notes;
    const Outcome outcome = ConvertOne(catalogue, chooser, options, options.value, options.from,
                                       options.to, options.category, true, notes);
    for (const std::string& note : notes)
        PrintMessage(note);
    if (outcome.status != kExitUsage)
        PrintLine(outcome.output);
    if (!outcome.message.empty())
        PrintMessage(outcome.message);
    state.Report(outcome.status);
}

// istream::read turns a failing read into badbit; reading through istreambuf_iterator would let
// the exception of the file buffer escape (a folder opens fine, then every read fails).
// Splits one batch line at tabs; at most five fields are told apart.
struct LineFields {
    std::array<std::string_view, 5> texts;
    std::size_t count = 0;
};

LineFields Fields(std::string_view line) {
    LineFields fields;
    std::size_t start = 0;
    while (fields.count < 4) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            break;
        fields.texts[fields.count++] = line.substr(start, tab - start);
        start = tab + 1;
    }
    fields.texts[fields.count++] = line.substr(start);
    return fields;
}

Outcome ConvertLine(const UnitCatalogue& catalogue, UnitChooser& chooser,
                    const ConvertOptions& options, std::string_view line,
                    std::vector<std::string>& notes) {
    const LineFields fields = Fields(line);
    if (fields.count == 1 && !fields.texts[0].empty()) {
        // One field is a text typed as a conversion: "12 in to cm".
        const FreeFormOutcome read =
            ConvertFreeForm(catalogue, fields.texts[0], options.format, DecimalFromEnvironment());
        if (options.verbose && !read.echo.empty())
            notes.push_back(read.echo);
        return {read.output, read.message, read.status};
    }
    if (fields.count < 3 || fields.count > 4) {
        return {{}, "expected VALUE<TAB>FROM<TAB>TO with an optional <TAB>CATEGORY", kExitUsage};
    }
    // Standard output holds exactly one line per request, so the help text may not go there;
    // and one message naming the line says more here than the evaluator's unnumbered blocks.
    return ConvertOne(catalogue, chooser, options, fields.texts[0], fields.texts[1],
                      fields.texts[2], fields.texts[3], false, notes);
}

void WriteOut(std::string& out) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}

// Converts each line of `source` with `convertLine` and prints one output line per input line.
template <typename ConvertLineFunction>
void RunLines(CliState& state, std::streambuf& source, ConvertLineFunction convertLine) {
    LineReader reader(source);
    std::string out;
    std::size_t lineNumber = 0;
    while (const auto line = reader.Next()) {
        ++lineNumber;
        std::vector<std::string> notes;
        const Outcome outcome = line->tooLong
                                    ? Outcome{{}, "the line is longer than 1 MiB", kExitUsage}
                                    : convertLine(line->text, notes);
        // A failed line still gets its output line, so results stay aligned with requests.
        out += outcome.status == kExitUsage ? std::string(kErrorText) : outcome.output;
        out += '\n';
        for (const std::string& note : notes)
            PrintLineMessage(lineNumber, note);
        if (!outcome.message.empty())
            PrintLineMessage(lineNumber, outcome.message);
        state.Report(outcome.status);
        // Answer before waiting for more input, so a program talking to us through a pipe
        // gets each result; otherwise collect output for fewer, larger writes.
        if (out.size() > (1u << 16) || reader.WouldWait()) {
            WriteOut(out);
            std::fflush(stdout);
        }
    }
    WriteOut(out);
    std::fflush(stdout);
}

void RunBatchFrom(CliState& state, const ConvertOptions& options, std::streambuf& source) {
    const UnitCatalogue& catalogue = state.Catalogue();
    UnitChooser chooser(catalogue, UnitFinder::Index::ExactNames, kRememberedChoices);
    RunLines(state, source, [&](std::string_view line, std::vector<std::string>& notes) {
        return ConvertLine(catalogue, chooser, options, line, notes);
    });
}

// convert - FROM TO: the values come from standard input, one per line. The units are looked
// up once, so a misspelt unit is one message rather than one per line.
void RunValuesFromInput(CliState& state, const ConvertOptions& options) {
    const UnitCatalogue& catalogue = state.Catalogue();
    UnitChooser chooser(catalogue, UnitFinder::Index::None, kRememberedChoices);
    std::vector<std::string> notes;
    const Outcome check = ConvertOne(catalogue, chooser, options, "0", options.from, options.to,
                                     options.category, false, notes);
    for (const std::string& note : notes)
        PrintMessage(note);
    if (check.status == kExitUsage) {
        PrintMessage(check.message);
        state.Report(kExitUsage);
        return;
    }
    ConvertOptions quiet = options;
    quiet.verbose = false;
    RunLines(state, *std::cin.rdbuf(), [&](std::string_view value, std::vector<std::string>& none) {
        return ConvertOne(catalogue, chooser, quiet, value, options.from, options.to,
                          options.category, false, none);
    });
}

void RunBatch(CliState& state, const ConvertOptions& options) {
    if (options.batch == "-") {
        RunBatchFrom(state, options, *std::cin.rdbuf());
        return;
    }
    std::ifstream file;
    // A folder opens on Linux and fails only when read; check that first, without throwing.
    const std::filesystem::path path = PathFromUtf8(options.batch);
    std::error_code error;
    if (!std::filesystem::is_directory(path, error))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        PrintMessage("cannot read \"" + Printable(options.batch) + "\"");
        state.Report(kExitUsage);
        return;
    }
    RunBatchFrom(state, options, *file.rdbuf());
}

// What `convert` runs once its options are read; the plain line without CLI11 runs it too.
void RunRequests(CliState& state, const ConvertOptions& options, bool batch, bool freeForm) {
    if (batch) {
        RunBatch(state, options);
    } else if (freeForm) {
        RunFreeFormConvert(state, options.value, options.format, options.verbose);
    } else if (options.value == "-") {
        RunValuesFromInput(state, options);
    } else {
        RunSingle(state, options);
    }
}

}  // namespace

void RunPlainConvert(CliState& state, const PlainConvert& plain) {
    ConvertOptions options;
    options.value = plain.value;
    options.from = plain.from;
    options.to = plain.to;
    options.format = state.StoredFormat();
    RunRequests(state, options, false, plain.freeForm);
}

void AddConvertCommand(CLI::App& app, CliState& state) {
    auto options = std::make_shared<ConvertOptions>();
    auto* convert = app.add_subcommand(
        "convert",
        "Convert VALUE from unit FROM to unit TO and print what the output box would show");
    convert->add_option(
        "VALUE", options->value,
        "The value or expression to convert; - reads values from standard "
        "input, one per line, and prints one result per line. One that starts with '-' is a "
        "value when a digit follows the '-' (-5, -1e3, -2*pi) or when it is a "
        "plain number (-.5); any other (-pi, -(1+2), -.5*2) goes after --, "
        "which ends the options: convert --format fixed -- -pi radian degree");
    convert->add_option("FROM", options->from,
                        "The source unit: its exact name, else its abbreviation (in), else its "
                        "name in any case (Meter), else part of its name (kilomet); a text that "
                        "fits several units at that step is refused");
    convert->add_option("TO", options->to, "The target unit, found as FROM is");
    auto* category = convert->add_option(
        "--category", options->category,
        "Exact category name (with --batch: for the lines that name none). Without it, the "
        "category is the one where both units are found by the strictest steps; when several "
        "tie, name one");
    convert->add_flag("--verbose", options->verbose,
                      "Say on standard error which unit FROM and TO chose, how, and in which "
                      "category");
    const std::map<std::string, FormatMode> modes{{"auto", FormatMode::AutoFormat},
                                                  {"scientific", FormatMode::Scientific},
                                                  {"fixed", FormatMode::Fixed}};
    auto* format = convert
                       ->add_option("--format", options->mode,
                                    "Result format: auto (8 significant digits), scientific, "
                                    "fixed (default: the window's setting)")
                       ->transform(CLI::CheckedTransformer(modes, CLI::ignore_case));
    auto* precision = convert->add_option(
        "--precision", options->precision,
        "Decimals of the scientific and fixed formats (default: the window's setting)");
    auto* batch = convert->add_option("--batch", options->batch,
                                      "Read requests from FILE (or - for standard input): one per "
                                      "line, VALUE<TAB>FROM<TAB>TO[<TAB>CATEGORY]; "
                                      "one output line per request, in order");
    convert->callback([&state, options, batch, convert, category, format, precision] {
        options->categoryGiven = category->count() > 0;
        options->format = state.StoredFormat();
        if (format->count() > 0)
            options->format.mode = options->mode;
        if (precision->count() > 0)
            options->format.precision = options->precision;
        const bool single =
            convert->count("VALUE") + convert->count("FROM") + convert->count("TO") > 0;
        if (batch->count() > 0 && single) {
            PrintMessage("convert takes either VALUE FROM TO or --batch, not both");
            state.Report(kExitUsage);
        } else if (batch->count() == 0 && convert->count("VALUE") > 0 &&
                   convert->count("FROM") == 0) {
            RunRequests(state, *options, false, true);
        } else if (batch->count() == 0 && convert->count("TO") == 0) {
            std::cerr << "korvane-cli: convert needs VALUE FROM TO (or --batch FILE)\n"
                      << convert->help();
            state.Report(kExitUsage);
        } else {
            RunRequests(state, *options, batch->count() > 0, false);
        }
    });
}

}  // namespace korvane::cli
