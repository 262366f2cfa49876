// The POSIX half of FileAccess; FileAccessWindows.cpp holds the other and FileAccess.cpp what
// the two share.
#include "app/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/FileAccessInternal.h"

namespace korvane::file_access {

using namespace detail;

std::optional<std::string> CreateParentFolders(const std::string& path) {
    const fs::path folder = ToPath(path).parent_path();
    if (folder.empty())
        return std::nullopt;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return "could not create the folder " + FromPath(folder) + ": " + error.message();
    return std::nullopt;
}

namespace {

std::string ErrnoText() {
    return std::generic_category().message(errno);
}

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp StampFrom(const struct stat& info) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
#ifdef __APPLE__
    stamp.modifiedNs = Nanoseconds(info.st_mtimespec);
    stamp.changedNs = Nanoseconds(info.st_ctimespec);
#else
    stamp.modifiedNs = Nanoseconds(info.st_mtim);
    stamp.changedNs = Nanoseconds(info.st_ctim);
#endif
    return stamp;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

bool ReadAll(int fd, std::size_t maxBytes, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            errno = EFBIG;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const fs::path folder = ToPath(path).parent_path();
    return folder.empty() ? std::string(".") : FromPath(folder);
}

// EPERM: only root may give a file away, and a user only to a group of their own. EINVAL: the
// old owner means nothing here (a user namespace that does not map it).
bool MayNotSetOwner(int error) {
    return error == EPERM || error == EINVAL;
}

// Gives the temporary file the old file's owner, group and mode, as far as the process may set
// the owner and group; the mode always, or the write fails.
std::optional<std::string> CopyOwnerAndMode(int fd, const struct stat& old,
                                            const std::string& temporary) {
    // The owner before the mode: a change of owner clears the set-user-ID and set-group-ID bits.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        if (!MayNotSetOwner(errno))
            return "could not give " + temporary + " the owner of the old file: " + ErrnoText();
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && !MayNotSetOwner(errno))
            return "could not give " + temporary + " the group of the old file: " + ErrnoText();
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return "could not give " + temporary + " the mode of the old file: " + ErrnoText();
    return std::nullopt;
}

// Opens the lock file, creating it if needed. A lock file we create is made readable by everyone
// whatever the umask, or a user whose file root once saved could never take the lock again.
int OpenOrCreateLockFile(const std::string& lockPath) {
    // Non-blocking, so a pipe put in its place cannot hang the program in open().
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int created = ::open(lockPath.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
        if (created >= 0) {
            ::fchmod(created, 0644);
            return created;
        }
        if (errno != EEXIST)
            return -1;
        const int existing = ::open(lockPath.c_str(), kFlags);
        // Gone again between the two calls: a user cleaned up; try once more.
        if (existing >= 0 || errno != ENOENT)
            return existing;
    }
    return -1;
}

void FlushFolderOf(const std::string& path) {
    // Makes the rename itself durable; some file systems cannot do this, which is harmless.
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

constexpr int kMostLinks = 40;

bool IsSharedFolder(const struct stat& folder) {
    constexpr mode_t kShared = S_ISVTX | S_IWOTH;
    return S_ISDIR(folder.st_mode) && (folder.st_mode & kShared) == kShared;
}

// The kernel's rule for protected links, applied to every link and folder on the way to the
// settings file: in a sticky folder that anyone may write to, a link is followed, and a folder
// written in, only when it belongs to this user or to the folder's owner. Otherwise another
// user could make the program write wherever they like.
std::optional<std::string> UntrustedEntryReason(const std::string& entry, const struct stat& info,
                                                const std::string& folder) {
    if (info.st_uid == ::geteuid())
        return std::nullopt;
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0 || !IsSharedFolder(folderInfo) ||
        folderInfo.st_uid == info.st_uid) {
        return std::nullopt;
    }
    if (S_ISLNK(info.st_mode)) {
        return entry +
               " is a symbolic link in a folder that anyone may write to, and it belongs neither "
               "to you nor to the folder's owner, so it is not followed";
    }
    return "the folder " + entry +
           " stands in a folder that anyone may write to and belongs to another user, so the "
           "settings file is not written there";
}

// Pushes the parts of `path` so that the first one is popped first; "." and empty parts are
// nothing to walk.
void PushParts(std::string_view path, std::vector<std::string>& pending) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        const std::string_view part = path.substr(begin, end - begin);
        if (!part.empty() && part != ".")
            parts.emplace_back(part);
        begin = end + 1;
    }
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::optional<std::string> ReadLink(const std::string& link) {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target;
}

}  // namespace

