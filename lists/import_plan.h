#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "lists/column_mapping.h"
#include "lists/kana.h"
#include "lists/list_table.h"

// Turning the rows of a list into the item texts of new cards, with everything the user must be
// told: rows skipped and why, cells changed, text the record file cannot hold, duplicates.

// What to do with text code page 932 cannot hold (𠮷, emoji).
enum class UnencodablePolicy {
    Keep,     // kept exactly beside its 〓 form (store/exact_text.h); the cells are noted
    Refuse,   // nothing is imported; the cells are listed so the user can choose
    SkipRow,  // rows holding such text are left out
    Replace,  // each such character becomes "〓"
    Substitute,  // each such character becomes its usual substitute (𠮷 → 吉), kept when it has none
};

class UnihanVariants;

struct ImportOptions {
    bool hasHeader = true;  // the first row names the columns and is not a person
    ColumnMapping mapping;
    ReadingKana readingKana = ReadingKana::Keep;
    UnencodablePolicy unencodable = UnencodablePolicy::Keep;
    const UnihanVariants* variants = nullptr;  // the substitutes, for UnencodablePolicy::Substitute
};

// One person: item name → text, both UTF-8 and NFC; texts fit code page 932 unless kept exactly.
struct PlannedCard {
    std::size_t line = 0;
    std::vector<std::pair<std::string, std::string>> texts;  // in column order; no empty texts
};

// A remark about a row; column is 1-based, 0 for the whole row.
struct ImportNote {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;
};

struct ImportPlan {
    std::vector<PlannedCard> cards;
    std::size_t rowsRead = 0;              // rows below the header, blank rows not counted
    std::vector<ImportNote> skipped;       // rows not imported, and why
    std::vector<ImportNote> unencodable;   // cells with text code page 932 cannot hold
    std::vector<ImportNote> notes;         // changed cells and duplicates: imported all the same
    bool refused = false;                  // the Refuse policy met such text: no cards planned
};

ImportPlan PlanImport(const ListTable& table, const ImportOptions& options);

// The items new cards will have that are not in items (new user-defined items), in column order.
std::vector<std::string> NewItems(const ColumnMapping& mapping, const std::vector<std::string>& items);

// Text made to fit code page 932: characters it cannot hold are listed in bad (UTF-8, each
// once) and, when replace is set, become "〓". UTF-8 in and out.
std::string FitCp932(std::string_view utf8, bool replace, std::string& bad);

// "3 行 2 列: message" for a note.
std::string DescribeNote(const ImportNote& note);
