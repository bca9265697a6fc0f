// Excel workbooks: a zip archive of XML parts (ECMA-376). The workbook part lists the sheets;
// its relationships name each sheet's part, the shared strings and the styles.
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "lists/number_format.h"
#include "lists/sheet_builder.h"
#include "lists/workbook.h"
#include "lists/xml_helpers.h"
#include "lists/zip_archive.h"

namespace {

struct Relationship {
    std::string type, target;  // target as a path inside the archive
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Resolve(const std::string& folder, const std::string& target) {
    return !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
}

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Excel escapes characters XML cannot hold as "_xHHHH_"; "_x005F_" is a literal underscore.
std::string Unescape(std::string text) {
    std::size_t pos = 0;
    while ((pos = text.find("_x", pos)) != std::string::npos) {
        unsigned code = 0;
        const char* begin = text.data() + pos + 2;
        if (pos + 7 <= text.size() && text[pos + 6] == '_' &&
            std::from_chars(begin, begin + 4, code, 16).ptr == begin + 4 && code < 0x80) {
            text.replace(pos, 7, 1, static_cast<char>(code));
        }
        ++pos;
    }
    return text;
}

class XlsxReader {
public:
    XlsxReader(const ZipArchive& zip, const Progress& progress, ListError& error)
        : zip_(zip), progress_(progress), error_(error) {}

    bool Read(const std::string& sheet, WorkbookSheet& result) {
        std::string workbook = "xl/workbook.xml";
        std::map<std::string, Relationship> rootRels;
        if (!ReadRelationships("_rels/.rels", "", rootRels)) return false;
        for (const auto& [id, rel] : rootRels)
            if (EndsWith(rel.type, "/officeDocument")) workbook = rel.target;
        std::map<std::string, Relationship> rels;
        const std::string folder = FolderOf(workbook);
        if (!ReadRelationships(folder + "_rels/" + workbook.substr(folder.size()) + ".rels", folder, rels)) return false;
        std::vector<std::pair<std::string, std::string>> sheets;  // name, relationship id
        if (!ReadSheetList(workbook, sheets)) return false;
        if (sheets.empty()) return Fail("シートがありません");
        for (const auto& entry : sheets) result.sheetNames.push_back(entry.first);
        const auto chosen = sheet.empty() ? sheets.begin()
                                          : std::find_if(sheets.begin(), sheets.end(),
                                                         [&](const auto& entry) { return entry.first == sheet; });
        if (chosen == sheets.end()) return Fail("シート「" + sheet + "」がありません");
        const auto rel = rels.find(chosen->second);
        if (rel == rels.end()) return Fail("シート「" + chosen->first + "」の場所がありません");
        // A workbook has one part of each kind: further relationships of a kind are left alone,
        // so that no part is read twice.
        const auto firstOfType = [&rels](std::string_view type) -> const Relationship* {
            for (const auto& [id, other] : rels)
                if (EndsWith(other.type, type)) return &other;
            return nullptr;
        };
        const Relationship* strings = firstOfType("/sharedStrings");
        const Relationship* styles = firstOfType("/styles");
        if ((strings != nullptr && !ReadSharedStrings(strings->target)) || (styles != nullptr && !ReadStyles(styles->target)))
            return false;
        result.sheet = chosen->first;
        return ReadSheet(rel->second.target, result.table);
    }

private:
    bool Fail(std::string message) {
        error_ = {std::move(message), 0, 0};
        return false;
    }

    std::optional<std::string> Part(const std::string& name) {
        std::string problem;
        auto content = zip_.Read(name, problem);
        if (!content) Fail("壊れたブックです (" + problem + ")");
        return content;
    }

