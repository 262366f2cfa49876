#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The only place where the settings storage talks to the operating system: reading a whole file,
// an exclusive lock between processes, and replacing a file in one step. Paths are UTF-8.
namespace korvane::file_access {

// Enough of a file's identity to notice that it was replaced or changed since we last read it.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the Unix epoch
    std::int64_t changedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

enum class ReadStatus { Ok, Missing, Failed };

struct ReadOutcome {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    FileStamp stamp;
    std::string reason;  // why it failed
};

// Regular files only: a folder, a device or a pipe in the file's place, or a file larger than
// `maxBytes`, is a failure. A path whose folder does not exist counts as missing.
ReadOutcome ReadWholeFile(const std::string& path, std::size_t maxBytes);
std::optional<FileStamp> StampOf(const std::string& path);

// The file a chain of symbolic links leads to, so replacing the file keeps the links intact.
// In a folder that anyone may write to and that is marked sticky (like the system's temporary
// folder), a link is followed, and a folder written in, only when it belongs to this user or to
// the folder's owner: the rule the kernel applies to protected links, here applied to every
// part of the path, not only the last. Otherwise nullopt and the reason. Without that rule
// another user could make the program write wherever a link points, or into a folder of theirs.
std::optional<std::string> FollowLinks(const std::string& path, std::string& reason);

// Why `path` cannot be replaced (a folder stands there, or the file is read-only); nullopt when
// it can, or does not exist. Asked before anything is created for a write.
std::optional<std::string> CheckReplaceable(const std::string& path);

// Creates the folders above `path` that are missing. The reason on failure.
std::optional<std::string> CreateParentFolders(const std::string& path);

// An exclusive lock on a lock file, held until the object is destroyed. Every process that
// writes the settings file takes it, so their read-change-write cycles never interleave.
class ExclusiveLock {
  public:
    // Retries until `patience` has passed, so a hung process cannot freeze the caller; anything
    // but a regular file in the lock file's place (a pipe would block) is refused at once. A lock
    // file it creates may be read by everyone whatever the umask: it holds nothing, and every
    // user who may write the settings file must be able to take the lock.
    static std::optional<ExclusiveLock> Acquire(const std::string& lockPath,
                                                std::chrono::milliseconds patience,
                                                std::string& reason);
    ExclusiveLock(ExclusiveLock&& other) noexcept;
    ExclusiveLock& operator=(ExclusiveLock&&) = delete;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ~ExclusiveLock();

  private:
    explicit ExclusiveLock(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`: a reader, or the next start after a crash, sees the old file or the new one, never a
// mixture. The caller must hold the lock, since the temporary name is fixed. A read-only file
// is refused. The new file keeps the old one's mode, and its owner and group as far as the
// process may set them, so a save by another user (root, say) does not take the file away from
// its owner; a file that did not exist gets the mode the umask allows, as any editor's would.
// The reason on failure; `path` is then untouched.
std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes);

// The full path of the running program; empty where the system cannot say.
std::string ProgramFilePath();

}  // namespace korvane::file_access
