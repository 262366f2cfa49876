#pragma once

// What the two halves of FileAccess (FileAccess.cpp for POSIX systems, FileAccessWindows.cpp)
// share. Not for use outside them.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace korvane::file_access::detail {

namespace fs = std::filesystem;

// std::filesystem reads a narrow string in the system code page on Windows; our texts are UTF-8.
inline fs::path ToPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::string TemporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

inline std::string TooLargeReason(const std::string& path, std::size_t maxBytes) {
    return path + " is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB";
}

inline constexpr std::chrono::microseconds kFirstRetryDelay{100};
inline constexpr std::chrono::microseconds kLongestRetryDelay{2000};

}  // namespace korvane::file_access::detail
