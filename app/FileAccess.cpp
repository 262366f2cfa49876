// What FileAccess does alike on every system: the wait for the lock and the texts both halves
// report. The system calls are in FileAccessPosix.cpp and FileAccessWindows.cpp, one of which
// the build chooses.
#include "app/FileAccess.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "app/FileAccessInternal.h"

namespace korvane::file_access {

namespace detail {

namespace {

constexpr std::chrono::microseconds kFirstRetryDelay{100};
// Short: a waiter that sleeps long finds the lock taken again by the writer that just let it
// go, and under load it then misses one chance after another until its patience ends.
constexpr std::chrono::microseconds kLongestRetryDelay{1000};

std::minstd_rand::result_type SeedFor(const void* self) {
    // Two processes waiting at once differ in the time they started, if in nothing else.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto place = reinterpret_cast<std::uintptr_t>(self);
    // The engine itself turns a seed of zero into a valid one.
    return static_cast<std::minstd_rand::result_type>(static_cast<std::uint64_t>(now) ^ place);
}

}  // namespace

std::string NotARegularLockFileReason(const std::string& lockPath) {
    return "the lock file " + lockPath +
           " is not a regular file (another program or user put something else there), so the "
           "settings file is not changed";
}

ReadOutcome Failed(std::string reason) {
    ReadOutcome outcome;
    outcome.status = ReadStatus::Failed;
    outcome.reason = std::move(reason);
    return outcome;
}

RetryPacing::RetryPacing(std::chrono::milliseconds patience)
    : deadline_(std::chrono::steady_clock::now() + patience),
      delay_(kFirstRetryDelay),
      random_(SeedFor(this)) {}

bool RetryPacing::Expired() const {
    return std::chrono::steady_clock::now() >= deadline_;
}

void RetryPacing::Wait() {
    std::uniform_int_distribution<std::chrono::microseconds::rep> spread(kFirstRetryDelay.count(),
                                                                         delay_.count());
    std::this_thread::sleep_for(std::chrono::microseconds(spread(random_)));
    delay_ = std::min(delay_ * 2, kLongestRetryDelay);
}

}  // namespace detail

std::optional<ExclusiveLock> ExclusiveLock::Acquire(const std::string& lockPath,
                                                    std::chrono::milliseconds patience,
                                                    std::string& reason) {
    const std::intptr_t handle = detail::OpenLockFile(lockPath, reason);
    if (handle == detail::kNoHandle)
        return std::nullopt;
    // Owns the file from here on, so every way out closes it; it holds the lock once returned.
    ExclusiveLock lock(handle);
    detail::RetryPacing pacing(patience);
    for (;;) {
        switch (detail::TryLockOnce(lock.handle_, lockPath, reason)) {
            case detail::LockAttempt::Locked:
                return lock;
            case detail::LockAttempt::Failed:
                return std::nullopt;
            case detail::LockAttempt::Busy:
                break;
        }
        if (pacing.Expired()) {
            reason = "another program kept the settings file locked";
            return std::nullopt;
        }
        pacing.Wait();
    }
}

ExclusiveLock::ExclusiveLock(ExclusiveLock&& other) noexcept
    : handle_(std::exchange(other.handle_, detail::kNoHandle)) {}

ExclusiveLock::~ExclusiveLock() {
    if (handle_ != detail::kNoHandle)
        detail::CloseLockFile(handle_);
}

}  // namespace korvane::file_access
