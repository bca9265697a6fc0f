#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The rows of a list as read, cells in UTF-8. Blank rows are not kept; each row remembers the
// line (text lists) or row number (workbooks) it came from, for messages.
struct ListRow {
    std::size_t line = 0;
    std::vector<std::string> cells;
};

struct ListTable {
    std::vector<ListRow> rows;

    // The number of columns: the length of the longest row (rows may be ragged).
    std::size_t Width() const;
};

// True when a cell is empty or holds only spaces.
bool IsBlankCell(std::string_view cell);
// True when every cell is.
bool IsBlankRow(const std::vector<std::string>& cells);
