#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/list_error.h"
#include "lists/list_table.h"
#include "lists/text_encoding.h"

// A participant list read from a file of any kind the program knows: CSV or TSV text in one of
// the detected encodings, an Excel workbook (.xlsx) or an OpenDocument spreadsheet (.ods). The
// kind is taken from the contents, not the file name.
enum class ListFormat { Csv, Tsv, Xlsx, Ods };

// "CSV", "TSV", "Excel (.xlsx)", "OpenDocument (.ods)".
const char* FormatLabel(ListFormat format);

struct ListReadOptions {
    std::optional<TextEncoding> encoding;  // text lists: read in this encoding instead of the detected one
    std::string sheet;                     // workbooks: this sheet instead of the first
    std::function<bool(double)> progress;  // share done (0..1); false stops the reading
};

struct ListFile {
    ListFormat format = ListFormat::Csv;
    // Text lists: the encoding read with, and whether the bytes were valid in another one too.
    TextEncoding encoding = TextEncoding::Utf8;
    bool encodingAmbiguous = false;
    char separator = ',';
    // Workbooks: every sheet and the one read.
    std::vector<std::string> sheetNames;
    std::string sheet;
    ListTable table;
};

// Larger files are refused rather than read.
constexpr std::size_t kMaxListFileBytes = 256u * 1024 * 1024;

// Reads the list at path (a file-system path). False, with a one-line reason, for a file that
// cannot be read, is not a list (binary, an old .xls, a password-protected or damaged
// workbook) or is too large.
bool ReadListFile(const std::string& path, const ListReadOptions& options, ListFile& list, ListError& error);
// The same for bytes already in memory.
bool ReadListBytes(std::string_view bytes, const ListReadOptions& options, ListFile& list, ListError& error);
