// Feeds arbitrary bytes to the settings readers as the content of a settings file. Reads go
// through IniIndex (built once per look at the file) and writes through IniDocument (parsed
// under the write lock), so the two must read every key alike. Besides the sanitizers, it
// checks that
//  - the index and the document give the same value for every section and key of the file;
//  - writing the document out and reading it back changes no key, and a second round gives
//    the same bytes;
//  - a write through the editor reads back through both readers and leaves every other key as
//    it was, and a refused write leaves the file as it was;
//  - a removed key reads as missing through both.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/IniDocument.h"
#include "app/ProfileStore.h"
#include "catalogue/CaseFold.h"
#include "catalogue/Utf8.h"

namespace {

using korvane::IniDocument;
using korvane::IniIndex;
using korvane::TrimBlanks;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// A section and key as a caller would spell them, and as the readers match them.
struct Name {
    std::string section;
    std::string key;
    std::string foldedSection;
    std::string foldedKey;
};

Name MakeName(std::string_view section, std::string_view key) {
    return Name{std::string(section), std::string(key), korvane::FoldCase(TrimBlanks(section)),
                korvane::FoldCase(TrimBlanks(key))};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// The section and key names of a file's lines, by a scan of our own that only chooses what to
// ask: a name too many costs a look-up, a name too few would hide a disagreement. Every key is
// asked under the header above it and under no section at all.
std::vector<Name> NamesOf(std::string_view text) {
    std::vector<Name> names;
    std::set<std::pair<std::string, std::string>> seen;
    auto add = [&](std::string_view section, std::string_view key) {
        Name name = MakeName(section, key);
        if (seen.emplace(name.foldedSection, name.foldedKey).second)
            names.push_back(std::move(name));
    };
    std::string_view section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        std::size_t begin = 0;
        while (begin < line.size() && IsBlank(line[begin]))
            ++begin;
        if (begin < line.size() && line[begin] == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > begin)
                section = TrimBlanks(line.substr(begin + 1, close - begin - 1));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = TrimBlanks(line.substr(begin, equals - begin));
        if (key.empty())
            continue;
        add(section, key);
        add("", key);
    }
    return names;
}

void RequireReadableValue(std::string_view value) {
    Require(value == TrimBlanks(value));
    Require(value.find_first_of("\r\n") == std::string_view::npos);
    Require(korvane::IsValidUtf8(value));
    if (const std::optional<int> number = korvane::ParseProfileInt(value))
        Require(korvane::ParseProfileInt(std::to_string(*number)) == number);
}

void RequireReadersAgree(const IniDocument& document, const IniIndex& index,
                         const std::vector<Name>& names) {
    for (const Name& name : names) {
        const std::optional<std::string_view> value =
            index.Find(name.foldedSection, name.foldedKey);
        Require(document.Find(name.foldedSection, name.foldedKey) == value);
        if (value)
            RequireReadableValue(*value);
    }
}

// Every name but `changed` reads in `after` as in `before`.
void RequireOthersKept(const IniIndex& before, const IniIndex& after, const Name& changed,
                       const std::vector<Name>& names) {
    for (const Name& name : names) {
        if (name.foldedSection == changed.foldedSection && name.foldedKey == changed.foldedKey)
            continue;
        Require(after.Find(name.foldedSection, name.foldedKey) ==
                before.Find(name.foldedSection, name.foldedKey));
    }
}

void CheckSet(const IniDocument& document, const std::string& text, const IniIndex& index,
              const Name& name, std::string_view value, const std::vector<Name>& names) {
    IniDocument changed = document;
    korvane::ProfileEditor editor(changed);
    editor.Set(name.section, name.key, value);
    const std::string written = changed.Serialise();
    if (!editor.Outcome().ok()) {
        Require(!editor.Outcome().reason.empty());
        Require(written == text);
        return;
    }
    Require(editor.Changed() == (written != text));
    const std::optional<std::string_view> expected = TrimBlanks(value);
    Require(changed.Find(name.foldedSection, name.foldedKey) == expected);
    const IniIndex reread = IniIndex::Build(written);
    Require(reread.Find(name.foldedSection, name.foldedKey) == expected);
    RequireOthersKept(index, reread, name, names);
}

void CheckDelete(const IniDocument& document, const std::string& text, const IniIndex& index,
                 const Name& name, const std::vector<Name>& names) {
    IniDocument changed = document;
    korvane::ProfileEditor editor(changed);
    editor.Delete(name.section, name.key);
    const std::string written = changed.Serialise();
    if (!editor.Outcome().ok()) {
        Require(written == text);
        return;
    }
    Require(editor.Changed() == (written != text));
    Require(!changed.Find(name.foldedSection, name.foldedKey));
    const IniIndex reread = IniIndex::Build(written);
    Require(!reread.Find(name.foldedSection, name.foldedKey));
    RequireOthersKept(index, reread, name, names);
}

// A few writes chosen from the file's own names: a new section, an existing key, a new key in
// an existing section, and a removal; the values hold blanks, '=' or the file's own text.
void CheckWrites(const IniDocument& document, const std::string& text, const IniIndex& index,
                 const std::vector<Name>& names) {
    CheckSet(document, text, index, MakeName(" Fuzz Section ", "Fuzz Key"), " a = b ", names);
    if (names.empty())
        return;
    const Name& first = names.front();
    const Name& last = names.back();
    const Name& middle = names[names.size() / 2];
    CheckSet(document, text, index, last, first.key, names);
    CheckSet(document, text, index, MakeName(middle.section, "Fuzz Key"), last.section, names);
    CheckDelete(document, text, index, middle, names);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const IniDocument document = IniDocument::Parse(bytes);
    const IniIndex index = IniIndex::Build(bytes);

    const std::string text = document.Serialise();
    std::string_view body = text;
    Require(body.starts_with(kByteOrderMark) == document.HasByteOrderMark());
    if (document.HasByteOrderMark())
        body.remove_prefix(kByteOrderMark.size());
    Require(korvane::IsValidUtf8(body));
    Require(body.empty() || body.ends_with('\n'));

    const std::vector<Name> names = NamesOf(body);
    RequireReadersAgree(document, index, names);

    const IniDocument reparsed = IniDocument::Parse(text);
    Require(reparsed.HasByteOrderMark() == document.HasByteOrderMark());
    Require(reparsed.UsesCrLf() == document.UsesCrLf());
    Require(reparsed.Serialise() == text);
    Require(IniIndex::Build(text) == index);

    CheckWrites(document, text, index, names);
    return 0;
}
