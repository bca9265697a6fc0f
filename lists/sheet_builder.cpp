#include "lists/sheet_builder.h"

bool SheetBuilder::StartRow(std::size_t line, ListError& error) {
    if (line == 0 || line > kMaxRows) {
        error = {"行が多すぎます", line, 0};
        return false;
    }
    row_.line = line;
    row_.cells.clear();
    return budget_.Take(TableBudget::kRowCost, line, 0, error);
}

bool SheetBuilder::SetCell(std::size_t column, std::string_view text, ListError& error) {
    if (!TableBudget::CheckColumn(column, row_.line, error)) return false;
    if (text.empty()) return true;
    const std::size_t added = row_.cells.size() <= column ? column + 1 - row_.cells.size() : 0;
    if (!budget_.Take(added * TableBudget::kCellCost + text.size(), row_.line, column + 1, error)) return false;
    if (added > 0) row_.cells.resize(column + 1);
    row_.cells[column] = text;
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
