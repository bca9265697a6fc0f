#include "lists/list_file.h"

#include <cerrno>

#include "lists/delimited_text.h"
#include "lists/workbook.h"
#include "lists/zip_archive.h"
#include "store/regular_file.h"

namespace {

constexpr std::string_view kZipMagic = "PK\x03\x04";
// Compound documents: old .xls files, and password-protected .xlsx files.
constexpr std::string_view kCompoundMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool ReadWorkbook(std::string_view bytes, const ListReadOptions& options, ListFile& list, ListError& error) {
    ZipArchive zip;
    std::string problem;
    if (!zip.Open(bytes, problem)) {
        error = {problem, 0, 0};
        return false;
    }
    const WorkbookKind kind = WorkbookKindOf(zip);
    if (kind == WorkbookKind::None) {
        error = {"表計算のブックではない zip ファイルです", 0, 0};
        return false;
    }
    WorkbookSheet sheet;
    const bool read = kind == WorkbookKind::Xlsx ? ReadXlsx(zip, options.sheet, options.progress, sheet, error)
                                                 : ReadOds(zip, options.sheet, options.progress, sheet, error);
    if (!read) return false;
    list.format = kind == WorkbookKind::Xlsx ? ListFormat::Xlsx : ListFormat::Ods;
    list.sheetNames = std::move(sheet.sheetNames);
    list.sheet = std::move(sheet.sheet);
    list.table = std::move(sheet.table);
    return true;
}

bool ReadText(std::string_view bytes, const ListReadOptions& options, ListFile& list, ListError& error) {
    if (options.encoding) {
        list.encoding = *options.encoding;
        // UTF-16 is named without its byte order; a mark tells it.
        if (list.encoding == TextEncoding::Utf16Le && bytes.substr(0, 2) == "\xFE\xFF") list.encoding = TextEncoding::Utf16Be;
    } else {
        const auto guess = DetectEncoding(bytes, error);
        if (!guess) return false;
        list.encoding = guess->encoding;
        list.encodingAmbiguous = guess->ambiguous;
    }
    std::string text;
    if (!DecodeText(bytes, list.encoding, text, error)) return false;
    if (text.find('\0') != std::string::npos) {
        error = {"テキストの名簿ではありません", 0, 0};
        return false;
    }
    list.separator = DetectSeparator(text);
    list.format = list.separator == '\t' ? ListFormat::Tsv : ListFormat::Csv;
    return ParseDelimited(text, list.separator, list.table, error, options.progress);
}

}  // namespace

const char* FormatLabel(ListFormat format) {
    switch (format) {
        case ListFormat::Csv: return "CSV";
        case ListFormat::Tsv: return "TSV";
        case ListFormat::Xlsx: return "Excel (.xlsx)";
        case ListFormat::Ods: return "OpenDocument (.ods)";
    }
    return "";
}

bool ReadListBytes(std::string_view bytes, const ListReadOptions& options, ListFile& list, ListError& error) {
    list = ListFile();
    if (bytes.size() > kMaxListFileBytes) {
        error = {"ファイルが大きすぎます (256 MB まで)", 0, 0};
        return false;
    }
    if (bytes.substr(0, kCompoundMagic.size()) == kCompoundMagic) {
        error = {"パスワードで保護されたブックか、古い形式 (.xls) のブックです。.xlsx か CSV で保存してください", 0, 0};
        return false;
    }
    if (bytes.substr(0, kZipMagic.size()) == kZipMagic) return ReadWorkbook(bytes, options, list, error);
    return ReadText(bytes, options, list, error);
}

bool ReadListFile(const std::string& path, const ListReadOptions& options, ListFile& list, ListError& error) {
    std::string bytes;
    switch (ReadRegularFile(path, kMaxListFileBytes, bytes)) {
        case 0: return ReadListBytes(bytes, options, list, error);
        case EFBIG: error = {"ファイルが大きすぎます (256 MB まで)", 0, 0}; return false;
        case EISDIR:
        case EINVAL: error = {"通常のファイルではありません", 0, 0}; return false;
        default: error = {"ファイルを開けません", 0, 0}; return false;
    }
}
