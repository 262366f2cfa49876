// The Windows half of FileAccess; FileAccessPosix.cpp holds the other and FileAccess.cpp what
// the two share.
#include "app/FileAccess.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/FileAccessInternal.h"
#include "app/WindowsApi.h"
#include "app/WindowsText.h"

namespace korvane::file_access {

using namespace detail;

namespace {

// The file functions take paths of up to MAX_PATH characters, CreateDirectoryW 12 fewer;
// longer ones need the "\\?\" form.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;
// Windows refuses to rename over a file another program has open until it is closed; readers
// (ours, a virus scanner, an editor loading it) hold it only for moments.
constexpr std::chrono::milliseconds kReplacePatience{2000};

// The system's text for an error, in UTF-8 (the narrow functions would give the ANSI code
// page), without the full stop and line break Windows ends it with.
std::string ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length == 0 ? std::wstring() : std::wstring(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty())
        return "system error " + std::to_string(error);
    return Utf8FromWide(text);
}

std::string LastErrorText() {
    return ErrorText(::GetLastError());
}

// Where the drive ("C:\") or the share ("\\server\share\") ends, in any of the path's forms;
// 0 for a relative path.
std::size_t RootLength(std::wstring_view path) {
    const auto afterParts = [&path](std::size_t start, int parts) {
        std::size_t end = start;
        for (int part = 0; part < parts && end < path.size(); ++part) {
            end = path.find_first_of(L"\\/", end);
            end = end == std::wstring_view::npos ? path.size() : end + 1;
        }
        return end;
    };
    std::size_t start = 0;
    if (path.starts_with(L"\\\\?\\UNC\\"))
        return afterParts(8, 2);
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        start = 4;
    else if (path.starts_with(L"\\\\"))
        return afterParts(2, 2);
    if (path.size() < start + 2 || path[start + 1] != L':')
        return start;
    const bool separator =
        path.size() > start + 2 && (path[start + 2] == L'\\' || path[start + 2] == L'/');
    return start + (separator ? 3 : 2);
}

// "C:\" and "\\server\share" name a place for files, not a file (Wine would even make a file
// of "\\server").
bool NamesAFile(std::wstring_view path) {
    return path.size() > RootLength(path);
}

constexpr const char* kNotAFileReason = "the path names a drive or a share, not a file";

// The path as the wide file functions take it: long ones made absolute and given the "\\?\"
// prefix, which also switches off the rewriting of "/", "." and "..", so the full path is
// worked out first.
std::wstring SystemPath(std::string_view utf8) {
    const std::wstring wide = WideFromUtf8(utf8);
    if (wide.size() < kShortPathLimit || wide.starts_with(L"\\\\?\\") ||
        wide.starts_with(L"\\\\.\\"))
        return wide;
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return wide;
    full.resize(length);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    bool Close() { return !Valid() || ::CloseHandle(Release()); }

  private:
    HANDLE handle_;
};

// FILETIME counts 100 ns ticks since 1601; the stamp counts from 1970 like the system clock.
std::int64_t TicksToNs(std::int64_t ticks) {
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    return (ticks - kTicksFrom1601To1970) * 100;
}

std::int64_t FileTimeNs(const FILETIME& time) {
    return TicksToNs(static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime));
}

// Other programs may read, rewrite or replace the file while we read it, as on other systems.
HANDLE OpenForReading(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::optional<FileStamp> StampOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modifiedNs = FileTimeNs(info.ftLastWriteTime);
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic))
        stamp.changedNs = TicksToNs(basic.ChangeTime.QuadPart);
    return stamp;
}

// Creates `folder` and the folders above it, down from the drive or share, which must exist.
std::optional<std::string> CreateFolder(const std::wstring& folder, std::size_t rootLength) {
    if (IsFolder(folder))
        return std::nullopt;
    if (folder.size() <= rootLength) {
        return "could not reach " + Utf8FromWide(folder) + ": " + LastErrorText();
    }
    const std::size_t cut = folder.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut >= rootLength && cut > 0) {
        if (auto failure = CreateFolder(folder.substr(0, cut), rootLength))
            return failure;
    }
    if (::CreateDirectoryW(folder.c_str(), nullptr) || IsFolder(folder))
        return std::nullopt;
    return "could not create the folder " + Utf8FromWide(folder) + ": " + LastErrorText();
}

std::optional<std::string> WriteTemporary(const std::wstring& path, const std::string& name,
                                          std::string_view bytes, DWORD attributes) {
    Handle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    if (!file.Valid())
        return "could not create " + name + ": " + LastErrorText();
    while (!bytes.empty()) {
        DWORD put = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(file.Get(), bytes.data(), chunk, &put, nullptr) || put == 0)
            return "could not write " + name + ": " + LastErrorText();
        bytes.remove_prefix(put);
    }
    if (!::FlushFileBuffers(file.Get()))
        return "could not flush " + name + " to the disk: " + LastErrorText();
    if (!file.Close())
        return "could not write " + name + ": " + LastErrorText();
    return std::nullopt;
}

std::optional<std::string> RenameOver(const std::wstring& from, const std::wstring& to,
                                      const std::string& name) {
    RetryPacing pacing(kReplacePatience);
    for (;;) {
        if (::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return std::nullopt;
        const DWORD error = ::GetLastError();
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_LOCK_VIOLATION;
        if (!busy)
            return "could not replace " + name + ": " + ErrorText(error);
        if (pacing.Expired()) {
            return "could not replace " + name + ": another program kept it open (" +
                   ErrorText(error) + ")";
        }
        pacing.Wait();
    }
}

}  // namespace

