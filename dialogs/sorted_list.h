#pragma once

#include <string>
#include <string_view>
#include <vector>

// The order and search of the choosers' lists, on stored text (code page 932).
//
// Entries sort by their code page 932 bytes, with ASCII letters compared without regard to case
// ("B.ini" after "a.ini"; equal folded texts fall back to the raw bytes, so the order is total).
// Byte order puts kana before kanji and the common kanji in order of their readings, which
// reads naturally in Japanese; Unicode order would sort kanji by radical instead.
namespace sorted_list {

void Sort(std::vector<std::string>& entries);

// Index of the first entry that begins with prefix, ASCII letters matched without regard to
// case and never ending inside a double-byte character; -1 when no entry does.
int FindPrefix(const std::vector<std::string>& entries, std::string_view prefix);

}  // namespace sorted_list
