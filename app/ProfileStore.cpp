#include "app/ProfileStore.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <utility>

#include "app/FileAccess.h"
#include "app/TextEncoding.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

// A peer writes in well under a millisecond on an idle machine, but on a loaded one, with the
// disk flushing and other writers in turn before us, the wait can last seconds; waiting longer
// than this means the peer hangs, and the user still hears so while the wait is bearable.
constexpr std::chrono::milliseconds kLockPatience{15000};
// A file changed this recently may change again without its time stamp moving (time stamps
// are coarse on many file systems), so its cached content is not trusted.
constexpr std::int64_t kSettledAfterNs = 3'000'000'000;

bool IsSettled(const file_access::FileStamp& stamp) {
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return now - stamp.modifiedNs >= kSettledAfterNs && now - stamp.changedNs >= kSettledAfterNs;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

// Why `text` cannot be stored as a name (or value, when `isValue`); empty when it can.
std::string RefusalOf(std::string_view what, std::string_view text, bool isValue) {
    if (!IsValidUtf8(text))
        return "the " + std::string(what) + " is not valid UTF-8 text";
    if (ContainsControlCharacter(text)) {
        return "the " + std::string(what) + " holds a line break or another control character";
    }
    if (isValue)
        return {};
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return "the " + std::string(what) + " is empty";
    if (what == "key" && (trimmed.find('=') != std::string_view::npos || trimmed.front() == '[' ||
                          trimmed.front() == ';' || trimmed.front() == '#')) {
        return "the key " + Quoted(text) + " would not read back as a key";
    }
    return {};
}

// What a draft was made on: enough to tell, under the lock, whether another process changed
// the file since, without keeping a second copy of a file that may be 32 MB. A 64-bit hash of
// equal size matching by chance is not a risk worth the memory.
struct Origin {
    file_access::ReadStatus status = file_access::ReadStatus::Missing;
    std::size_t size = 0;
    std::size_t hash = 0;

    static Origin Of(const file_access::ReadOutcome& file) {
        return Origin{file.status, file.bytes.size(), std::hash<std::string_view>{}(file.bytes)};
    }
    friend bool operator==(const Origin&, const Origin&) = default;
};

// One run of a change over the file's content as read: everything that can refuse the write is
// decided here, before anything is created.
struct Draft {
    WriteResult outcome;
    bool changed = false;
    Origin origin;         // the file the change was made on
    IniDocument document;  // the file after the change
};

Draft MakeDraft(const std::string& target, file_access::ReadOutcome file,
                const std::function<void(ProfileEditor&)>& change) {
    Draft draft;
    if (file.status == file_access::ReadStatus::Failed) {
        // Writing now would replace a file we could not read with one holding a single key.
        draft.outcome = WriteResult::Failure(WriteError::FileError, std::move(file.reason));
        return draft;
    }
    if (file.bytes.find('\0') != std::string::npos) {
        draft.outcome = WriteResult::Failure(WriteError::FileError,
                                             target + " holds binary data, so it is left alone");
        return draft;
    }
    draft.origin = Origin::Of(file);
    draft.document = IniDocument::Parse(std::move(file.bytes));
    ProfileEditor editor(draft.document);
    change(editor);
    draft.outcome = editor.Outcome();
    if (!draft.outcome.ok() || !editor.Changed())
        return draft;
    // Otherwise the write would succeed and every later read give defaults.
    if (draft.document.SerialisedSize() > kMaxSettingsFileBytes) {
        draft.outcome =
            WriteResult::Failure(WriteError::FileError,
                                 "the change would make " + target + " larger than " +
                                     std::to_string(kMaxSettingsFileBytes / (1024 * 1024)) +
                                     " MB, more than the program reads back, so it was not saved");
        return draft;
    }
    draft.changed = true;
    return draft;
}

// Creates the folders above `target`, then walks the path again: a folder another user put in
// a shared folder meanwhile, or a link that appeared, must not be written in.
std::optional<std::string> CreateFolders(const std::string& path, const std::string& target) {
    if (auto failure = file_access::CreateParentFolders(target))
        return failure;
    std::string reason;
    const std::optional<std::string> again = file_access::FollowLinks(path, reason);
    if (!again)
        return reason;
    if (*again != target)
        return "the folders leading to " + path + " changed while the settings were being saved";
    return std::nullopt;
}

}  // namespace

