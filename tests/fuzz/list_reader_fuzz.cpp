// Reads arbitrary bytes as a participant list (text in any encoding, .xlsx, .ods) and plans
// its import, checking what must hold for any file: reading ends with a list or a one-line
// message, and every planned text fits the record file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lists/import_plan.h"
#include "lists/list_file.h"
#include "store/codec.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

const std::vector<std::string> kItems = {"氏名", "肩書き", "所属", "読み", "その他1", "その他2", "その他3", "その他4"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ListFile list;
    ListError error;
    if (!ReadListBytes(bytes, {}, list, error)) {
        Require(!error.message.empty() && error.message.find('\n') == std::string::npos, "a one-line message");
        return 0;
    }
    for (const ListRow& row : list.table.rows) {
        Require(!IsBlankRow(row.cells), "blank rows are skipped");
        for (const std::string& cell : row.cells) Require(codec::IsValidUtf8(cell), "cells are UTF-8");
    }
    const std::vector<std::string> firstRow = list.table.rows.empty() ? std::vector<std::string>() : list.table.rows[0].cells;
    HeaderGuess guess = GuessMapping(firstRow, list.table.Width(), kItems);
    ImportOptions options;
    options.hasHeader = guess.hasHeader;
    options.mapping = guess.mapping;
    if (!guess.hasHeader && !options.mapping.empty()) options.mapping[0] = {TargetKind::Item, "氏名"};
    options.readingKana = size % 2 == 0 ? ReadingKana::Hiragana : ReadingKana::Katakana;
    options.unencodable = UnencodablePolicy::Replace;
    const ImportPlan plan = PlanImport(list.table, options);
    std::string stored;
    for (const PlannedCard& card : plan.cards)
        for (const auto& [item, text] : card.texts) {
            Require(!text.empty() && text.find_first_of("\r\n") == std::string::npos, "texts are one line");
            Require(codec::Utf8ToCp932(text, stored), "texts fit code page 932");
        }
    return 0;
}
