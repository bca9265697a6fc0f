#include "lists/sheet_builder.h"

bool SheetBuilder::StartRow(std::size_t line, ListError& error) {
    if (line == 0 || line > kMaxRows) {
        error = {"行が多すぎます", line, 0};
        return false;
    }
    row_.line = line;
    row_.cells.clear();
    return true;
}

bool SheetBuilder::SetCell(std::size_t column, std::string text, ListError& error) {
    if (column >= kMaxColumns) {
        error = {"列が多すぎます", row_.line, column + 1};
        return false;
    }
    if (text.empty()) return true;
    if (++cells_ > kMaxCells) {
        error = {"セルが多すぎます", row_.line, column + 1};
        return false;
    }
    if (row_.cells.size() <= column) row_.cells.resize(column + 1);
    row_.cells[column] = std::move(text);
    return true;
}

bool SheetBuilder::Report(const std::function<bool(double)>& progress, long long offset, std::size_t size,
                          ListError& error) {
    constexpr std::size_t kRowsBetweenReports = 4096;
    if (!progress || ++rowsSinceReport_ < kRowsBetweenReports) return true;
    rowsSinceReport_ = 0;
    if (progress(size == 0 ? 1.0 : static_cast<double>(offset) / static_cast<double>(size))) return true;
    error = {"中止しました", row_.line, 0};
    return false;
}

void SheetBuilder::EndRow() {
    if (!IsBlankRow(row_.cells)) table_.rows.push_back(std::move(row_));
    row_ = ListRow();
}
