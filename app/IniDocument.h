#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Blanks around names and values carry no meaning in the file: TrimBlanks drops them.
#include "catalogue/Blanks.h"

namespace korvane {

// Lookup by std::string_view in maps keyed by std::string, without building a string.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

// A settings file as its text and the changes made to it. Lines we do not change are written
// back exactly as read, so comments and foreign lines survive our writes.
//
// Section and key names are matched through FoldCase; the value is the text after the first
// '=' with blanks trimmed. Where a section or key occurs twice, the first one is read and
// written; entries before the first section header belong to no section.
//
// A file may be as large as the reader's limit (32 MB) and hold millions of lines, so nothing is
// kept per line: the text stays one buffer, the section headers are indexed once, the few lines
// a change touches are kept beside the text, and the keys of a section are gathered the first
// time that section is read. One document is used from one thread at a time.
class IniDocument {
  public:
    using Entries = std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>;

    // Accepts UTF-8 with or without a byte-order mark; a line that is not valid UTF-8 is read
    // as Windows-1252. LF, CRLF and a lone CR all end a line. Takes the buffer over when the
    // text is UTF-8 already; the other forms copy it.
    static IniDocument Parse(std::string&& bytes);
    static IniDocument Parse(std::string_view bytes) { return Parse(std::string(bytes)); }
    static IniDocument Parse(const char* bytes) { return Parse(std::string(bytes)); }

    // UTF-8, with the line break the file used, every line ended. A file that had none gets
    // the platform's: CR LF on Windows, where Notepad and the system's own INI functions write
    // it, LF elsewhere.
    std::string Serialise() const;
    std::size_t SerialisedSize() const;

    // Names must already be folded.
    std::optional<std::string_view> Find(std::string_view foldedSection,
                                         std::string_view foldedKey) const;
    // Every key of the section (first values), keyed by folded key; nullptr when the file has
    // no such section. Valid until the document changes that section.
    const Entries* FindSection(std::string_view foldedSection) const;
    // The folded names of the sections, each once, in file order.
    std::vector<std::string> SectionNames() const;
    // The folded names of the sections that hold a key beginning with `foldedKeyPrefix`, each
    // once, in file order: one pass over the file instead of gathering every section's keys.
    std::vector<std::string> SectionNamesWithKey(std::string_view foldedKeyPrefix) const;

    // Names as the caller spells them (matched through FoldCase); the names and the value must
    // hold no line break. A new key goes at the end of the first matching section, a new
    // section at the end of the file. Both return false when the file already said so.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every occurrence of the key in every matching section.
    bool Erase(std::string_view section, std::string_view key);
    // Removes the headers of matching sections that hold nothing but blank lines, with those
    // lines; a section with a key or a comment stays.
    bool EraseSectionIfEmpty(std::string_view section);

    bool HasByteOrderMark() const { return byteOrderMark_; }
    bool UsesCrLf() const { return crlf_; }

  private:
    // A line: an original one, by the offset where it starts in text_, or one inserted before
    // the original line at `at` (text_.size() for the end of the file), by its place there.
    struct LineRef {
        std::uint32_t at = 0;
        int inserted = -1;
    };
    // What changed at one original line: lines inserted before it, and the line itself.
    struct Edit {
        std::vector<std::string> before;
        std::optional<std::string> text;
        bool removed = false;
    };

    template <typename Visit>
    void Walk(LineRef from, Visit&& visit) const;
    template <typename Visit>
    void WalkSection(LineRef header, Visit&& visit) const;
    std::vector<LineRef> HeadersOf(std::string_view foldedSection) const;
    std::uint32_t NextLineStart(std::uint32_t at) const;
    void Replace(LineRef line, std::string text);
    void Remove(LineRef line);
    void InsertAfter(LineRef line, std::string text);
    void AppendSection(std::string_view section, std::string_view key, std::string_view value);
    std::optional<std::string_view> LastLine() const;
    // Keeps the gathered entries of a section in step with a key set in it.
    void Remember(std::string_view foldedSection, std::string_view foldedKey,
                  std::string_view value);

    std::string text_;  // UTF-8, without the byte-order mark
    // (hash of the folded name << 32) | offset of the header line, sorted.
    std::vector<std::uint64_t> sectionsByName_;
    // Of the original text: its lines, and the bytes their line breaks take, so the size of
    // the file written is known without writing it.
    std::size_t lineCount_ = 0;
    std::size_t breakBytes_ = 0;
    std::map<std::uint32_t, Edit> edits_;
    mutable std::unordered_map<std::string, Entries, TextHash, std::equal_to<>> entries_;
    bool byteOrderMark_ = false;
#ifdef _WIN32
    bool crlf_ = true;
#else
    bool crlf_ = false;
#endif
};

// The entries of a file for many reads, with the rules of IniDocument: folded section name ->
// folded key -> first value. Each section is gathered the first time it is asked for.
class IniIndex {
  public:
    using Entries = IniDocument::Entries;

    static IniIndex Build(std::string&& bytes);
    static IniIndex Build(std::string_view bytes) { return Build(std::string(bytes)); }
    static IniIndex Build(const char* bytes) { return Build(std::string(bytes)); }

    // Names must already be folded. nullptr when the file has no such section.
    const Entries* FindSection(std::string_view foldedSection) const;
    std::optional<std::string_view> Find(std::string_view foldedSection,
                                         std::string_view foldedKey) const;
    static std::optional<std::string_view> Find(const Entries* section, std::string_view foldedKey);
    std::vector<std::string> SectionNamesWithKey(std::string_view foldedKeyPrefix) const {
        return document_.SectionNamesWithKey(foldedKeyPrefix);
    }

    // Every section and key alike.
    friend bool operator==(const IniIndex& a, const IniIndex& b);

  private:
    IniDocument document_;
};

}  // namespace korvane
