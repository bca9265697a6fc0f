#include "lists/list_writer.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "store/atomic_file.h"
#include "store/codec.h"
#include "store/storage_layout.h"

namespace {

// What a cell of a workbook holds at most (Excel's limit, which libxlsxwriter keeps).
constexpr int kMostCellCharacters = 32767;

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
        errno = 0;
        return false;
    }
    if (!ReplaceFileAtomically(path, bytes)) {
        error = "書き込めません: " + path;
        return false;
    }
    return true;
}

// Which card (or row of the workbook) a row is, for a message.
std::string RowName(const ListRows& list, std::size_t row) {
    if (row < list.cards.size()) return "カード " + CardSectionName(list.cards[row]);
    return std::to_string(row + 2) + " 行目";
}

// libxlsxwriter writes the whole workbook on close, and tells of a failure there on the error
// output as well as in what it returns: the caller says it once, in its own words.
lxw_error CloseQuietly(lxw_workbook* workbook) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    const lxw_error closed = workbook_close(workbook);
    const int error = errno;
    if (saved >= 0 && null >= 0) dup2(saved, STDERR_FILENO);
    for (const int fd : {saved, null})
        if (fd >= 0) close(fd);
    errno = error;
    return closed;
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
    lxw_error cell = sheet != nullptr ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    std::size_t failedRow = 0, failedColumn = 0;
    const auto writeRow = [&](lxw_row_t row, const std::vector<std::string>& cells, lxw_format* format) {
        for (std::size_t c = 0; c < cells.size() && cell == LXW_NO_ERROR; ++c) {
            if (cells[c].empty()) continue;
            cell = worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), cells[c].c_str(), format);
            failedRow = row;
            failedColumn = c;
        }
    };
    writeRow(0, list.header, bold);
    for (std::size_t r = 0; r < list.rows.size() && cell == LXW_NO_ERROR; ++r)
        writeRow(static_cast<lxw_row_t>(r + 1), list.rows[r], nullptr);
    const lxw_error closed = CloseQuietly(workbook);
    const bool renamed = cell == LXW_NO_ERROR && closed == LXW_NO_ERROR && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (renamed) return true;
    const int writeError = cell == LXW_NO_ERROR ? errno : 0;
    unlink(temporary.c_str());
    errno = writeError;
    if (cell == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED && failedRow > 0) {
        const std::string item = failedColumn < list.header.size() ? list.header[failedColumn] : std::string();
        error = RowName(list, failedRow - 1) + " の「" + item + "」は " + std::to_string(kMostCellCharacters) +
                " 文字を超えるため、ワークブックのセルに入りません";
    } else {
        error = "書き込めません: " + path;
    }
    return false;
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
    // Another export of the same file at this moment loses its temporary file and fails; the
    // output is then this one's, as if it had come second.
    std::string target;
    if (ResolveWriteTarget(path, target) == 0) RemoveStaleTemporaries(target);
    switch (format) {
        case ListOutputFormat::Csv: return WriteText(path, list, ',', encoding, error);
        case ListOutputFormat::Tsv: return WriteText(path, list, '\t', encoding, error);
        case ListOutputFormat::Xlsx: return WriteXlsx(path, list, error);
    }
    return false;
}
