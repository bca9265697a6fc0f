#pragma once

#include <cstddef>
#include <string>

// Where and why a list could not be read. line and column are 1-based; 0 when they do not apply
// (a damaged workbook has no line).
struct ListError {
    std::string message;  // UTF-8, short, in Japanese
    std::size_t line = 0;
    std::size_t column = 0;

    // "FILE: 3 行 5 列: message", leaving out what is not known.
    std::string Describe(const std::string& file) const;
};
