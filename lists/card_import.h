#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lists/import_plan.h"
#include "lists/list_writer.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// A planned list import written into a record file, and the cards of a record file as a list.

// Which look the new cards get.
enum class DesignSource {
    Card,      // the design of a card of the record file, every slot
    Defaults,  // the registered defaults of the settings file ("ﾃﾞﾌｫｰﾙﾄ登録")
    None,      // plain new cards
};

// The design for new cards from source; card names the card for DesignSource::Card.
std::optional<cards::Design> ChooseDesign(const SettingsProfile& settings, const cards::RecordCards& record,
                                          DesignSource source, std::int32_t card);

// The design the registered defaults give, for every slot that has them.
cards::Design DefaultsDesign(const SettingsProfile& settings);

enum class ImportMode { Append, Replace };

struct ImportResult {
    bool written = false;
    std::string error;                  // UTF-8, one line, when not written
    std::size_t cardsMade = 0;
    std::vector<std::string> newItems;  // user-defined items added (UTF-8)
};

// Writes the cards of plan into the record file at recordFsPath in one transaction: after its
// cards (in place of them while none holds a text, so the first person is card 0000) or in
// place of them. Items the plan names that are not in the item list become
// user-defined items of the settings file first. Nothing is written when the plan was refused.
// designs, when given, works out each new card's design in the same write.
ImportResult ImportIntoRecord(const SettingsProfile& settings, const std::string& recordFsPath, const ImportPlan& plan,
                              ImportMode mode, const std::optional<cards::Design>& design,
                              cards::NewCardDesigns* designs = nullptr);

// The item list (fixed items, then the user's) in UTF-8.
std::vector<std::string> ItemListUtf8(const SettingsProfile& settings);

// What the user is told after an import: rows read, cards made, rows skipped and why (with line
// numbers), text that could not be stored, and the remarks. UTF-8, one fact a line.
std::string ImportReport(const ImportPlan& plan, const ImportResult& result);

// The cards of a record file as a list: the item names, then each card's texts (UTF-8). Cards
// without any text are left out.
ListRows CardsAsList(const cards::RecordCards& record);
