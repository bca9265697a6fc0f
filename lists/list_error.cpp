#include "lists/list_error.h"

std::string ListError::Describe(const std::string& file) const {
    std::string text = file.empty() ? std::string() : file + ": ";
    if (line > 0) {
        text += std::to_string(line) + " 行";
        if (column > 0) text += " " + std::to_string(column) + " 列";
        text += ": ";
    }
    return text + message;
}
