#include "lists/romaji.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "lists/kana.h"
#include "store/codec.h"
#include "store/exact_text.h"

namespace {

// Made on first use and kept (the program runs on one thread).
icu::Transliterator* HiraganaToAscii() {
    static const std::unique_ptr<icu::Transliterator> made = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> transliterator(
            icu::Transliterator::createInstance(icu::UnicodeString("Hiragana-Latin; Latin-ASCII"), UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(transliterator) : nullptr;
    }();
    return made.get();
}

bool IsVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }

// Whether vowel c followed by next is a long vowel, written once: "oo", "ou" and "uu". In
// Hepburn a vowel after a vowel is a kana of its own; "ou" or "uu" before "a", "e" or "o" is
// that kana starting the next syllables ("いのうえ" is i-no-ue: INOUE), but "おお" is always long
// ("おおうち" OUCHI, "おおい" OI) and so is "ou" before "i" ("こういち" KOICHI).
bool IsLongVowel(char c, char next, char after) {
    if (c == 'o' && next == 'o') return true;
    if ((c != 'o' && c != 'u') || next != 'u') return false;
    return after != 'a' && after != 'e' && after != 'o';
}

// One word of ICU's Hepburn made passport style. ICU marks a small vowel kana with "~" after
// the vowel it replaces ("ゔぃ" → "vu~i") and a syllable-final "n" before a vowel with "'".
std::string PassportStyle(const std::string& word) {
    std::string marked;
    for (std::size_t at = 0; at < word.size(); ++at) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(word[at])));
        if (c == '\'') continue;
        if (c == '~') {
            if (!marked.empty() && IsVowel(marked.back())) marked.pop_back();
            continue;
        }
        marked += c;
    }
    std::string out;
    for (std::size_t at = 0; at < marked.size(); ++at) {
        const char c = marked[at];
        const char next = at + 1 < marked.size() ? marked[at + 1] : '\0';
        if (IsLongVowel(c, next, at + 2 < marked.size() ? marked[at + 2] : '\0')) {
            out += c;
            ++at;
        } else if (c == 'n' && (next == 'b' || next == 'm' || next == 'p')) {
            out += 'm';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::string Capitalised(std::string word, bool whole) {
    for (std::size_t at = 0; at < word.size(); ++at)
        if (whole || at == 0) word[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[at])));
    return word;
}

}  // namespace

std::string RomanisedName(std::string_view readingUtf8, NameOrder order) {
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(ConvertKana(readingUtf8, ReadingKana::Hiragana));
    text.findAndReplace(icu::UnicodeString(static_cast<UChar>(0x30FB)), icu::UnicodeString(" "));  // "・"
    text.findAndReplace(icu::UnicodeString(static_cast<UChar>(0x3000)), icu::UnicodeString(" "));
    if (icu::Transliterator* transliterator = HiraganaToAscii()) transliterator->transliterate(text);
    std::string latin;
    text.toUTF8String(latin);

    const auto notLatin = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    if (std::any_of(latin.begin(), latin.end(), notLatin)) return {};
    const std::vector<std::string> words = Words(latin);
    if (words.empty()) return {};
    const std::string family = Capitalised(PassportStyle(words.front()), true);
    std::string given;
    for (std::size_t index = 1; index < words.size(); ++index)
        given += (given.empty() ? "" : " ") + Capitalised(PassportStyle(words[index]), false);
    if (given.empty()) return family;
    return order == NameOrder::GivenFirst ? given + " " + family : family + " " + given;
}

cards::Outcome FillRomanisedNames(const cards::RecordCards& cards, std::string_view from, std::string_view to,
                                  NameOrder order) {
    return cards.DeriveItem(from, to, [order](const std::string& stored) -> std::optional<std::string> {
        std::string reading;
        if (!codec::Cp932ToUtf8(exact_text::Plain(stored), reading)) return std::nullopt;
        reading = exact_text::ToUtf8(stored);
        // Letters of ASCII alone, which code page 932 stores as they are.
        std::string name = RomanisedName(reading, order);
        if (name.empty()) return std::nullopt;
        return name;
    });
}
