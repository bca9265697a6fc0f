#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/print_sides.h"
#include "store/profiles.h"

// The sheet a record file is laid out for, kept in the record file itself: the label slots'
// sheets live in the settings file, shared by every record file of the installation, so a record
// file opened with other settings would print on another sheet. Each slot's sheet is recorded
// in the record file's "#Setting#" as "Sheet1", "Sheet2", "Sheet3":
//
//     Sheet1=WIDTH,HEIGHT,COLUMNS,ROWS,GAPH,GAPV,PAPER,NOCUTLINE[,FOLD]
//
// lengths in hundredths of an inch as the settings hold them, PAPER "210x297" (millimetres;
// empty while the slot names no paper), NOCUTLINE 1 or 0, and FOLD ("PrintOptions" "Fold", 1 or
// 2) only for folded place cards, so that flat sheets are recorded as they always were. The start offsets and crop marks
// are in the record file already ("Option").
namespace sheets {

// A slot's sheet as the sheet drawing reads it from the settings file: the label size ("Card")
// and the slot's "PrintOptions" Column, Line, GapH, GapV, Paper and NoCutLine.
struct RecordedSheet {
    std::int32_t width = 0, height = 0;
    std::int32_t columns = 1, rows = 1;
    std::int32_t gapH = 0, gapV = 0;
    std::string paper;
    bool noCutLine = false;
    Fold fold = Fold::None;

    bool operator==(const RecordedSheet& other) const;
    bool operator!=(const RecordedSheet& other) const { return !(*this == other); }
};

RecordedSheet SlotSettings(const SettingsProfile& settings, std::int32_t slot);
// "91×55mm 2×5面", for people.
std::string SheetSummary(const RecordedSheet& sheet);
std::string RecordedSheetText(const RecordedSheet& sheet);
// The key of "#Setting#" holding slot's sheet: "Sheet1", "Sheet2", "Sheet3".
std::string RecordedSheetKey(std::int32_t slot);
// Nothing for a text that is not eight fields as written by RecordedSheetText (a hand-edited one).
std::optional<RecordedSheet> ParseRecordedSheet(std::string_view text);

// Records the slot's sheet, as the settings now hold it, in the record file; the caller flushes.
bool RecordSlotSheet(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot);

struct AdoptedSheets {
    std::vector<std::int32_t> slots;    // put into the settings
    std::vector<std::int32_t> damaged;  // recorded but not readable: the settings were left as they are
};

// Puts each sheet recorded in the record file that differs from its slot's settings into the
// settings, as one step of the record file's undo. The caller flushes the settings, or does not
// to draw with them in memory only.
AdoptedSheets AdoptRecordedSheets(const SettingsProfile& settings, const RecordProfile& record);

}  // namespace sheets
