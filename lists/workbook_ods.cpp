// OpenDocument spreadsheets: content.xml holds every sheet (table:table) with its rows and cells.
// A cell's paragraphs (text:p) are the text the spreadsheet shows; runs of identical rows and
// cells are written once with a repeat count.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "lists/sheet_builder.h"
#include "lists/workbook.h"
#include "lists/xml_helpers.h"
#include "lists/zip_archive.h"

namespace {

std::size_t RepeatCount(const QXmlStreamReader& reader, QStringView attribute) {
    const long long count = std::atoll(xml::Attribute(reader, attribute).c_str());
    return count < 1 ? 1 : static_cast<std::size_t>(count);
}

// The shown text of a cell: its paragraphs joined by line breaks, spaces (text:s) and tabs
// expanded. The reader stands on the cell's start and ends on its end. Nothing when the text
// would pass limit bytes: a space count alone may ask for gigabytes.
std::optional<std::string> CellText(QXmlStreamReader& reader, std::size_t limit) {
    std::string text;
    int paragraphs = 0, depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (xml::Is(reader, u"p") || xml::Is(reader, u"h")) {
                if (paragraphs++ > 0) text += '\n';
            } else if (xml::Is(reader, u"s")) {
                const std::size_t count = RepeatCount(reader, u"c");
                if (count > limit - std::min(limit, text.size())) return std::nullopt;
                text.append(count, ' ');
            } else if (xml::Is(reader, u"tab")) {
                text += '\t';
            } else if (xml::Is(reader, u"line-break")) {
                text += '\n';
            } else if (xml::Is(reader, u"annotation")) {
                reader.skipCurrentElement();
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::Characters && depth > 1 && !xml::AppendText(reader.text(), text, limit)) {
            return std::nullopt;
        }
        if (text.size() > limit) return std::nullopt;
    }
    return text;
}

// Cells of one text next to each other, as a row element writes them.
struct CellRun {
    std::size_t column = 0, count = 0;
    std::string text;
};

class OdsReader {
public:
    OdsReader(const Progress& progress, std::size_t size, ListError& error)
        : progress_(progress), size_(size), error_(error) {}

    bool Read(std::string_view content, const std::string& sheet, WorkbookSheet& result) {
        QXmlStreamReader reader(xml::Raw(content));
        bool found = false;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement || !xml::Is(reader, u"table")) continue;
            const std::string name = xml::Attribute(reader, u"name");
            result.sheetNames.push_back(name);
            if (found || (!sheet.empty() && name != sheet)) {
                reader.skipCurrentElement();
                continue;
            }
            found = true;
            result.sheet = name;
            if (!ReadTable(reader, result.table)) return false;
        }
        if (reader.hasError()) return Fail(xml::Problem(reader, "content.xml"));
        if (result.sheetNames.empty()) return Fail("シートがありません");
        if (!found) return Fail("シート「" + sheet + "」がありません");
        return true;
    }

private:
    bool Fail(std::string message) {
        error_ = {std::move(message), 0, 0};
        return false;
    }

    // Rows may sit in header-row and row-group elements; everything else in a table is skipped.
    bool ReadTable(QXmlStreamReader& reader, ListTable& table) {
        SheetBuilder builder(table, budget_);
        std::size_t line = 1;
        int depth = 1;
        while (depth > 0 && !reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
            } else if (token == QXmlStreamReader::StartElement) {
                if (xml::Is(reader, u"table-row")) {
                    if (!ReadRow(reader, builder, line) ||
                        !builder.Report(progress_, reader.characterOffset(), size_, error_))
                        return false;
                } else if (xml::Is(reader, u"table-header-rows") || xml::Is(reader, u"table-row-group") ||
                           xml::Is(reader, u"table-rows")) {
                    ++depth;
                } else {
                    reader.skipCurrentElement();
                }
            }
        }
        return true;
    }

    // One row element, repeated as often as it says; rows without text only advance the line.
    // A repeated cell's text is kept once and copied into the table only within the budget.
    bool ReadRow(QXmlStreamReader& reader, SheetBuilder& builder, std::size_t& line) {
        const std::size_t repeat = RepeatCount(reader, u"number-rows-repeated");
        std::vector<CellRun> runs;
        std::size_t column = 0;
        while (reader.readNextStartElement()) {
            if (!xml::Is(reader, u"table-cell") && !xml::Is(reader, u"covered-table-cell")) {
                reader.skipCurrentElement();
                continue;
            }
            const std::size_t count = RepeatCount(reader, u"number-columns-repeated");
            std::optional<std::string> text = CellText(reader, budget_.Left());
            if (!text) {
                error_ = TableBudget::TooLarge(line, column + 1);
                return false;
            }
            if (!text->empty()) {
                if (!TableBudget::CheckColumn(column + count - 1, line, error_)) return false;
                runs.push_back({column, count, std::move(*text)});
            }
            column += std::min(count, TableBudget::kMaxColumns + 1);
        }
        if (std::all_of(runs.begin(), runs.end(), [](const CellRun& run) { return IsBlankCell(run.text); })) {
            line += repeat;
            return true;
        }
        for (std::size_t r = 0; r < repeat; ++r, ++line) {
            if (!builder.StartRow(line, error_)) return false;
            for (const CellRun& run : runs)
                for (std::size_t c = run.column; c < run.column + run.count; ++c)
                    if (!builder.SetCell(c, run.text, error_)) return false;
            builder.EndRow();
        }
        return true;
    }

    const Progress& progress_;
    std::size_t size_;
    ListError& error_;
    TableBudget budget_;
};

}  // namespace

bool ReadOds(const ZipArchive& zip, const std::string& sheet, const Progress& progress, WorkbookSheet& result,
             ListError& error) {
    std::string problem;
    if (zip.Has("META-INF/manifest.xml")) {
        const auto manifest = zip.Read("META-INF/manifest.xml", problem);
        if (manifest && manifest->find("encryption-data") != std::string::npos) {
            error = {"パスワードで保護されたブックです", 0, 0};
            return false;
        }
    }
    const auto content = zip.Read("content.xml", problem);
    if (!content) {
        error = {"壊れたブックです (" + problem + ")", 0, 0};
        return false;
    }
    return OdsReader(progress, content->size(), error).Read(*content, sheet, result);
}
