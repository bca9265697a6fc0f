#include "tools/list_options.h"

#include <algorithm>

#include "lists/unihan_variants.h"

namespace list_tool {
namespace {

bool Value(const std::vector<std::string_view>& args, std::size_t& index, std::string_view& value,
           std::string& problem) {
    if (index + 1 >= args.size()) {
        problem = std::string(args[index]) + " needs a value";
        return false;
    }
    value = args[++index];
    ++index;
    return true;
}

}  // namespace

bool TakeListOption(const std::vector<std::string_view>& args, std::size_t& index, ListOptions& options,
                    std::string& problem) {
    const std::string_view option = args[index];
    std::string_view value;
    if (option == "--no-header") {
        options.noHeader = true;
        ++index;
        return true;
    }
    if (option != "--sheet" && option != "--encoding" && option != "--map" && option != "--kana" &&
        option != "--unencodable")
        return false;
    if (!Value(args, index, value, problem)) return true;
    if (option == "--sheet") {
        options.read.sheet = value;
    } else if (option == "--encoding") {
        if (value == "auto") options.read.encoding.reset();
        else if (value == "utf-8") options.read.encoding = TextEncoding::Utf8;
        else if (value == "utf-16") options.read.encoding = TextEncoding::Utf16Le;
        else if (value == "cp932") options.read.encoding = TextEncoding::Cp932;
        else problem = "--encoding takes auto, utf-8, utf-16 or cp932";
    } else if (option == "--map") {
        const std::size_t equals = value.find('=');
        if (equals == std::string_view::npos || equals == 0) problem = "--map takes COLUMN=ITEM";
        else options.maps.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (option == "--kana") {
        if (value == "keep") options.kana = ReadingKana::Keep;
        else if (value == "hiragana") options.kana = ReadingKana::Hiragana;
        else if (value == "katakana") options.kana = ReadingKana::Katakana;
        else problem = "--kana takes keep, hiragana or katakana";
    } else {
        if (value == "keep") options.unencodable = UnencodablePolicy::Keep;
        else if (value == "substitute") options.unencodable = UnencodablePolicy::Substitute;
        else if (value == "refuse") options.unencodable = UnencodablePolicy::Refuse;
        else if (value == "skip") options.unencodable = UnencodablePolicy::SkipRow;
        else if (value == "replace") options.unencodable = UnencodablePolicy::Replace;
        else problem = "--unencodable takes keep, substitute, refuse, skip or replace";
    }
    return true;
}

bool PlanList(const std::string& path, const ListOptions& options, const std::vector<std::string>& items,
              ListFile& list, ImportPlan& plan, std::string& problem) {
    ListError error;
    if (!ReadListFile(path, options.read, list, error)) {
        problem = error.Describe(path);
        return false;
    }
    const std::vector<std::string> firstRow = list.table.rows.empty() ? std::vector<std::string>() : list.table.rows[0].cells;
    const std::size_t width = list.table.Width();
    HeaderGuess guess = GuessMapping(firstRow, width, items);
    // The first row is a header when it names an item or a column a --map names.
    bool mapsNameHeader = false;
    for (const auto& entry : options.maps)
        mapsNameHeader |= std::find(firstRow.begin(), firstRow.end(), entry.first) != firstRow.end();
    ImportOptions import;
    import.hasHeader = !options.noHeader && (guess.hasHeader || mapsNameHeader);
    import.mapping = options.noHeader ? ColumnMapping(width) : guess.mapping;
    for (const auto& [column, item] : options.maps) {
        const auto found = FindColumn(column, firstRow, import.hasHeader, width);
        if (!found) {
            problem = path + ": no column \"" + column + "\"";
            return false;
        }
        import.mapping[*found] = TargetFromLabel(item);
    }
    import.readingKana = options.kana;
    import.unencodable = options.unencodable;
    import.variants = &UnihanVariants::Installed();
    plan = PlanImport(list.table, import);
    return true;
}

std::string DescribeList(const ListFile& list) {
    std::string text = FormatLabel(list.format);
    if (list.format == ListFormat::Csv || list.format == ListFormat::Tsv) {
        text += std::string(", ") + EncodingLabel(list.encoding);
        if (list.encodingAmbiguous) text += " (CP932 としても読めます)";
    } else {
        text += ", シート「" + list.sheet + "」";
    }
    return text;
}

}  // namespace list_tool
