#include "lists/list_writer.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "lists/workbook_check.h"
#include "store/atomic_file.h"
#include "store/codec.h"
#include "store/failure_reason.h"
#include "store/file_size_limit.h"
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

// Which card (or row of the workbook) a row is, for a message.
std::string RowName(const ListRows& list, std::size_t row) {
    if (row < list.cards.size()) return "カード " + CardSectionName(list.cards[row]);
    return std::to_string(row + 2) + " 行目";
}

// Names the first cell code page 932 cannot hold, its character and its card or row.
std::string Cp932Problem(const ListRows& list) {
    std::string where;
    for (std::size_t c = 0; c < list.header.size() && where.empty(); ++c)
        if (const std::string bad = codec::FirstUnstorableCharacter(list.header[c]); !bad.empty())
            where = "見出し「" + list.header[c] + "」の「" + bad + "」";
    for (std::size_t r = 0; r < list.rows.size() && where.empty(); ++r)
        for (std::size_t c = 0; c < list.rows[r].size() && where.empty(); ++c)
            if (const std::string bad = codec::FirstUnstorableCharacter(list.rows[r][c]); !bad.empty())
                where = RowName(list, r) + " の「" + (c < list.header.size() ? list.header[c] : std::string()) + "」の「" +
                        bad + "」";
    if (where.empty()) return "CP932 で書けない文字があります。UTF-8 で書き出してください";
    return where + "は CP932 で書けません。UTF-8 で書き出してください";
}

bool WriteText(const std::string& path, const ListRows& list, char separator, ListOutputEncoding encoding,
               std::string& error) {
    const std::string text = DelimitedText(list, separator);
    std::string bytes;
    if (encoding == ListOutputEncoding::Utf8Bom) {
        bytes = "\xEF\xBB\xBF" + text;
    } else if (!codec::Utf8ToCp932(text, bytes)) {
        error = Cp932Problem(list);
        errno = 0;
        return false;
    }
    if (!ReplaceFileAtomically(path, bytes)) {
        error = profile::NotWrittenMessage(path, errno);
        return false;
    }
    return true;
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

// Fails the write with the errno, the old file kept.
bool NotWritten(const std::string& path, int cause, std::string& error) {
    error = profile::NotWrittenMessage(path, cause);
    errno = cause;
    return false;
}

// libxlsxwriter writes the whole workbook on close, packing parts it first writes to temporary
// files of its own without noticing when those writes fail. Everything goes beside the output
// (the folder that must hold it anyway, not a shared temporary folder), and the workbook is
// renamed over the output only once every part of it reads back complete.
bool WriteXlsx(const std::string& path, const ListRows& list, std::string& error) {
    std::string target, temporary;
    if (const int refused = ResolveWriteTarget(path, target)) return NotWritten(path, refused, error);
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) return NotWritten(path, -fd, error);
    close(fd);
    const std::size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook* workbook = workbook_new_opt(temporary.c_str(), &options);
    if (workbook == nullptr) {
        unlink(temporary.c_str());
        return NotWritten(path, errno != 0 ? errno : EIO, error);
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
    const int closeError = errno;
    if (cell == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED && failedRow > 0) {
        unlink(temporary.c_str());
        const std::string item = failedColumn < list.header.size() ? list.header[failedColumn] : std::string();
        error = RowName(list, failedRow - 1) + " の「" + item + "」は " + std::to_string(kMostCellCharacters) +
                " 文字を超えるため、ワークブックのセルに入りません";
        errno = 0;
        return false;
    }
    if (cell != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        unlink(temporary.c_str());
        return NotWritten(path, closeError != 0 ? closeError : EIO, error);
    }
    // A part cut short: its temporary file met the file-size limit or a full disk.
    if (!IncompleteWorkbookPart(temporary).empty()) {
        unlink(temporary.c_str());
        return NotWritten(path, LowFileSizeLimit() != 0 ? EFBIG : ENOSPC, error);
    }
    if (const int failed = CommitTemporary(temporary, target)) return NotWritten(path, failed, error);
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
