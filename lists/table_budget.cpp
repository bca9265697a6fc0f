#include "lists/table_budget.h"

bool TableBudget::Take(std::size_t bytes, std::size_t line, std::size_t column, ListError& error) {
    if (bytes > Left()) {
        error = TooLarge(line, column);
        return false;
    }
    used_ += bytes;
    return true;
}

bool TableBudget::CheckColumn(std::size_t column, std::size_t line, ListError& error) {
    if (column < kMaxColumns) return true;
    error = {"列が多すぎます (16384 列まで)", line, column + 1};
    return false;
}

ListError TableBudget::TooLarge(std::size_t line, std::size_t column) {
    return {"表が大きすぎます (読み込むと 256 MB を超えます)", line, column};
}
