#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_error.h"
#include "lists/list_table.h"

class ZipArchive;

// Reading one sheet of a spreadsheet workbook: Excel (.xlsx) or OpenDocument (.ods). Cells come
// as the spreadsheet shows them; rows keep their row numbers as lines.
struct WorkbookSheet {
    std::vector<std::string> sheetNames;  // every sheet, in workbook order
    std::string sheet;                    // the one read
    ListTable table;
};

// sheet names the sheet to read; empty reads the first. False, with a message, when the archive
// is not a readable workbook or the sheet does not exist.
// progress is called now and then with the share of the sheet read and may return false to stop.
using Progress = std::function<bool(double)>;
bool ReadXlsx(const ZipArchive& zip, const std::string& sheet, const Progress& progress, WorkbookSheet& result,
              ListError& error);
bool ReadOds(const ZipArchive& zip, const std::string& sheet, const Progress& progress, WorkbookSheet& result,
             ListError& error);

// Whether a zip archive is an Excel or an OpenDocument workbook, by the entries it holds.
enum class WorkbookKind { None, Xlsx, Ods };
WorkbookKind WorkbookKindOf(const ZipArchive& zip);
