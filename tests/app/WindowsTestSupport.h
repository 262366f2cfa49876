#pragma once

// Starting a second program from a Windows test, and the little text conversions that needs.
#include "app/WindowsApi.h"
// windows.h spells its own INI functions GetProfileString and the like as macros, which would
// rename the store's methods of the same names.
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/FileAccess.h"
#include "app/WindowsText.h"

namespace korvane::testing {

inline std::wstring Wide(const std::string& utf8) {
    return WideFromUtf8(utf8);
}

inline std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

inline bool Exists(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One argument as the C runtime of the started program splits its command line: quoted when
// it holds blanks or quotes, backslashes doubled only before a quote.
inline std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

// A started program; waits for it (at most a minute) when it is asked for the exit status.
class ChildProcess {
  public:
    static std::optional<ChildProcess> Start(const std::string& program,
                                             const std::vector<std::string>& arguments) {
        std::string line = QuoteArgument(program);
        for (const std::string& argument : arguments)
            line += ' ' + QuoteArgument(argument);
        std::wstring wideLine = Wide(line);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(Wide(program).c_str(), wideLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &info))
            return std::nullopt;
        ::CloseHandle(info.hThread);
        return ChildProcess(info.hProcess);
    }
    ChildProcess(ChildProcess&& other) noexcept
        : process_(std::exchange(other.process_, nullptr)) {}
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess() {
        if (process_ == nullptr)
            return;
        if (Running())
            ::TerminateProcess(process_, 99);
        ::CloseHandle(process_);
    }

    bool Running() const { return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    // The exit status, or -1 when the program did not end within a minute.
    int Wait() {
        if (::WaitForSingleObject(process_, 60000) != WAIT_OBJECT_0)
            return -1;
        DWORD status = 0;
        ::GetExitCodeProcess(process_, &status);
        return static_cast<int>(status);
    }

  private:
    explicit ChildProcess(HANDLE process) : process_(process) {}
    HANDLE process_;
};

// The helper program built beside the test program (tests/app/WindowsTestHelper.cpp).
inline std::string HelperProgram() {
    const std::string self = file_access::ProgramFilePath();
    return self.substr(0, self.rfind('\\') + 1) + "korvane_windows_test_helper.exe";
}

// Waits until `child` has created `path`; false when it ended first or took ten seconds.
inline bool WaitForFile(const std::string& path, const ChildProcess& child) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Exists(path)) {
        if (!child.Running() || std::chrono::steady_clock::now() > deadline)
            return Exists(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace korvane::testing
