#pragma once

#include <string>
#include <string_view>

// Readings as lists hold them: hiragana, full- or half-width katakana. Conversions go through
// ICU's normalisation and transliteration; text in UTF-8.
enum class ReadingKana { Keep, Hiragana, Katakana };

std::string ConvertKana(std::string_view utf8, ReadingKana kana);

// The compatibility form (NFKC) of a text: full-width letters and digits become ASCII and
// half-width katakana full-width. Used to compare column headers.
std::string CompatibilityForm(std::string_view utf8);
