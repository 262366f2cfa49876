#include "app/IniDocument.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/TextEncoding.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace korvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

std::string_view Part(std::string_view line, std::size_t begin, std::size_t end) {
    return line.substr(begin, end - begin);
}

// The hash the sections are indexed by; collisions are told apart by the names themselves.
std::uint32_t NameHash(std::string_view folded) {
    std::uint32_t hash = 2166136261u;
    for (const char c : folded) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// FoldCase(raw) into `out`, without building a string for the plain ASCII names nearly every
// line of a settings file has.
void FoldInto(std::string_view raw, std::string& out) {
    if (!IsAscii(raw)) {
        out = FoldCase(raw);
        return;
    }
    out.resize(raw.size());
    std::transform(raw.begin(), raw.end(), out.begin(), LowerAscii);
}

// FoldCase(raw) == folded, the same way.
bool IsHeader(Shape shape) {
    return shape == Shape::Section || shape == Shape::BrokenSection;
}

// Where the line starting at `at` ends: its first CR or LF, or the end of the text. memchr,
// since a file may hold millions of lines.
std::size_t LineEnd(std::string_view text, std::size_t at) {
    const char* begin = text.data() + at;
    const std::size_t rest = text.size() - at;
    const void* feed = std::memchr(begin, '\n', rest);
    const std::size_t span = feed == nullptr ? rest : static_cast<const char*>(feed) - begin;
    const void* ret = std::memchr(begin, '\r', span);
    return at + (ret == nullptr ? span : static_cast<const char*>(ret) - begin);
}

// Where the next line starts, after the line break at `end`.
std::size_t AfterBreak(std::string_view text, std::size_t end) {
    if (end == text.size())
        return end;
    return end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

}  // namespace

IniDocument IniDocument::Parse(std::string&& bytes) {
    IniDocument document;
    document.byteOrderMark_ = std::string_view(bytes).starts_with(kByteOrderMark);
    if (document.byteOrderMark_)
        bytes.erase(0, kByteOrderMark.size());
    document.text_ = IsValidUtf8(bytes) ? std::move(bytes) : LinesToUtf8(bytes);
    const std::string_view text = document.text_;
    // The first line break decides; a file without one keeps the platform's.
    if (const std::size_t lineBreak = text.find_first_of("\r\n"); lineBreak != text.npos)
        document.crlf_ = text.substr(lineBreak, 2) == "\r\n";
    const auto brackets = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
    document.sectionsByName_.reserve(brackets);
    std::string folded;
    for (std::size_t at = 0, end = 0; at < text.size(); at = AfterBreak(text, end)) {
        end = LineEnd(text, at);
        ++document.lineCount_;
        document.breakBytes_ += AfterBreak(text, end) - end;
        const std::string_view line = text.substr(at, end - at);
        const std::size_t first = SkipBlanks(line, 0);
        if (first == line.size() || line[first] != '[')
            continue;
        const LineShape shape = ShapeOf(line);
        if (shape.shape != Shape::Section)
            continue;
        FoldInto(Part(line, shape.nameBegin, shape.nameEnd), folded);
        document.sectionsByName_.push_back(std::uint64_t{NameHash(folded)} << 32 | at);
    }
    std::sort(document.sectionsByName_.begin(), document.sectionsByName_.end());
    return document;
}

std::uint32_t IniDocument::NextLineStart(std::uint32_t at) const {
    return static_cast<std::uint32_t>(AfterBreak(text_, LineEnd(text_, at)));
}

// Calls visit(line, ref) for the lines from `from` on, in the order they are written, while it
// returns true. An original line `from` starts after the lines inserted before it.
template <typename Visit>
void IniDocument::Walk(LineRef from, Visit&& visit) const {
    std::uint32_t at = from.at;
    auto edit = edits_.lower_bound(at);
    for (bool first = true;; first = false) {
        const Edit* changed = edit != edits_.end() && edit->first == at ? &edit->second : nullptr;
        if (changed != nullptr) {
            const std::size_t count = changed->before.size();
            std::size_t i = 0;
            if (first)
                i = from.inserted < 0 ? count : static_cast<std::size_t>(from.inserted);
            for (; i < count; ++i) {
                if (!visit(std::string_view(changed->before[i]), LineRef{at, static_cast<int>(i)}))
                    return;
            }
        }
        if (at >= text_.size())
            return;
        const std::size_t end = LineEnd(text_, at);
        if (changed == nullptr || !changed->removed) {
            const std::string_view line = changed != nullptr && changed->text
                                              ? std::string_view(*changed->text)
                                              : std::string_view(text_).substr(at, end - at);
            if (!visit(line, LineRef{at, -1}))
                return;
        }
        at = static_cast<std::uint32_t>(AfterBreak(text_, end));
        while (edit != edits_.end() && edit->first < at)
            ++edit;
    }
}

// The lines below the header `header`, up to the next header.
template <typename Visit>
void IniDocument::WalkSection(LineRef header, Visit&& visit) const {
    bool started = false;
    Walk(header, [&](std::string_view line, LineRef ref) {
        if (!std::exchange(started, true))
            return true;
        if (IsHeader(ShapeOf(line).shape))
            return false;
        return visit(line, ref);
    });
}

// The headers of the section, in file order: those read from the file, then those appended.
std::vector<IniDocument::LineRef> IniDocument::HeadersOf(std::string_view foldedSection) const {
    std::vector<LineRef> headers;
    const std::uint64_t hash = std::uint64_t{NameHash(foldedSection)} << 32;
    const auto first = std::lower_bound(sectionsByName_.begin(), sectionsByName_.end(), hash);
    for (auto entry = first; entry != sectionsByName_.end() && (*entry >> 32) == (hash >> 32);
         ++entry) {
        const auto at = static_cast<std::uint32_t>(*entry & 0xFFFFFFFFu);
        if (const auto edit = edits_.find(at); edit != edits_.end() && edit->second.removed)
            continue;
        const std::string_view line = std::string_view(text_).substr(at, LineEnd(text_, at) - at);
        const LineShape shape = ShapeOf(line);
        if (EqualsFolded(Part(line, shape.nameBegin, shape.nameEnd), foldedSection))
            headers.push_back(LineRef{at, -1});
    }
    const auto end = edits_.find(static_cast<std::uint32_t>(text_.size()));
    if (end == edits_.end())
        return headers;
    for (std::size_t i = 0; i < end->second.before.size(); ++i) {
        const std::string_view line = end->second.before[i];
        const LineShape shape = ShapeOf(line);
        if (shape.shape == Shape::Section &&
            EqualsFolded(Part(line, shape.nameBegin, shape.nameEnd), foldedSection)) {
            headers.push_back(LineRef{end->first, static_cast<int>(i)});
        }
    }
    return headers;
}

const IniDocument::Entries* IniDocument::FindSection(std::string_view foldedSection) const {
    if (const auto known = entries_.find(foldedSection); known != entries_.end())
        return &known->second;
    const std::vector<LineRef> headers = HeadersOf(foldedSection);
    if (headers.empty())
        return nullptr;
    Entries entries;
    std::string key;
    std::string previous;  // a run of lines with one key needs no look-up after its first
    for (const LineRef header : headers) {
        WalkSection(header, [&](std::string_view line, LineRef) {
            const LineShape shape = ShapeOf(line);
            if (shape.shape != Shape::Entry)
                return true;
            FoldInto(Part(line, shape.nameBegin, shape.nameEnd), key);
            if (key != previous) {
                entries.try_emplace(key, Part(line, shape.valueBegin, shape.valueEnd));
                previous = key;
            }
            return true;
        });
    }
    return &entries_.emplace(std::string(foldedSection), std::move(entries)).first->second;
}

std::optional<std::string_view> IniDocument::Find(std::string_view foldedSection,
                                                  std::string_view foldedKey) const {
    const Entries* entries = FindSection(foldedSection);
    if (entries == nullptr)
        return std::nullopt;
    const auto found = entries->find(foldedKey);
    if (found == entries->end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> IniDocument::SectionNamesWithKey(std::string_view foldedKeyPrefix) const {
    std::vector<std::string> names;
    std::optional<std::string> section;  // none before the first header and after a broken one
    bool listed = false;
    Walk(LineRef{0, 0}, [&](std::string_view line, LineRef) {
        const LineShape shape = ShapeOf(line);
        if (IsHeader(shape.shape)) {
            section.reset();
            if (shape.shape == Shape::Section)
                section = FoldCase(Part(line, shape.nameBegin, shape.nameEnd));
            listed = section && std::find(names.begin(), names.end(), *section) != names.end();
            return true;
        }
        if (section && !listed && shape.shape == Shape::Entry) {
            const std::string_view key = Part(line, shape.nameBegin, shape.nameEnd);
            if (key.size() >= foldedKeyPrefix.size() &&
                EqualsFolded(key.substr(0, foldedKeyPrefix.size()), foldedKeyPrefix)) {
                names.push_back(*section);
                listed = true;
            }
        }
        return true;
    });
    return names;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    std::unordered_map<std::string, bool, TextHash, std::equal_to<>> seen;
    Walk(LineRef{0, 0}, [&](std::string_view line, LineRef) {
        const LineShape shape = ShapeOf(line);
        if (shape.shape == Shape::Section) {
            std::string folded = FoldCase(Part(line, shape.nameBegin, shape.nameEnd));
            if (seen.emplace(folded, true).second)
                names.push_back(std::move(folded));
        }
        return true;
    });
    return names;
}

// The original text with each line break in the file's style, then what the edits change.
std::size_t IniDocument::SerialisedSize() const {
    const std::size_t lineBreak = crlf_ ? 2 : 1;
    std::size_t size = (byteOrderMark_ ? kByteOrderMark.size() : 0) + text_.size() - breakBytes_ +
                       lineCount_ * lineBreak;
    for (const auto& [at, edit] : edits_) {
        for (const std::string& line : edit.before)
            size += line.size() + lineBreak;
        if (at >= text_.size() || (!edit.removed && !edit.text))
            continue;
        const std::size_t original = LineEnd(text_, at) - at;
        size -= original;
        if (edit.removed)
            size -= lineBreak;
        else
            size += edit.text->size();
    }
    return size;
}

std::string IniDocument::Serialise() const {
    const std::string_view lineBreak = crlf_ ? "\r\n" : "\n";
    std::string out;
    out.reserve(SerialisedSize());
    if (byteOrderMark_)
        out += kByteOrderMark;
    Walk(LineRef{0, 0}, [&](std::string_view line, LineRef) {
        out += line;
        out += lineBreak;
        return true;
    });
    return out;
}

void IniDocument::Replace(LineRef line, std::string text) {
    Edit& edit = edits_[line.at];
    if (line.inserted >= 0)
        edit.before[static_cast<std::size_t>(line.inserted)] = std::move(text);
    else
        edit.text = std::move(text);
}

void IniDocument::Remove(LineRef line) {
    Edit& edit = edits_[line.at];
    if (line.inserted >= 0) {
        edit.before.erase(edit.before.begin() + line.inserted);
        return;
    }
    edit.removed = true;
    edit.text.reset();
}

void IniDocument::InsertAfter(LineRef line, std::string text) {
    if (line.inserted >= 0) {
        std::vector<std::string>& before = edits_[line.at].before;
        before.insert(before.begin() + line.inserted + 1, std::move(text));
        return;
    }
    std::vector<std::string>& before = edits_[NextLineStart(line.at)].before;
    before.insert(before.begin(), std::move(text));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    value = TrimBlanks(value);
    const std::string foldedSection = FoldCase(section);
    const std::string foldedKey = FoldCase(key);
    const std::vector<LineRef> headers = HeadersOf(foldedSection);
    if (headers.empty()) {
        AppendSection(section, key, value);
        return true;
    }
    // After the last non-blank line of the first matching section.
    LineRef insertAfter = headers.front();
    for (const LineRef header : headers) {
        std::optional<bool> changed;
        WalkSection(header, [&](std::string_view line, LineRef ref) {
            const LineShape shape = ShapeOf(line);
            if (shape.shape == Shape::Entry &&
                EqualsFolded(Part(line, shape.nameBegin, shape.nameEnd), foldedKey)) {
                changed = Part(line, shape.valueBegin, shape.valueEnd) != value;
                if (*changed) {
                    std::string text(Part(line, shape.nameBegin, shape.nameEnd));
                    text += '=';
                    text += value;
                    Replace(ref, std::move(text));
                }
                return false;
            }
            if (header.at == headers.front().at && header.inserted == headers.front().inserted &&
                !IsBlankLine(line)) {
                insertAfter = ref;
            }
            return true;
        });
        if (changed.has_value()) {
            if (*changed)
                Remember(foldedSection, foldedKey, value);
            return *changed;
        }
    }
    std::string text(key);
    text += '=';
    text += value;
    InsertAfter(insertAfter, std::move(text));
    Remember(foldedSection, foldedKey, value);
    return true;
}

void IniDocument::Remember(std::string_view foldedSection, std::string_view foldedKey,
                           std::string_view value) {
    if (const auto known = entries_.find(foldedSection); known != entries_.end())
        known->second.insert_or_assign(std::string(foldedKey), std::string(value));
}

std::optional<std::string_view> IniDocument::LastLine() const {
    if (const auto end = edits_.find(static_cast<std::uint32_t>(text_.size()));
        end != edits_.end() && !end->second.before.empty()) {
        return end->second.before.back();
    }
    std::size_t next = text_.size();
    while (next > 0) {
        std::size_t end = next;
        if (end == text_.size() && !IsLineBreak(text_[end - 1])) {
            // The last line has no line break.
        } else if (text_[end - 1] == '\n' && end >= 2 && text_[end - 2] == '\r') {
            end -= 2;
        } else {
            end -= 1;
        }
        std::size_t start = end;
        while (start > 0 && !IsLineBreak(text_[start - 1]))
            --start;
        const auto edit = edits_.find(static_cast<std::uint32_t>(start));
        if (edit == edits_.end())
            return std::string_view(text_).substr(start, end - start);
        if (!edit->second.removed)
            return edit->second.text ? std::string_view(*edit->second.text)
                                     : std::string_view(text_).substr(start, end - start);
        if (!edit->second.before.empty())
            return edit->second.before.back();
        next = start;
    }
    const auto first = edits_.find(0);
    if (first != edits_.end() && !first->second.before.empty())
        return first->second.before.back();
    return std::nullopt;
}

void IniDocument::AppendSection(std::string_view section, std::string_view key,
                                std::string_view value) {
    const std::optional<std::string_view> last = LastLine();
    std::vector<std::string>& end = edits_[static_cast<std::uint32_t>(text_.size())].before;
    if (last && !IsBlankLine(*last))
        end.emplace_back();
    std::string header = "[";
    header += section;
    header += ']';
    end.push_back(std::move(header));
    std::string text(key);
    text += '=';
    text += value;
    end.push_back(std::move(text));
}

bool IniDocument::Erase(std::string_view section, std::string_view key) {
    const std::string foldedSection = FoldCase(TrimBlanks(section));
    const std::string foldedKey = FoldCase(TrimBlanks(key));
    std::vector<LineRef> found;
    for (const LineRef header : HeadersOf(foldedSection)) {
        WalkSection(header, [&](std::string_view line, LineRef ref) {
            const LineShape shape = ShapeOf(line);
            if (shape.shape == Shape::Entry &&
                EqualsFolded(Part(line, shape.nameBegin, shape.nameEnd), foldedKey)) {
                found.push_back(ref);
            }
            return true;
        });
    }
    // Last first, so the places of earlier inserted lines stay as found.
    for (auto line = found.rbegin(); line != found.rend(); ++line)
        Remove(*line);
    if (const auto known = entries_.find(foldedSection); known != entries_.end())
        known->second.erase(foldedKey);
    return !found.empty();
}

bool IniDocument::EraseSectionIfEmpty(std::string_view section) {
    const std::string foldedSection = FoldCase(TrimBlanks(section));
    const std::vector<LineRef> headers = HeadersOf(foldedSection);
    bool erased = false;
    for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
        std::vector<LineRef> lines{*header};
        bool empty = true;
        WalkSection(*header, [&](std::string_view line, LineRef ref) {
            empty = IsBlankLine(line);
            lines.push_back(ref);
            return empty;
        });
        if (!empty)
            continue;
        for (auto line = lines.rbegin(); line != lines.rend(); ++line)
            Remove(*line);
        erased = true;
    }
    if (erased)
        entries_.erase(foldedSection);
    return erased;
}

IniIndex IniIndex::Build(std::string&& bytes) {
    IniIndex index;
    index.document_ = IniDocument::Parse(std::move(bytes));
    return index;
}

const IniIndex::Entries* IniIndex::FindSection(std::string_view foldedSection) const {
    return document_.FindSection(foldedSection);
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

bool operator==(const IniIndex& a, const IniIndex& b) {
    std::vector<std::string> names = a.document_.SectionNames();
    for (std::string& name : b.document_.SectionNames())
        names.push_back(std::move(name));
    return std::all_of(names.begin(), names.end(), [&](const std::string& name) {
        const IniIndex::Entries* left = a.FindSection(name);
        const IniIndex::Entries* right = b.FindSection(name);
        return left != nullptr && right != nullptr && *left == *right;
    });
}

}  // namespace korvane
