#include "cli/SystemText.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include "app/WindowsApi.h"
#include "app/WindowsText.h"
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#endif

namespace korvane::cli {

#ifndef _WIN32

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

bool OutputReaderGone() {
    return errno == EPIPE;
}

ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

// The commands that print through the standard streams have flushed them.
void ConsoleSession::End() {
    std::fflush(stdout);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        // Not the command line main() was given; the C runtime's reading is all there is.
        if (wide != nullptr)
            ::LocalFree(wide);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

// The C runtime reports a closed pipe as EINVAL, like much else; the system's own error code,
// which it keeps beside errno, tells.
bool OutputReaderGone() {
    const auto error = static_cast<DWORD>(_doserrno);
    return errno == EPIPE ||
           (errno == EINVAL && (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE ||
                                error == ERROR_PIPE_NOT_CONNECTED));
}

ConsoleSession::ConsoleSession() {
    _setmode(_fileno(stdin), _O_BINARY);
    // Zero when the program has no console (output to a pipe or a file): nothing to change.
    previousOutputCodePage_ = ::GetConsoleOutputCP();
    if (previousOutputCodePage_ != 0)
        ::SetConsoleOutputCP(CP_UTF8);
}

ConsoleSession::~ConsoleSession() {
    End();
}

void ConsoleSession::End() {
    // The console outlives us; it gets its code page back once our text is out (the commands
    // that print through the standard streams have flushed them).
    std::fflush(stdout);
    if (previousOutputCodePage_ != 0)
        ::SetConsoleOutputCP(previousOutputCodePage_);
    previousOutputCodePage_ = 0;
}

#endif

}  // namespace korvane::cli
