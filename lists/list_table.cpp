#include "lists/list_table.h"

#include <algorithm>

std::size_t ListTable::Width() const {
    std::size_t width = 0;
    for (const ListRow& row : rows) width = std::max(width, row.cells.size());
    return width;
}

bool IsBlankCell(std::string_view cell) { return cell.find_first_not_of(" \t") == std::string_view::npos; }

bool IsBlankRow(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return IsBlankCell(cell); });
}