    // The relationships of a part; a part without any has no relationships file.
    bool ReadRelationships(const std::string& name, const std::string& folder,
                           std::map<std::string, Relationship>& rels) {
        if (!zip_.Has(name)) return true;
        const auto content = Part(name);
        if (!content) return false;
        QXmlStreamReader reader(xml::Raw(*content));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && xml::Is(reader, u"Relationship"))
                rels[xml::Attribute(reader, u"Id")] = {xml::Attribute(reader, u"Type"),
                                                       Resolve(folder, xml::Attribute(reader, u"Target"))};
        }
        return !reader.hasError() || Fail(xml::Problem(reader, name));
    }

    bool ReadSheetList(const std::string& name, std::vector<std::pair<std::string, std::string>>& sheets) {
        const auto content = Part(name);
        if (!content) return false;
        QXmlStreamReader reader(xml::Raw(*content));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && xml::Is(reader, u"sheet"))
                sheets.emplace_back(xml::Attribute(reader, u"name"), xml::Attribute(reader, u"id"));
        }
        return !reader.hasError() || Fail(xml::Problem(reader, name));
    }

    // The text of a string item (<si> or <is>): its <t> runs, without phonetic runs (<rPh>).
    // Nothing when it would pass limit bytes.
    static std::optional<std::string> StringItem(QXmlStreamReader& reader, std::size_t limit) {
        std::string text;
        int phonetic = 0;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (xml::Is(reader, u"rPh")) {
                    ++phonetic;
                } else if (xml::Is(reader, u"t") && phonetic == 0) {
                    const auto run = xml::ElementText(reader, limit - text.size());
                    if (!run) return std::nullopt;
                    text += *run;
                }
            } else if (token == QXmlStreamReader::EndElement) {
                if (xml::Is(reader, u"rPh")) --phonetic;
                else if (xml::Is(reader, u"si") || xml::Is(reader, u"is")) break;
            }
        }
        return Unescape(std::move(text));
    }

    // The strings stay in memory while the sheet is read: they count towards the budget.
    bool ReadSharedStrings(const std::string& name) {
        const auto content = Part(name);
        if (!content) return false;
        QXmlStreamReader reader(xml::Raw(*content));
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement || !xml::Is(reader, u"si")) continue;
            auto text = StringItem(reader, budget_.Left());
            if (!text || !budget_.Take(TableBudget::kCellCost + text->size(), 0, 0, error_)) {
                error_ = TableBudget::TooLarge(0, 0);
                return false;
            }
            shared_.push_back(std::move(*text));
        }
        return !reader.hasError() || Fail(xml::Problem(reader, name));
    }

    bool ReadStyles(const std::string& name) {
        const auto content = Part(name);
        if (!content) return false;
        QXmlStreamReader reader(xml::Raw(*content));
        std::map<int, std::string> custom;
        std::vector<int> cellFormats;
        bool inCellXfs = false;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (xml::Is(reader, u"numFmt"))
                    custom[std::atoi(xml::Attribute(reader, u"numFmtId").c_str())] = xml::Attribute(reader, u"formatCode");
                else if (xml::Is(reader, u"cellXfs")) inCellXfs = true;
                else if (inCellXfs && xml::Is(reader, u"xf"))
                    cellFormats.push_back(std::atoi(xml::Attribute(reader, u"numFmtId").c_str()));
            } else if (token == QXmlStreamReader::EndElement && xml::Is(reader, u"cellXfs")) {
                inCellXfs = false;
            }
        }
        for (const int id : cellFormats) {
            const auto found = custom.find(id);
            formats_.push_back(found != custom.end() ? found->second : std::string(BuiltInNumberFormat(id)));
        }
        return !reader.hasError() || Fail(xml::Problem(reader, name));
    }

    // "AB12" → column 27 (0-based); npos without letters.
    static std::size_t ColumnOf(const std::string& ref) {
        std::size_t column = 0, letters = 0;
        for (const char c : ref) {
            if (c < 'A' || c > 'Z' || letters == 4) break;
            column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
            ++letters;
        }
        return letters == 0 ? std::string::npos : column - 1;
    }

    // The shown text of a cell: a shared string where it is kept, any other text written into made.
    std::optional<std::string_view> CellText(const std::string& type, const std::string& style, const std::string& value,
                                             std::string& made) {
        if (type == "s") {
            std::size_t index = 0;
            const auto parsed = std::from_chars(value.data(), value.data() + value.size(), index);
            if (parsed.ec != std::errc() || index >= shared_.size()) {
                Fail("壊れたブックです (共有文字列 " + value + " がありません)");
                return std::nullopt;
            }
            return shared_[index];
        }
        if (type == "b") made = value == "1" ? "TRUE" : "FALSE";
        else if (type == "str" || type == "e" || type == "d" || value.empty()) made = Unescape(value);
        else made = NumberText(style, value);
        return made;
    }

    std::string NumberText(const std::string& style, const std::string& value) const {
        double number = 0;
        const auto parsed = std::from_chars(value.data(), value.data() + value.size(), number);
        if (parsed.ec != std::errc()) return value;
        const std::size_t styleIndex = style.empty() ? 0 : static_cast<std::size_t>(std::atoi(style.c_str()));
        return FormatCellNumber(number, styleIndex < formats_.size() ? formats_[styleIndex] : "General");
    }

    bool ReadSheet(const std::string& name, ListTable& table) {
        const auto content = Part(name);
        if (!content) return false;
        QXmlStreamReader reader(xml::Raw(*content));
        SheetBuilder builder(table, budget_);
        std::size_t line = 0, column = 0;
        bool inRow = false;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && xml::Is(reader, u"row")) {
                builder.EndRow();
                inRow = false;
                if (!builder.Report(progress_, reader.characterOffset(), content->size(), error_)) return false;
            }
            if (token != QXmlStreamReader::StartElement) continue;
            if (xml::Is(reader, u"row")) {
                const std::string r = xml::Attribute(reader, u"r");
                line = r.empty() ? line + 1 : static_cast<std::size_t>(std::atoll(r.c_str()));
                if (!builder.StartRow(line, error_)) return false;
                column = 0;
                inRow = true;
            } else if (inRow && xml::Is(reader, u"c")) {
                const std::size_t at = ColumnOf(xml::Attribute(reader, u"r"));
                column = at == std::string::npos ? column : at;
                const std::string type = xml::Attribute(reader, u"t");
                const std::string style = xml::Attribute(reader, u"s");
                std::optional<std::string> value = std::string();
                while (value && reader.readNextStartElement()) {
                    if (xml::Is(reader, u"v")) value = xml::ElementText(reader, budget_.Left());
                    else if (xml::Is(reader, u"is")) value = StringItem(reader, budget_.Left());
                    else reader.skipCurrentElement();
                }
                if (!value) {
                    error_ = TableBudget::TooLarge(line, column + 1);
                    return false;
                }
                std::string made;
                const auto text = CellText(type == "inlineStr" ? "str" : type, style, *value, made);
                if (!text || !builder.SetCell(column, *text, error_)) return false;
                ++column;
            }
        }
        return !reader.hasError() || Fail(xml::Problem(reader, name));
    }

    const ZipArchive& zip_;
    const Progress& progress_;
    ListError& error_;
    TableBudget budget_;
    std::vector<std::string> shared_;
    std::vector<std::string> formats_;  // number format code per cell style
};

}  // namespace

bool ReadXlsx(const ZipArchive& zip, const std::string& sheet, const Progress& progress, WorkbookSheet& result,
              ListError& error) {
    return XlsxReader(zip, progress, error).Read(sheet, result);
}

WorkbookKind WorkbookKindOf(const ZipArchive& zip) {
    if (zip.Has("content.xml") && zip.Has("mimetype")) return WorkbookKind::Ods;
    if (zip.Has("[Content_Types].xml")) return WorkbookKind::Xlsx;
    return WorkbookKind::None;
}
