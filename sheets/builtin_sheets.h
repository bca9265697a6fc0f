#pragma once

#include <string_view>

namespace sheets {

// The program's own layouts for common sheets the database lacks: resources/sheets.xml, built
// into the program.
std::string_view BuiltInSheets();

// The sheet a job prints on when nothing else names one: A4, ten 91 × 55 mm business cards
// without gaps, the most common name tag sheet (UTF-8, as the catalogue lists it).
inline constexpr std::string_view kDefaultSheetMaker = "汎用";
inline constexpr std::string_view kDefaultSheetPart = "A4 名刺 10面 91×55mm (上11 左14)";

}  // namespace sheets
