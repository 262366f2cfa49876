#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvane {

// A settings file as lines, each classified once as a section header, a key=value entry or
// something else (comments, blank lines, text we do not understand). Lines we do not change are
// written back exactly as read, so comments and foreign lines survive our writes.
//
// Section and key names are matched through FoldCase; the value is the text after the first
// '=' with blanks trimmed. Where a section or key occurs twice, the first one is read and
// written; entries before the first section header belong to no section.
class IniDocument {
  public:
    // Accepts UTF-8 with or without a byte-order mark; a line that is not valid UTF-8 is read
    // as Windows-1252. LF, CRLF and a lone CR all end a line.
    static IniDocument Parse(std::string_view bytes);

    // UTF-8, with the line break the file used, every line ended. A file that had none gets
    // the platform's: CR LF on Windows, where Notepad and the system's own INI functions write
    // it, LF elsewhere.
    std::string Serialise() const;

    // Names must already be folded.
    std::optional<std::string_view> Find(std::string_view foldedSection,
                                         std::string_view foldedKey) const;

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
    enum class Kind : unsigned char { Other, Section, BrokenSection, Entry };
    struct Line {
        std::string text;
        std::string folded;  // Section: the folded name; Entry: the folded key
        std::size_t keyBegin = 0;
        std::size_t keyEnd = 0;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
        Kind kind = Kind::Other;

        std::string_view Value() const {
            return std::string_view(text).substr(valueBegin, valueEnd - valueBegin);
        }
    };

    static Line ClassifyLine(std::string text);
    void AppendSection(std::string_view section, std::string_view key, std::string_view value);

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
#ifdef _WIN32
    bool crlf_ = true;
#else
    bool crlf_ = false;
#endif
};

// Lookup by std::string_view in maps keyed by std::string, without building a string.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

// The entries of a file for many reads, built straight from its bytes with the rules of
// IniDocument: folded section name -> folded key -> first value.
class IniIndex {
  public:
    using Entries = std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>;

    static IniIndex Build(std::string_view bytes);

    // Names must already be folded. nullptr when the file has no such section.
    const Entries* FindSection(std::string_view foldedSection) const;
    std::optional<std::string_view> Find(std::string_view foldedSection,
                                         std::string_view foldedKey) const;
    static std::optional<std::string_view> Find(const Entries* section, std::string_view foldedKey);

    friend bool operator==(const IniIndex&, const IniIndex&) = default;

  private:
    std::unordered_map<std::string, Entries, TextHash, std::equal_to<>> sections_;
};

// Blanks around names and values carry no meaning in the file.
std::string_view TrimBlanks(std::string_view text);

}  // namespace korvane
