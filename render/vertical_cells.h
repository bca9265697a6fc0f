#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The rule of vertical text that is the program's own rather than the font's: two half-width
// digits standing alone ("12" in "第12回", not in "2026") are set side by side in one cell
// across the column (縦中横).

// Whether text[at] starts such a pair. Text is any sequence of characters whose digit test is
// isDigit (stored bytes, or UTF-16 units on the screen side).
template <typename Text, typename IsDigit>
bool StartsDigitPair(const Text& text, std::size_t at, IsDigit isDigit) {
    const std::size_t size = static_cast<std::size_t>(text.size());
    return at + 1 < size && isDigit(text[at]) && isDigit(text[at + 1]) && (at == 0 || !isDigit(text[at - 1])) &&
           (at + 2 == size || !isDigit(text[at + 2]));
}

// The cells stored text takes down a column: one per character, one per digit pair.
std::int32_t VerticalCells(std::string_view stored);
