#pragma once

#include <string>
#include <string_view>
#include <vector>

// Label makers as Japanese users write them: the catalogue names most makers in Latin letters
// ("Hisago"), while a user types ヒサゴ, or ひさご before converting.
namespace sheets {

// The other spellings of the maker a search word (Latin letters in lower case) begins to name:
// for the start of a katakana (or hiragana) name, the maker's Latin name in lower case; for the
// start of a Latin name, its katakana names. Empty when the word starts no maker's name.
std::vector<std::string> MakerNameVariants(std::string_view word);

}  // namespace sheets
