#include "lists/list_writer.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <unistd.h>

#include "store/atomic_file.h"
#include "store/codec.h"

namespace {

std::string Field(const std::string& text, char separator) {
    const bool quote = text.find_first_of(std::string("\"\r\n") + separator) != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void AppendRow(std::string& out, const std::vector<std::string>& cells, char separator) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) out += separator;
        out += Field(cells[c], separator);
    }
    out += "\r\n";
}

bool WriteText(const std::string& path, const ListRows& list, char separator, ListOutputEncoding encoding,
               std::string& error) {
    const std::string text = DelimitedText(list, separator);
    std::string bytes;
    if (encoding == ListOutputEncoding::Utf8Bom) {
        bytes = "\xEF\xBB\xBF" + text;
    } else if (!codec::Utf8ToCp932(text, bytes)) {
        error = "CP932 で書けない文字があります。UTF-8 で書き出してください";
        return false;
    }
    if (!ReplaceFileAtomically(path, bytes)) {
        error = "書き込めません: " + path;
        return false;
    }
    return true;
}

// libxlsxwriter writes the whole workbook on close; it goes to a temporary name beside the
// target, renamed over it once complete.
bool WriteXlsx(const std::string& path, const ListRows& list, std::string& error) {
    const std::string temporary = path + ".part";
    lxw_workbook* workbook = workbook_new(temporary.c_str());
    if (workbook == nullptr) {
        error = "書き込めません: " + path;
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "名簿");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    bool written = sheet != nullptr;
    const auto writeRow = [&](lxw_row_t row, const std::vector<std::string>& cells, lxw_format* format) {
        for (std::size_t c = 0; c < cells.size() && written; ++c) {
            if (cells[c].empty()) continue;
            written = worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), cells[c].c_str(), format) ==
                      LXW_NO_ERROR;
        }
    };
    writeRow(0, list.header, bold);
    for (std::size_t r = 0; r < list.rows.size() && written; ++r)
        writeRow(static_cast<lxw_row_t>(r + 1), list.rows[r], nullptr);
    const lxw_error closed = workbook_close(workbook);
    if (!written || closed != LXW_NO_ERROR || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        error = "書き込めません: " + path;
        return false;
    }
    return true;
}

}  // namespace

std::string DelimitedText(const ListRows& list, char separator) {
    std::string out;
    AppendRow(out, list.header, separator);
    for (const auto& row : list.rows) AppendRow(out, row, separator);
    return out;
}

bool WriteList(const std::string& path, const ListRows& list, ListOutputFormat format, ListOutputEncoding encoding,
               std::string& error) {
    switch (format) {
        case ListOutputFormat::Csv: return WriteText(path, list, ',', encoding, error);
        case ListOutputFormat::Tsv: return WriteText(path, list, '\t', encoding, error);
        case ListOutputFormat::Xlsx: return WriteXlsx(path, list, error);
    }
    return false;
}
