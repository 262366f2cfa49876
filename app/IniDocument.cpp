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

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t begin = SkipBlanks(text, 0);
    return text.substr(begin, TrimEnd(text, begin, text.size()) - begin);
}

IniDocument::Line IniDocument::ClassifyLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view view = line.text;
    const std::size_t begin = SkipBlanks(view, 0);
    if (begin == view.size() || view[begin] == ';' || view[begin] == '#')
        return line;
    if (view[begin] == '[') {
        // The last ']' closes the name, so a name may itself contain brackets.
        const std::size_t close = view.rfind(']');
        if (close == std::string_view::npos || close <= begin) {
            // Keys below a header we cannot read must not be taken for another section's.
            line.kind = Kind::BrokenSection;
            return line;
        }
        line.kind = Kind::Section;
        line.folded = FoldCase(TrimBlanks(view.substr(begin + 1, close - begin - 1)));
        return line;
    }
    const std::size_t equals = view.find('=', begin);
    if (equals == std::string_view::npos)
        return line;
    const std::size_t keyEnd = TrimEnd(view, begin, equals);
    if (keyEnd == begin)
        return line;
    line.kind = Kind::Entry;
    line.keyBegin = begin;
    line.keyEnd = keyEnd;
    line.valueBegin = SkipBlanks(view, equals + 1);
    line.valueEnd = TrimEnd(view, line.valueBegin, view.size());
    line.folded = FoldCase(view.substr(begin, keyEnd - begin));
    return line;
}

void IniDocument::SplitLines(std::string_view text) {
    bool sawLineBreak = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.push_back(ClassifyLine(std::string(text.substr(start))));
            break;
        }
        lines_.push_back(ClassifyLine(std::string(text.substr(start, end - start))));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        if (!sawLineBreak) {
            crlf_ = crlf;
            sawLineBreak = true;
        }
        start = end + (crlf ? 2 : 1);
    }
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument document;
    if (bytes.starts_with(kByteOrderMark)) {
        document.byteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    if (IsValidUtf8(bytes)) {
        document.SplitLines(bytes);
    } else {
        document.SplitLines(Windows1252ToUtf8(bytes));
    }
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

std::string IniDocument::IndexKey(std::string_view foldedSection, std::string_view foldedKey) {
    // A line break can be in neither name, so it separates them without ambiguity.
    std::string key;
    key.reserve(foldedSection.size() + 1 + foldedKey.size());
    key += foldedSection;
    key += '\n';
    key += foldedKey;
    return key;
}

IniDocument::Index IniDocument::BuildIndex() const {
    Index index;
    const std::string* section = nullptr;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section) {
            section = &line.folded;
        } else if (line.kind == Kind::BrokenSection) {
            section = nullptr;
        } else if (section != nullptr && line.kind == Kind::Entry) {
            index.try_emplace(IndexKey(*section, line.folded), line.Value());
        }
    }
    return index;
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

}  // namespace korvane