struct ProfileSnapshot::Data {
    file_access::FileStamp stamp;
    bool settled = false;
    std::size_t size = 0;  // of the bytes the index was built from, and their hash
    std::size_t hash = 0;
    std::shared_ptr<const IniIndex> index;  // shared by the snapshots of one content
};

std::optional<int> ParseProfileInt(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    const bool negative = text.front() == '-';
    std::int64_t value = 0;
    for (std::size_t i = negative ? 1 : 0; i < text.size() && text[i] >= '0' && text[i] <= '9';
         ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::string ProfileReader::GetString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int ProfileReader::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> value = Find(section, key);
    if (!value)
        return defaultValue;
    return ParseProfileInt(*value).value_or(defaultValue);
}

std::optional<std::string> ProfileSnapshot::Find(std::string_view section,
                                                 std::string_view key) const {
    const std::optional<std::string_view> value =
        IniIndex::Find(Section(section), FoldCase(TrimBlanks(key)));
    if (!value)
        return std::nullopt;
    return std::string(*value);
}

const IniIndex::Entries* ProfileSnapshot::Section(std::string_view section) const {
    if (!data_)
        return nullptr;
    return data_->index->FindSection(FoldCase(TrimBlanks(section)));
}

std::vector<std::string> ProfileSnapshot::SectionsWithKey(std::string_view keyPrefix) const {
    if (!data_)
        return {};
    return data_->index->SectionNamesWithKey(FoldCase(keyPrefix));
}

std::optional<std::string> ProfileEditor::Find(std::string_view section,
                                               std::string_view key) const {
    const std::optional<std::string_view> value =
        document_.Find(FoldCase(TrimBlanks(section)), FoldCase(TrimBlanks(key)));
    if (!value)
        return std::nullopt;
    return std::string(*value);
}

bool ProfileEditor::Admit(std::string_view section, std::string_view key,
                          const std::string_view* value) {
    if (!outcome_.ok())
        return false;
    std::string refusal = RefusalOf("section name", section, false);
    if (refusal.empty())
        refusal = RefusalOf("key", key, false);
    if (refusal.empty() && value != nullptr)
        refusal = RefusalOf("value", *value, true);
    if (refusal.empty())
        return true;
    Refuse(WriteError::RefusedText, std::move(refusal));
    return false;
}

void ProfileEditor::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (Admit(section, key, &value) && document_.Set(section, key, value))
        changed_ = true;
}

void ProfileEditor::SetInt(std::string_view section, std::string_view key, int value) {
    Set(section, key, std::to_string(value));
}

void ProfileEditor::Delete(std::string_view section, std::string_view key) {
    if (Admit(section, key, nullptr) && document_.Erase(section, key))
        changed_ = true;
}

void ProfileEditor::DeleteSectionIfEmpty(std::string_view section) {
    if (Admit(section, "key", nullptr) && document_.EraseSectionIfEmpty(section))
        changed_ = true;
}

void ProfileEditor::Refuse(WriteError error, std::string reason) {
    if (outcome_.ok())
        outcome_ = WriteResult::Failure(error, std::move(reason));
}

ProfileStore::ProfileStore(std::string path) : path_(std::move(path)) {}

