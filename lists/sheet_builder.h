#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "lists/list_error.h"
#include "lists/list_table.h"
#include "lists/table_budget.h"

// Collects the cells of a sheet row by row into a table, within the rows of the largest
// spreadsheet and the budget of a list, keeping rows with some text only. Empty cells cost
// nothing until text follows them, so that a row of 16,384 repeated empty cells stays cheap.
class SheetBuilder {
public:
    static constexpr std::size_t kMaxRows = 1048576;

    SheetBuilder(ListTable& table, TableBudget& budget) : table_(table), budget_(budget) {}

    // Starts row number line (1-based; rows only go down). False past the last row.
    bool StartRow(std::size_t line, ListError& error);
    // Puts a copy of text in the 0-based column of the current row. False past the last column
    // or beyond the budget.
    bool SetCell(std::size_t column, std::string_view text, ListError& error);
    // Keeps the current row when it holds text.
    void EndRow();
    // Every few thousand rows: reports the share of the sheet's XML read (offset of size bytes).
    // False, with the error set, when progress stops the reading.
    bool Report(const std::function<bool(double)>& progress, long long offset, std::size_t size, ListError& error);

private:
    ListTable& table_;
    TableBudget& budget_;
    ListRow row_;
    std::size_t rowsSinceReport_ = 0;
};
