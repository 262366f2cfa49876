#pragma once

// What the shared part of FileAccess (FileAccess.cpp) and its two system halves
// (FileAccessPosix.cpp, FileAccessWindows.cpp) share. Not for use outside them.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "app/FileAccess.h"
#include "app/Utf8Path.h"

namespace korvane::file_access::detail {

namespace fs = std::filesystem;

inline fs::path ToPath(const std::string& utf8) {
    return PathFromUtf8(utf8);
}

inline std::string FromPath(const fs::path& path) {
    return Utf8FromPath(path);
}

inline std::string TemporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

inline std::string TooLargeReason(const std::string& path, std::size_t maxBytes) {
    return path + " is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB";
}

std::string NotARegularLockFileReason(const std::string& lockPath);
ReadOutcome Failed(std::string reason);

// The waits between attempts at something another process holds (the lock, or on Windows a
// file still open elsewhere), up to a deadline counted from the first attempt. The waits stay
// short, so a waiter looks again soon after the holder lets go, and vary at random, so a
// holder that takes the thing again at once cannot fall into step with a waiter and starve it.
class RetryPacing {
  public:
    explicit RetryPacing(std::chrono::milliseconds patience);
    bool Expired() const;
    void Wait();

  private:
    std::chrono::steady_clock::time_point deadline_;
    std::chrono::microseconds delay_;
    std::minstd_rand random_;
};

// Each system's half of ExclusiveLock: the handle is a file descriptor or a HANDLE.
inline constexpr std::intptr_t kNoHandle = -1;
enum class LockAttempt { Locked, Busy, Failed };

// Opens the lock file, creating it if needed, and makes sure it is a regular file. kNoHandle
// and the reason on failure.
std::intptr_t OpenLockFile(const std::string& lockPath, std::string& reason);
// One attempt at the lock that does not wait.
LockAttempt TryLockOnce(std::intptr_t handle, const std::string& lockPath, std::string& reason);
// Closing releases the lock.
void CloseLockFile(std::intptr_t handle);

}  // namespace korvane::file_access::detail
