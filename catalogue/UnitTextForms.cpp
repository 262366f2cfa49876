#include "catalogue/UnitTextForms.h"

#include <algorithm>
#include <array>
#include <functional>

#include "catalogue/CaseFold.h"

namespace korvane {

namespace {

constexpr std::size_t kMaxForms = 32;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

// Applies `change` to every run of ASCII letters.
std::string EachWord(std::string_view text, const std::function<std::string(std::string)>& change) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsLetter(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsLetter(text[end]))
            ++end;
        out += change(std::string(text.substr(i, end - i)));
        i = end;
    }
    return out;
}

std::string Qualifier(std::string_view text) {
    struct Front {
        std::string_view word, bracket;
    };
    constexpr std::array fronts{Front{"UK ", " (UK)"}, Front{"US ", " (US)"},
                                Front{"imperial ", " (UK)"}, Front{"Imp ", " (UK)"}};
    for (const Front& front : fronts) {
        if (StartsWithIgnoringCase(text, front.word) && text.size() > front.word.size())
            return std::string(text.substr(front.word.size())) + std::string(front.bracket);
    }
    return std::string(text);
}

std::string Per(std::string_view text) {
    std::string out(text);
    for (std::size_t at = 0; (at = out.find(" per ", at)) != std::string::npos;)
        out.replace(at, 5, "/");
    return out;
}

std::string PowerWords(std::string_view text) {
    struct Word {
        std::string_view word, power;
    };
    constexpr std::array words{Word{"square ", "²"}, Word{"sq ", "²"}, Word{"sq. ", "²"},
                               Word{"cubic ", "³"},  Word{"cu ", "³"}, Word{"cu. ", "³"}};
    for (const Word& word : words) {
        if (StartsWithIgnoringCase(text, word.word) && text.size() > word.word.size()) {
            std::string rest(text.substr(word.word.size()));
            // "square feet/second" squares the first unit only.
            const std::size_t slash = rest.find('/');
            rest.insert(slash == std::string::npos ? rest.size() : slash, word.power);
            return rest;
        }
    }
    return std::string(text);
}

// "m2", "m^2" -> "m²": a 2 or 3 after a letter that no other digit follows.
std::string PowerDigits(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool caret = text[i] == '^' && i + 1 < text.size();
        const std::size_t digit = caret ? i + 1 : i;
        const bool afterLetter = i > 0 && IsLetter(text[i - 1]);
        const bool power = afterLetter && (text[digit] == '2' || text[digit] == '3') &&
                           (digit + 1 == text.size() || !IsDigit(text[digit + 1]));
        if (power) {
            out += text[digit] == '2' ? "²" : "³";
            i = digit;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string British(std::string word) {
    if (word.size() > 4 && word.ends_with("tres"))
        word.replace(word.size() - 4, 4, "ters");
    else if (word.size() > 3 && word.ends_with("tre"))
        word.replace(word.size() - 3, 3, "ter");
    return word;
}

std::string Irregular(std::string word) {
    if (word == "feet")
        return "foot";
    if (word == "Feet")
        return "Foot";
    return word;
}

std::string FootAsFeet(std::string word) {
    return word == "foot" ? "feet" : word;
}

// A stem that takes "es" in the plural: "inches", "boxes", never "inchs".
bool TakesEs(std::string_view stem) {
    return stem.ends_with("ch") || stem.ends_with("sh") || stem.ends_with('x') ||
           stem.ends_with('z') || stem.ends_with('s');
}

// "Celsius", "radius", "axis": a final s after u or i is no plural.
std::string SingularS(std::string word) {
    const std::string_view stem = std::string_view(word).substr(0, word.size() - 1);
    if (word.size() >= 3 && LowerAscii(word.back()) == 's' && !TakesEs(stem) &&
        LowerAscii(stem.back()) != 'u' && LowerAscii(stem.back()) != 'i')
        word.pop_back();
    return word;
}

std::string SingularEs(std::string word) {
    if (word.size() >= 5 && word.ends_with("ies"))
        return word.substr(0, word.size() - 3) + "y";
    if (word.size() >= 4 && word.ends_with("es") &&
        TakesEs(std::string_view(word).substr(0, word.size() - 2)))
        word.resize(word.size() - 2);
    return word;
}

}  // namespace

std::vector<std::string> TextForms(std::string_view text) {
    std::vector<std::string> forms{std::string(text)};
    const std::array<std::function<std::string(std::string_view)>, 9> steps{
        Qualifier,
        Per,
        PowerWords,
        PowerDigits,
        [](std::string_view t) { return EachWord(t, British); },
        [](std::string_view t) { return EachWord(t, Irregular); },
        [](std::string_view t) { return EachWord(t, SingularS); },
        [](std::string_view t) { return EachWord(t, SingularEs); },
        [](std::string_view t) { return EachWord(t, FootAsFeet); },
    };
    for (const auto& step : steps) {
        const std::size_t count = forms.size();
        for (std::size_t i = 0; i < count && forms.size() < kMaxForms; ++i) {
            std::string form = step(forms[i]);
            if (std::find(forms.begin(), forms.end(), form) == forms.end())
                forms.push_back(std::move(form));
        }
    }
    return forms;
}

}  // namespace korvane
