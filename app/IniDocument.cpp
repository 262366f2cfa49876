#include "app/IniDocument.h"

#include <utility>

#include "app/TextEncoding.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

std::size_t TrimEnd(std::string_view text, std::size_t begin, std::size_t end) {
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return end;
}

bool IsBlankLine(std::string_view text) {
    return SkipBlanks(text, 0) == text.size();
}

enum class Shape : unsigned char { Other, Section, BrokenSection, Entry };

// What a line is, and where its name (section name or key) and value lie; nothing copied.
struct LineShape {
    Shape shape = Shape::Other;
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

LineShape ShapeOf(std::string_view line) {
    LineShape result;
    const std::size_t begin = SkipBlanks(line, 0);
    if (begin == line.size() || line[begin] == ';' || line[begin] == '#')
        return result;
    if (line[begin] == '[') {
        // The last ']' closes the name, so a name may itself contain brackets.
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos || close <= begin) {
            // Keys below a header we cannot read must not be taken for another section's.
            result.shape = Shape::BrokenSection;
            return result;
        }
        result.shape = Shape::Section;
        result.nameBegin = SkipBlanks(line, begin + 1);
        result.nameEnd = TrimEnd(line, result.nameBegin, close);
        return result;
    }
    const std::size_t equals = line.find('=', begin);
    if (equals == std::string_view::npos)
        return result;
    const std::size_t keyEnd = TrimEnd(line, begin, equals);
    if (keyEnd == begin)
        return result;
    result.shape = Shape::Entry;
    result.nameBegin = begin;
    result.nameEnd = keyEnd;
    result.valueBegin = SkipBlanks(line, equals + 1);
    result.valueEnd = TrimEnd(line, result.valueBegin, line.size());
    return result;
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// Line by line, so a UTF-8 file into which an older editor put one Windows-1252 line keeps its
// other lines intact (a line break is the same byte in both encodings).
std::string LinesToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && !IsLineBreak(bytes[end]))
            ++end;
        const std::string_view line = bytes.substr(start, end - start);
        text += IsValidUtf8(line) ? std::string(line) : Windows1252ToUtf8(line);
        while (end < bytes.size() && IsLineBreak(bytes[end]))
            text += bytes[end++];
        start = end;
    }
    return text;
}

// The text as UTF-8 without its byte-order mark; `converted` holds it when some of it had to
// be decoded from Windows-1252.
std::string_view DecodeText(std::string_view bytes, bool& byteOrderMark, std::string& converted) {
    byteOrderMark = bytes.starts_with(kByteOrderMark);
    if (byteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    if (IsValidUtf8(bytes))
        return bytes;
    converted = LinesToUtf8(bytes);
    return converted;
}

// Calls visit(line, crlf) for each line; `crlf` tells whether CR LF ended it. LF, CR LF and a
// lone CR all end a line; a last line without a break is visited too.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        if (end == text.size()) {
            visit(text.substr(start), false);
            return;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        visit(text.substr(start, end - start), crlf);
        start = end + (crlf ? 2 : 1);
    }
}

std::string_view Part(std::string_view line, std::size_t begin, std::size_t end) {
    return line.substr(begin, end - begin);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t begin = SkipBlanks(text, 0);
    return text.substr(begin, TrimEnd(text, begin, text.size()) - begin);
}

IniDocument::Line IniDocument::ClassifyLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const LineShape shape = ShapeOf(line.text);
    const std::string_view name = Part(line.text, shape.nameBegin, shape.nameEnd);
    switch (shape.shape) {
        case Shape::Other:
            break;
        case Shape::BrokenSection:
            line.kind = Kind::BrokenSection;
            break;
        case Shape::Section:
            line.kind = Kind::Section;
            line.folded = FoldCase(name);
            break;
        case Shape::Entry:
            line.kind = Kind::Entry;
            line.folded = FoldCase(name);
            line.keyBegin = shape.nameBegin;
            line.keyEnd = shape.nameEnd;
            line.valueBegin = shape.valueBegin;
            line.valueEnd = shape.valueEnd;
            break;
    }
    return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument document;
    std::string converted;
    const std::string_view text = DecodeText(bytes, document.byteOrderMark_, converted);
    // The first line break decides; a file without one keeps the platform's.
    bool decided = text.find_first_of("\r\n") == std::string_view::npos;
    ForEachLine(text, [&](std::string_view line, bool crlf) {
        document.lines_.push_back(ClassifyLine(std::string(line)));
        if (!decided)
            document.crlf_ = crlf;
        decided = true;
    });
    return document;
}

std::string IniDocument::Serialise() const {
    const std::string_view lineBreak = crlf_ ? "\r\n" : "\n";
    std::size_t size = byteOrderMark_ ? kByteOrderMark.size() : 0;
    for (const Line& line : lines_)
        size += line.text.size() + lineBreak.size();
    std::string out;
    out.reserve(size);
    if (byteOrderMark_)
        out += kByteOrderMark;
    for (const Line& line : lines_) {
        out += line.text;
        out += lineBreak;
    }
    return out;
}

