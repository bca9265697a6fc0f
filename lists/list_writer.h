#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writing a list of people for spreadsheets: a header row of item names, then one row per card.
// Cells are UTF-8.
enum class ListOutputFormat { Csv, Tsv, Xlsx };
enum class ListOutputEncoding { Utf8Bom, Cp932 };  // text formats only

struct ListRows {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::int32_t> cards = {};  // the card number of each row, when the rows are cards
};

// Writes the file at path (file-system path), replacing it only when complete and only when it is
// a regular file (through a symbolic link, the file it names). False, with a one-line reason,
// when it cannot be written, (code page 932) a cell holds a character that code page 932 cannot
// hold (the reason names it and its card) or (.xlsx) a cell is longer than a workbook cell
// holds; errno is then
// the system's error of the failed write, or 0. Temporary files that an earlier write of the same
// file left behind when it was killed are removed.
bool WriteList(const std::string& path, const ListRows& list, ListOutputFormat format, ListOutputEncoding encoding,
               std::string& error);

// The text of a CSV or TSV file in UTF-8 without a mark: fields quoted when they hold the
// separator, a quote, a line break or blanks at either end; lines end with CR LF.
std::string DelimitedText(const ListRows& list, char separator);
