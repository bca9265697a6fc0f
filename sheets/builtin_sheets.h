#pragma once

#include <string_view>

namespace sheets {

// The program's own layouts for common sheets the database lacks: resources/sheets.xml, built
// into the program.
std::string_view BuiltInSheets();

}  // namespace sheets