std::optional<std::string> FollowLinks(const std::string& path, std::string& reason) {
    std::vector<std::string> pending;  // the parts still to walk, the next one last
    PushParts(path, pending);
    std::string walked = path.starts_with('/') ? "/" : "";  // holds no link
    int links = 0;
    while (!pending.empty()) {
        const std::string name = std::move(pending.back());
        pending.pop_back();
        const std::string folder = walked.empty() ? "." : walked;
        const std::string next = Joined(walked, name);
        struct stat info {};
        // "..", or a part that does not exist yet, leaves nothing to follow or check.
        if (name == ".." || ::lstat(next.c_str(), &info) != 0) {
            walked = next;
            continue;
        }
        const bool link = S_ISLNK(info.st_mode);
        if (link || (S_ISDIR(info.st_mode) && !pending.empty())) {
            if (auto refusal = UntrustedEntryReason(next, info, folder)) {
                reason = std::move(*refusal);
                return std::nullopt;
            }
        }
        if (!link) {
            walked = next;
            continue;
        }
        const std::optional<std::string> target = ReadLink(next);
        if (!target || ++links > kMostLinks) {
            reason = "could not follow the symbolic links that lead to " + path;
            return std::nullopt;
        }
        if (target->starts_with('/'))
            walked = "/";
        PushParts(*target, pending);
    }
    // Without a link on the way the path stays as the user wrote it, for the messages.
    return links == 0 ? path : walked;
}

ReadOutcome ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    // Non-blocking, so a pipe put in the file's place cannot hang the program.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return ReadOutcome{};
        return Failed("could not open " + path + ": " + ErrnoText());
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        return Failed("could not examine " + path + ": " + ErrnoText());
    if (S_ISDIR(info.st_mode))
        return Failed("a folder stands where the file " + path + " should be");
    if (!S_ISREG(info.st_mode))
        return Failed(path + " is not a regular file, so it is left alone");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return Failed(TooLargeReason(path, maxBytes));
    ReadOutcome outcome;
    outcome.bytes.reserve(static_cast<std::size_t>(info.st_size));
    if (!ReadAll(fd.Get(), maxBytes, outcome.bytes)) {
        if (errno == EFBIG)
            return Failed(TooLargeReason(path, maxBytes));
        return Failed("could not read " + path + ": " + ErrnoText());
    }
    if (::fstat(fd.Get(), &info) != 0)
        return Failed("could not examine " + path + ": " + ErrnoText());
    outcome.status = ReadStatus::Ok;
    outcome.stamp = StampFrom(info);
    return outcome;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return StampFrom(info);
}

namespace detail {

std::intptr_t OpenLockFile(const std::string& lockPath, std::string& reason) {
    // Read-only is enough for flock, and lets every user who may read the file take the lock.
    Descriptor fd(OpenOrCreateLockFile(lockPath));
    if (fd.Get() < 0) {
        reason = "could not open the lock file " + lockPath + ": " + ErrnoText();
        return kNoHandle;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = NotARegularLockFileReason(lockPath);
        return kNoHandle;
    }
    return fd.Release();
}

LockAttempt TryLockOnce(std::intptr_t handle, const std::string& lockPath, std::string& reason) {
    for (;;) {
        if (::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0)
            return LockAttempt::Locked;
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK)
            return LockAttempt::Busy;
        reason = "could not lock " + lockPath + ": " + ErrnoText();
        return LockAttempt::Failed;
    }
}

void CloseLockFile(std::intptr_t handle) {
    ::close(static_cast<int>(handle));
}

}  // namespace detail

namespace {

// Gives the temporary file its owner and mode, writes it, flushes it to the disk and closes it.
std::optional<std::string> FillTemporary(Descriptor& fd, const std::string& temporary,
                                         const struct stat* old, std::string_view bytes) {
    if (old != nullptr) {
        if (auto failure = CopyOwnerAndMode(fd.Get(), *old, temporary))
            return failure;
    }
    if (!WriteAll(fd.Get(), bytes))
        return "could not write " + temporary + ": " + ErrnoText();
    if (::fsync(fd.Get()) != 0)
        return "could not flush " + temporary + " to the disk: " + ErrnoText();
    if (::close(fd.Release()) != 0)
        return "could not write " + temporary + ": " + ErrnoText();
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckReplaceable(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0)
        return std::nullopt;
    if (S_ISDIR(old.st_mode))
        return "a folder stands where the file " + path + " should be";
    // The rename needs only the folder's permission; a file made read-only stays as it is, as
    // it would where the file itself is written. The mode bits count for root too.
    if ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return "could not replace " + path + ": it is read-only";
    return std::nullopt;
}

std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes) {
    if (auto refusal = CheckReplaceable(path))
        return refusal;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    const std::string temporary = TemporaryPathFor(path);
    // A crash may have left one behind; the lock guarantees it is nobody's work in progress.
    ::unlink(temporary.c_str());
    struct stat left {};
    if (::lstat(temporary.c_str(), &left) == 0 && S_ISDIR(left.st_mode))
        return "a folder stands where the temporary file " + temporary + " should be";
    // A new file gets what the umask allows. Replacing an old one, the temporary file starts
    // private and takes the old mode before any byte is written, so it never shows the content
    // to more users than the old file did.
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                         exists ? 0600 : 0666));
    if (fd.Get() < 0)
        return "could not create " + temporary + ": " + ErrnoText();
    std::optional<std::string> failure =
        FillTemporary(fd, temporary, exists ? &old : nullptr, bytes);
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0)
        failure = "could not replace " + path + ": " + ErrnoText();
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    FlushFolderOf(path);
    return std::nullopt;
}

std::string ProgramFilePath() {
    return {};
}

}  // namespace korvane::file_access
