#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_product.h"
#include "store/profile_document.h"
#include "render/slot_paper.h"
#include "store/profiles.h"

// A label product in a label slot: the label size (settings file, "Card") and the print options
// (settings file, "PrintOptions", per slot; the record file's start offsets, "Option").
namespace sheets {

// The settings a product becomes, in hundredths of an inch.
struct SlotSheet {
    std::int32_t width = 0, height = 0;  // one face of a folded card
    Fold fold = Fold::None;
    std::int32_t columns = 1, rows = 1;
    std::int32_t gapH = 0, gapV = 0;
    std::int32_t top = 0, left = 0;
    std::string paper;  // "210x297": the paper's width and height in millimetres
    // Set for labels that come cut from the sheet: a cut line would only print along their
    // edges, or across the tags when the printer is off by a little.
    std::optional<bool> noCutLine;
    // What the options cannot hold, and what they hold instead (one line each).
    std::vector<std::string> adjustments;
};

// Lengths of paper, as the sheet drawing converts them.
using ::Hundredths;
using ::kMillimetresPerHundredth;

// Each length is converted once: the label, the first label's corner and the step from one
// label to the next are each rounded to the nearest hundredth of an inch, and a gap is the
// rounded step less the rounded label. The n-th label of a row or column (from 0) is therefore
// at most (n + 1) / 2 hundredths of an inch from where the product puts it. A step shorter than
// the label (labels that overlap) becomes a gap of 0, noted in the adjustments.
SlotSheet ToSlotSheet(const SheetProduct& product);

struct SettingChange {
    std::string caption;  // "幅", "横に", …
    std::string before, after;
};

// Stores the sheet in the slot (1, 2 or 3) and the record file's start offsets, records the
// slot's sheet in the record file (see RecordSlotSheet), then flushes both files, as one step of
// the record file's undo. Returns the values that changed, in dialog order.
std::vector<SettingChange> ApplySlotSheet(const SettingsProfile& settings, const RecordProfile& record,
                                          std::int32_t slot, const SlotSheet& sheet);

// The sheet recorded in a record file held in memory, with its start offsets, as ApplySlotSheet
// records it: whoever draws the record file puts it into the settings (see AdoptRecordedSheets).
// A sheet that leaves the cut lines as they are is recorded with them.
void RecordSheetInDocument(profile::ProfileDocument& record, std::int32_t slot, const SlotSheet& sheet);

// The slot's paper, read as the drawing reads it.
using ::PaperMillimetres;
using ::ParsePaper;
using ::SlotPaper;
using ::StoredSlotPaper;

// The slot's current settings as a product of the user's saved sheets, named `name`.
SheetProduct CurrentSheet(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot,
                          const std::string& name);

}  // namespace sheets