// Windows has no sticky folders shared by all users, and creating a link takes a privilege
// there: the chain is followed as it stands.
std::optional<std::string> FollowLinks(const std::string& path, std::string&) {
    fs::path current = ToPath(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(current, error) || error)
            break;
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            break;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return FromPath(current);
}

std::optional<std::string> CreateParentFolders(const std::string& path) {
    const std::wstring target = SystemPath(path);
    if (!NamesAFile(target))
        return kNotAFileReason;
    const std::size_t rootLength = RootLength(target);
    const std::size_t cut = target.find_last_of(L"\\/");
    // In the drive's or share's root there is no folder to make; the file itself tells whether
    // the root is there.
    if (cut == std::wstring::npos || cut < rootLength)
        return std::nullopt;
    return CreateFolder(target.substr(0, cut), rootLength);
}

ReadOutcome ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    const std::wstring systemPath = SystemPath(path);
    if (!NamesAFile(systemPath))
        return Failed(kNotAFileReason);
    Handle file(OpenForReading(systemPath));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return ReadOutcome{};
        if (IsFolder(systemPath))
            return Failed("a folder stands where the file " + path + " should be");
        return Failed("could not open " + path + ": " + ErrorText(error));
    }
    // Devices such as CON or NUL open under any folder.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return Failed(path + " is not a regular file, so it is left alone");
    const std::optional<FileStamp> stamp = StampOfHandle(file.Get());
    if (!stamp)
        return Failed("could not examine " + path + ": " + LastErrorText());
    if (stamp->size > maxBytes)
        return Failed(TooLargeReason(path, maxBytes));
    ReadOutcome outcome;
    outcome.bytes.reserve(static_cast<std::size_t>(stamp->size));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            return Failed("could not read " + path + ": " + LastErrorText());
        }
        if (got == 0)
            break;
        if (outcome.bytes.size() + got > maxBytes)
            return Failed(TooLargeReason(path, maxBytes));
        outcome.bytes.append(buffer, got);
    }
    outcome.status = ReadStatus::Ok;
    outcome.stamp = StampOfHandle(file.Get()).value_or(*stamp);
    return outcome;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    Handle file(OpenForReading(SystemPath(path)));
    if (!file.Valid())
        return std::nullopt;
    return StampOfHandle(file.Get());
}

namespace detail {

std::intptr_t OpenLockFile(const std::string& lockPath, std::string& reason) {
    // Read access is enough for LockFileEx, and lets every user who may read the file lock it.
    Handle file(::CreateFileW(SystemPath(lockPath).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        reason = "could not open the lock file " + lockPath + ": " + LastErrorText();
        return kNoHandle;
    }
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
        reason = NotARegularLockFileReason(lockPath);
        return kNoHandle;
    }
    return reinterpret_cast<std::intptr_t>(file.Release());
}

LockAttempt TryLockOnce(std::intptr_t handle, const std::string& lockPath, std::string& reason) {
    OVERLAPPED region{};
    if (::LockFileEx(reinterpret_cast<HANDLE>(handle),
                     LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region)) {
        return LockAttempt::Locked;
    }
    if (::GetLastError() == ERROR_LOCK_VIOLATION)
        return LockAttempt::Busy;
    reason = "could not lock " + lockPath + ": " + LastErrorText();
    return LockAttempt::Failed;
}

void CloseLockFile(std::intptr_t handle) {
    ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace detail

std::optional<std::string> CheckReplaceable(const std::string& path) {
    const std::wstring target = SystemPath(path);
    if (!NamesAFile(target))
        return kNotAFileReason;
    const DWORD old = ::GetFileAttributesW(target.c_str());
    if (old == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    // Windows refuses to rename over a read-only file, but only after the whole temporary file
    // is written, and Wine does not refuse at all.
    if ((old & FILE_ATTRIBUTE_READONLY) != 0)
        return "could not replace " + path + ": it is read-only";
    if ((old & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return "a folder stands where the file " + path + " should be";
    return std::nullopt;
}

std::optional<std::string> ReplaceFileContent(const std::string& path, std::string_view bytes) {
    if (auto refusal = CheckReplaceable(path))
        return refusal;
    const std::wstring target = SystemPath(path);
    const DWORD old = ::GetFileAttributesW(target.c_str());
    const bool exists = old != INVALID_FILE_ATTRIBUTES;
    const std::string temporary = TemporaryPathFor(path);
    const std::wstring systemTemporary = SystemPath(temporary);
    // A crash may have left one behind; the lock guarantees it is nobody's work in progress.
    ::SetFileAttributesW(systemTemporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(systemTemporary.c_str());
    const DWORD left = ::GetFileAttributesW(systemTemporary.c_str());
    if (left != INVALID_FILE_ATTRIBUTES && (left & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return "a folder stands where the temporary file " + temporary + " should be";
    // The user's hidden or system mark stays on the new file.
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = exists && (old & kKept) != 0 ? old & kKept : FILE_ATTRIBUTE_NORMAL;
    std::optional<std::string> failure =
        WriteTemporary(systemTemporary, temporary, bytes, attributes);
    if (!failure)
        failure = RenameOver(systemTemporary, target, path);
    if (failure)
        ::DeleteFileW(systemTemporary.c_str());
    return failure;
}

std::string ProgramFilePath() {
    // Wine's GetModuleFileNameW drops the "\\" of a program on a share ("UNC\server\...");
    // QueryFullProcessImageNameW gives a path BuildSettingsPath reads on Windows and Wine alike.
    std::wstring buffer(32768, L'\0');
    auto length = static_cast<DWORD>(buffer.size());
    if (!::QueryFullProcessImageNameW(::GetCurrentProcess(), 0, buffer.data(), &length)) {
        length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0 || length >= buffer.size())
            return {};
    }
    buffer.resize(length);
    return Utf8FromWide(buffer);
}

}  // namespace korvane::file_access