ProfileSnapshot ProfileStore::Snapshot() const {
    if (path_.empty())
        return {};
    const std::optional<file_access::FileStamp> stamp = file_access::StampOf(path_);
    if (!stamp)
        return {};
    if (cache_ && cache_->settled && cache_->stamp == *stamp)
        return ProfileSnapshot(cache_);
    file_access::ReadOutcome file = file_access::ReadWholeFile(path_, kMaxSettingsFileBytes);
    if (file.status != file_access::ReadStatus::Ok)
        return {};
    const std::size_t hash = std::hash<std::string_view>{}(file.bytes);
    // A file changed in the last seconds is read again, but parsed again only when its bytes
    // differ: at a start right after a save, each of the many settings read would otherwise
    // parse the whole file.
    if (cache_ && cache_->size == file.bytes.size() && cache_->hash == hash) {
        auto data = std::make_shared<ProfileSnapshot::Data>(*cache_);
        data->stamp = file.stamp;
        data->settled = IsSettled(file.stamp);
        cache_ = std::move(data);
        return ProfileSnapshot(cache_);
    }
    cache_.reset();  // the old index is not kept beside the new one
    auto data = std::make_shared<ProfileSnapshot::Data>();
    data->stamp = file.stamp;
    data->settled = IsSettled(file.stamp);
    data->size = file.bytes.size();
    data->hash = hash;
    data->index = std::make_shared<const IniIndex>(IniIndex::Build(std::move(file.bytes)));
    cache_ = data;
    return ProfileSnapshot(std::move(data));
}

int ProfileStore::GetProfileInt(std::string_view section, std::string_view key,
                                int defaultValue) const {
    return Snapshot().GetInt(section, key, defaultValue);
}

std::string ProfileStore::GetProfileString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) const {
    return Snapshot().GetString(section, key, defaultValue);
}

WriteResult ProfileStore::WriteProfileInt(std::string_view section, std::string_view key,
                                          int value) {
    return Update([&](ProfileEditor& editor) { editor.SetInt(section, key, value); });
}

WriteResult ProfileStore::WriteProfileString(std::string_view section, std::string_view key,
                                             std::string_view value) {
    return Update([&](ProfileEditor& editor) { editor.Set(section, key, value); });
}

WriteResult ProfileStore::DeleteProfileKey(std::string_view section, std::string_view key) {
    return Update([&](ProfileEditor& editor) { editor.Delete(section, key); });
}

WriteResult ProfileStore::Update(const std::function<void(ProfileEditor&)>& change) {
    if (path_.empty())
        return WriteResult::Failure(WriteError::FileError, "no settings file is in use");
    // Replacing a symbolic link would cut it; replace the file it leads to instead.
    std::string reason;
    const std::optional<std::string> target = file_access::FollowLinks(path_, reason);
    if (!target)
        return WriteResult::Failure(WriteError::FileError, std::move(reason));
    Draft draft =
        MakeDraft(*target, file_access::ReadWholeFile(*target, kMaxSettingsFileBytes), change);
    if (!draft.outcome.ok() || !draft.changed)
        return draft.outcome;
    if (auto refusal = file_access::CheckReplaceable(*target))
        return WriteResult::Failure(WriteError::FileError, std::move(*refusal));
    if (beforeLock_)
        beforeLock_();
    if (auto failure = CreateFolders(path_, *target))
        return WriteResult::Failure(WriteError::FileError, std::move(*failure));
    const auto lock = file_access::ExclusiveLock::Acquire(*target + ".lock", kLockPatience, reason);
    if (!lock)
        return WriteResult::Failure(WriteError::FileError, std::move(reason));
    file_access::ReadOutcome file = file_access::ReadWholeFile(*target, kMaxSettingsFileBytes);
    // Another process wrote before the lock was ours: the change is made again on its result.
    if (Origin::Of(file) != draft.origin) {
        draft = MakeDraft(*target, std::move(file), change);
        if (!draft.outcome.ok() || !draft.changed)
            return draft.outcome;
    }
    file = {};
    cache_.reset();
    if (auto failure = file_access::ReplaceFileContent(*target, draft.document.Serialise())) {
        return WriteResult::Failure(WriteError::FileError, std::move(*failure));
    }
    return {};
}

}  // namespace korvane
