#pragma once

#include <cstddef>
#include <string>

#include "lists/list_error.h"
#include "lists/list_table.h"

// How large a list may grow in memory once read, whatever its format. A small file can stand
// for a huge table: a workbook repeats a cell over thousands of columns and rows or uses one
// shared string in every cell, an OpenDocument cell asks for a billion spaces, a CSV file is a
// line of separators. Each cell is counted at its text plus the cost of the cell itself, and
// text used by many cells is counted at every use, because the import copies each cell into a
// card; readers take from the budget before they copy, so no more than it is ever held.
class TableBudget {
public:
    static constexpr std::size_t kMaxBytes = 256u * 1024 * 1024;
    static constexpr std::size_t kMaxColumns = 16384;
    static constexpr std::size_t kCellCost = sizeof(std::string);
    static constexpr std::size_t kRowCost = sizeof(ListRow);

    // Takes bytes for what is read at line and 1-based column. False, with the error set, when
    // they do not fit.
    bool Take(std::size_t bytes, std::size_t line, std::size_t column, ListError& error);
    // False, with the error set, for a 0-based column past the last.
    static bool CheckColumn(std::size_t column, std::size_t line, ListError& error);
    std::size_t Left() const { return kMaxBytes - used_; }

    static ListError TooLarge(std::size_t line, std::size_t column);

private:
    std::size_t used_ = 0;
};
