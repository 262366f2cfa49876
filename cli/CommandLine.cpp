#include "cli/CommandLine.h"

#include <algorithm>
#include <cstdio>

#include "cli/ConvertCommand.h"
#include "cli/Output.h"
#include "cli/StandardStreams.h"
#include "cli/SystemText.h"

namespace korvane::cli {

namespace {

// What CLI11 would read as an option although it reads as a number: '-' before a point.
bool NeedsStandIn(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-' && argument[1] == '.' &&
           IsPlainNumber(argument);
}

void AddRestoreStep(CLI::App& app, const std::function<std::string(std::string)>& restore) {
    // A transform added last runs first, so checks and conversions see the argument as typed.
    for (CLI::Option* option : app.get_options())
        option->transform(restore);
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
        AddRestoreStep(*command, restore);
}

}  // namespace

NumberArguments::NumberArguments(int argc, const char* const* argv) : prefix_(" ") {
    arguments_.assign(argv, argv + argc);
    for (int i = 1; i < argc; ++i) {
        if (NeedsStandIn(arguments_[i]) &&
            std::find(replaced_.begin(), replaced_.end(), arguments_[i]) == replaced_.end())
            replaced_.push_back(arguments_[i]);
    }
    // A blank in front makes CLI11 see a value. Should the user have typed that very text as
    // well, more blanks keep the two apart.
    const auto typed = [&](const std::string& text) {
        return std::find(arguments_.begin() + 1, arguments_.end(), text) != arguments_.end();
    };
    while (std::any_of(replaced_.begin(), replaced_.end(),
                       [&](const std::string& argument) { return typed(prefix_ + argument); }))
        prefix_ += ' ';
    for (int i = 1; i < argc; ++i) {
        if (NeedsStandIn(arguments_[i]))
            arguments_[i] = prefix_ + arguments_[i];
    }
}

void NumberArguments::RestoreIn(CLI::App& app) const {
    if (replaced_.empty())
        return;
    AddRestoreStep(app, [this](std::string text) { return Restored(std::move(text)); });
    app.failure_message([this](const CLI::App* failed, const CLI::Error& error) {
        return RestoredInMessage(CLI::FailureMessage::simple(failed, error));
    });
}

std::string NumberArguments::Restored(std::string text) const {
    if (text.starts_with(prefix_) && std::find(replaced_.begin(), replaced_.end(),
                                               text.substr(prefix_.size())) != replaced_.end()) {
        text.erase(0, prefix_.size());
    }
    return text;
}

std::string NumberArguments::RestoredInMessage(std::string message) const {
    for (const std::string& argument : replaced_) {
        const std::string standIn = prefix_ + argument;
        for (std::size_t at = message.find(standIn); at != std::string::npos;
             at = message.find(standIn, at + argument.size())) {
            message.replace(at, standIn.size(), argument);
        }
    }
    return message;
}

int ReportUnexpectedError(std::exception_ptr error, std::ostream& err) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        err << "korvane-cli: unexpected error: " << exception.what() << '\n';
    } catch (...) {
        err << "korvane-cli: unexpected error\n";
    }
    return kExitUsage;
}

int RunCommandLine(CLI::App& app, CliState& state, int argc, const char* const* argv) {
    const NumberArguments numbers(argc, argv);
    numbers.RestoreIn(app);
    std::vector<const char*> arguments;
    for (const std::string& argument : numbers.Arguments())
        arguments.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(arguments.size()), arguments.data());
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : kExitUsage;
    } catch (...) {
        std::cout.flush();
        return ReportUnexpectedError(std::current_exception(), std::cerr);
    }
    std::cout.flush();
    return FinishedStatus(state, !std::cout);
}

int RunPlainConvertLine(CliState& state, const PlainConvert& plain) {
    try {
        RunPlainConvert(state, plain);
    } catch (...) {
        std::fflush(stdout);
        OpenStandardStreams();
        return ReportUnexpectedError(std::current_exception(), std::cerr);
    }
    return FinishedStatus(state, false);
}

int FinishedStatus(const CliState& state, bool streamFailed) {
    std::fflush(stdout);
    // A closed pipe (| head) is the reader's choice; any other failure lost the output.
    if ((streamFailed || std::ferror(stdout)) && !OutputReaderGone()) {
        PrintMessage("could not write the output");
        return kExitUsage;
    }
    return state.exitCode;
}

}  // namespace korvane::cli
