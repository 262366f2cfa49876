#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/IniDocument.h"

namespace korvane {

enum class WriteError {
    None,
    RefusedText,  // a name or value the file cannot hold (line break, control character...)
    NoFreeEntry,  // the custom-unit storage found no free Custom_n or CustomUnit_n entry
    FileError,    // the file could not be locked, read, or replaced
};

// The outcome of a write. Failures are values, never exceptions: a write that fails leaves the
// file as it was, and the caller decides whether and how to tell the user.
struct WriteResult {
    WriteError error = WriteError::None;
    std::string reason;  // a sentence for the user; empty on success

    bool ok() const { return error == WriteError::None; }
    static WriteResult Failure(WriteError error, std::string reason) {
        return WriteResult{error, std::move(reason)};
    }
};

// The largest settings file the reader accepts. A larger file reads as empty, so a write that
// would make the file larger is refused.
inline constexpr std::size_t kMaxSettingsFileBytes = 32 * 1024 * 1024;

// Integer values: blanks, an optional minus sign, then the leading decimal digits ("12abc" is
// 12, "abc" is 0). nullopt, meaning "use the default", for an empty text or one outside the
// range of int.
std::optional<int> ParseProfileInt(std::string_view text);

// Reading by section and key; names match whatever their letter case.
class ProfileReader {
  public:
    virtual std::optional<std::string> Find(std::string_view section,
                                            std::string_view key) const = 0;
    // The value, or `defaultValue` when the key is missing (an empty value is a value).
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // The value by ParseProfileInt, or `defaultValue` when missing, empty or out of range.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

  protected:
    ~ProfileReader() = default;
};

// The file as it was at one moment; cheap to copy. Reading many keys through one snapshot costs
// one look at the file instead of one per key, and gives a view no other process can change
// half-way through.
class ProfileSnapshot final : public ProfileReader {
  public:
    struct Data;
    ProfileSnapshot() = default;
    explicit ProfileSnapshot(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
    std::optional<std::string> Find(std::string_view section, std::string_view key) const override;
    // The entries of one section, keyed by folded key, for reading many keys of it; nullptr
    // when the file has no such section.
    const IniIndex::Entries* Section(std::string_view section) const;
    // The folded names of the sections holding a key that begins with `keyPrefix`.
    std::vector<std::string> SectionsWithKey(std::string_view keyPrefix) const;

  private:
    std::shared_ptr<const Data> data_;
};

// The file as it stands while the writer holds the lock. Reads see the changes made so far;
// the changes reach the file together when the update ends, or not at all.
class ProfileEditor final : public ProfileReader {
  public:
    explicit ProfileEditor(IniDocument& document) : document_(document) {}
    std::optional<std::string> Find(std::string_view section, std::string_view key) const override;

    // Names and values are trimmed. A name that is empty or holds '=' (keys) or a control
    // character, or text that is not UTF-8, refuses the whole update.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    void Delete(std::string_view section, std::string_view key);
    // The section's header goes too when nothing but blank lines is left below it.
    void DeleteSectionIfEmpty(std::string_view section);
    // Ends the update without writing anything.
    void Refuse(WriteError error, std::string reason);

    bool Changed() const { return changed_; }
    const WriteResult& Outcome() const { return outcome_; }

  private:
    bool Admit(std::string_view section, std::string_view key, const std::string_view* value);

    IniDocument& document_;
    bool changed_ = false;
    WriteResult outcome_;
};

// The settings file, consulted on every read and changed key by key. Every write takes an
// exclusive lock beside the file, re-reads it, applies its change, writes a temporary file in
// the same folder, flushes it to the disk and renames it over the old file: two running copies
// never lose each other's keys, and a crash leaves the old file or the new one.
//
// Nothing is read at construction, and the folder is created only by the first write. An empty
// path means "no settings file": every read gives its default and every write fails. One store
// is used from one thread at a time.
class ProfileStore {
  public:
    explicit ProfileStore(std::string path);

    const std::string& Path() const { return path_; }

    // The file as it is now. A file that is missing, unreadable or not a regular file reads as
    // empty, so every key gives its default.
    ProfileSnapshot Snapshot() const;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const;

    WriteResult WriteProfileInt(std::string_view section, std::string_view key, int value);
    WriteResult WriteProfileString(std::string_view section, std::string_view key,
                                   std::string_view value);
    // The write without a value: the key disappears, so reads give their default again.
    WriteResult DeleteProfileKey(std::string_view section, std::string_view key);

    // Several keys changed under one lock and written in one step; `change` may read the file
    // as it stands under the lock, which makes "find a free entry, then fill it" safe against
    // other processes. A file whose content is already what `change` asks for is not rewritten.
    //
    // `change` first runs on the file as read before the lock is taken, so a write that is
    // refused, or changes nothing, creates neither the folder nor the lock file. If another
    // process changed the file before the lock was ours, it runs again on the file as it then
    // stands, and only that run counts: `change` must not carry anything from one run over to
    // the next.
    WriteResult Update(const std::function<void(ProfileEditor&)>& change);

    // For tests of races with another process: runs in Update after the file was first read and
    // before the lock is taken, where another process may change the file.
    void SetBeforeLockHook(std::function<void()> hook) { beforeLock_ = std::move(hook); }

  private:
    std::string path_;
    std::function<void()> beforeLock_;
    mutable std::shared_ptr<const ProfileSnapshot::Data> cache_;
};

}  // namespace korvane
