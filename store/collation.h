#pragma once

#include <string>
#include <string_view>

struct UCollator;

// Orders stored texts as a Japanese reader expects: kana in the order of the syllabary, with
// hiragana, katakana and half-width kana of the same sound together (ICU's Japanese collation).
class JapaneseCollation {
public:
    JapaneseCollation();
    ~JapaneseCollation();
    JapaneseCollation(const JapaneseCollation&) = delete;
    JapaneseCollation& operator=(const JapaneseCollation&) = delete;

    // A key whose byte order is the order of the texts (code page 932). Text that is not valid
    // code page 932 sorts by its bytes, after every valid text.
    std::string SortKey(std::string_view cp932) const;

private:
    UCollator* collator_ = nullptr;
};
