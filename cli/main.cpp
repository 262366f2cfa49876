#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliState.h"
#include "cli/FastPath.h"
#include "cli/Program.h"
#include "cli/StandardStreams.h"
#include "cli/SystemText.h"

// Nothing that goes wrong ends in an abort: an exception anywhere, even while the commands are
// set up, ends with a message and the usage status.
int main(int argc, char** argv) try {
#ifdef SIGPIPE
    // A closed pipe (korvane-cli ... | head) ends the output quietly instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    korvane::cli::ConsoleSession console;
    // On Windows the arguments are read again from the wide command line, as UTF-8.
    const std::vector<std::string> arguments = korvane::cli::Utf8Arguments(argc, argv);
    if (const auto plain = korvane::cli::ReadPlainConvert(arguments)) {
        korvane::cli::CliState state;
        const int status = korvane::cli::RunPlainConvertLine(state, *plain);
        // Every stream is flushed and checked; the static destructors (CLI11's validators, the
        // built-in units as strings) would only free memory.
        console.End();
        std::fflush(nullptr);
        std::_Exit(status);
    }

    const int status = korvane::cli::RunFullCommandLine(arguments);
    // The output is written and checked. What is left is freeing the parser, the catalogue and
    // the settings one allocation at a time, a tenth of a one-shot conversion; the system takes
    // the memory back at once. std::exit still flushes the streams and runs static destructors.
    console.End();
    std::exit(status);
} catch (...) {
    korvane::cli::OpenStandardStreams();
    return korvane::cli::ReportUnexpectedError(std::current_exception(), std::cerr);
}