std::optional<std::string_view> IniDocument::Find(std::string_view foldedSection,
                                                  std::string_view foldedKey) const {
    bool inSection = false;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section || line.kind == Kind::BrokenSection) {
            inSection = line.kind == Kind::Section && line.folded == foldedSection;
        } else if (inSection && line.kind == Kind::Entry && line.folded == foldedKey) {
            return line.Value();
        }
    }
    return std::nullopt;
}

IniIndex IniIndex::Build(std::string_view bytes) {
    IniIndex index;
    bool byteOrderMark = false;
    std::string converted;
    Entries* section = nullptr;
    ForEachLine(DecodeText(bytes, byteOrderMark, converted), [&](std::string_view line, bool) {
        const LineShape shape = ShapeOf(line);
        const std::string_view name = Part(line, shape.nameBegin, shape.nameEnd);
        if (shape.shape == Shape::Section) {
            section = &index.sections_.try_emplace(FoldCase(name)).first->second;
        } else if (shape.shape == Shape::BrokenSection) {
            section = nullptr;
        } else if (shape.shape == Shape::Entry && section != nullptr) {
            section->try_emplace(FoldCase(name), Part(line, shape.valueBegin, shape.valueEnd));
        }
    });
    return index;
}

const IniIndex::Entries* IniIndex::FindSection(std::string_view foldedSection) const {
    const auto found = sections_.find(foldedSection);
    return found == sections_.end() ? nullptr : &found->second;
}

std::optional<std::string_view> IniIndex::Find(const Entries* section, std::string_view foldedKey) {
    if (section == nullptr)
        return std::nullopt;
    const auto found = section->find(foldedKey);
    if (found == section->end())
        return std::nullopt;
    return found->second;
}

std::optional<std::string_view> IniIndex::Find(std::string_view foldedSection,
                                               std::string_view foldedKey) const {
    return Find(FindSection(foldedSection), foldedKey);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    value = TrimBlanks(value);
    const std::string foldedSection = FoldCase(section);
    const std::string foldedKey = FoldCase(key);
    std::size_t insertAt = std::string::npos;  // after the last non-blank line of the first match
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (line.kind == Kind::Section || line.kind == Kind::BrokenSection) {
            inSection = line.kind == Kind::Section && line.folded == foldedSection;
            inFirstSection = inSection && insertAt == std::string::npos;
            if (inFirstSection)
                insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (line.kind == Kind::Entry && line.folded == foldedKey) {
            if (line.Value() == value)
                return false;
            std::string text = line.text.substr(line.keyBegin, line.keyEnd - line.keyBegin);
            text += '=';
            text += value;
            line = ClassifyLine(std::move(text));
            return true;
        }
        if (inFirstSection && !IsBlankLine(line.text))
            insertAt = i + 1;
    }
    if (insertAt == std::string::npos) {
        AppendSection(section, key, value);
        return true;
    }
    std::string text(key);
    text += '=';
    text += value;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  ClassifyLine(std::move(text)));
    return true;
}

void IniDocument::AppendSection(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (!lines_.empty() && !IsBlankLine(lines_.back().text))
        lines_.push_back(Line{});
    std::string header = "[";
    header += section;
    header += ']';
    lines_.push_back(ClassifyLine(std::move(header)));
    std::string text(key);
    text += '=';
    text += value;
    lines_.push_back(ClassifyLine(std::move(text)));
}

bool IniDocument::Erase(std::string_view section, std::string_view key) {
    const std::string foldedSection = FoldCase(TrimBlanks(section));
    const std::string foldedKey = FoldCase(TrimBlanks(key));
    bool inSection = false;
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    for (Line& line : lines_) {
        if (line.kind == Kind::Section || line.kind == Kind::BrokenSection) {
            inSection = line.kind == Kind::Section && line.folded == foldedSection;
        } else if (inSection && line.kind == Kind::Entry && line.folded == foldedKey) {
            continue;
        }
        kept.push_back(std::move(line));
    }
    const bool erased = kept.size() != lines_.size();
    lines_ = std::move(kept);
    return erased;
}

bool IniDocument::EraseSectionIfEmpty(std::string_view section) {
    const std::string folded = FoldCase(TrimBlanks(section));
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    std::size_t i = 0;
    while (i < lines_.size()) {
        std::size_t end = i + 1;
        if (lines_[i].kind == Kind::Section && lines_[i].folded == folded) {
            while (end < lines_.size() && lines_[end].kind == Kind::Other &&
                   IsBlankLine(lines_[end].text))
                ++end;
            const bool empty = end == lines_.size() || lines_[end].kind == Kind::Section ||
                               lines_[end].kind == Kind::BrokenSection;
            if (empty) {
                i = end;
                continue;
            }
        }
        for (; i < end; ++i)
            kept.push_back(std::move(lines_[i]));
    }
    const bool erased = kept.size() != lines_.size();
    lines_ = std::move(kept);
    return erased;
}

}  // namespace korvane
