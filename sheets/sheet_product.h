#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/print_sides.h"

// One label product: a sheet of paper with a grid of equal labels. Texts are UTF-8, lengths are
// millimetres, as the template files give them.
namespace sheets {

enum class SheetSource {
    Saved,      // saved by the user from the program's own settings
    BuiltIn,    // the program's own layouts
    UserFiles,  // the user's own template folder
    Catalogue,  // the installed template database
};

// What the program can print: no sheet in the label database has more than a few hundred labels.
inline constexpr std::int64_t kMaxLabelsPerSheet = 1000;

struct SheetProduct {
    std::string maker;        // "Hisago"
    std::string part;         // the product number, "ELM003"
    std::string description;  // as the file gives it, may be empty
    SheetSource source = SheetSource::Catalogue;
    std::string file;         // the file it was read from, for messages

    std::string paperId;  // "A4", "US-Letter", or "Other" with the size given in the product
    double paperWidth = 0, paperHeight = 0;

    double width = 0, height = 0, round = 0;  // one label
    std::int32_t columns = 0, rows = 0;
    double left = 0, top = 0;        // the first label's top-left corner from the paper's corner
    double pitchX = 0, pitchY = 0;   // from one label's corner to the next one's
    // A sheet of folded place cards (our own sheets' attribute fold="top-bottom|left-right"):
    // each label is a card of two faces.
    Fold fold = Fold::None;

    // Why the product cannot be applied ("円形ラベル", "用紙に収まらない"); empty when it can.
    std::string unusable;

    bool Usable() const { return unusable.empty(); }
    std::int64_t PerSheet() const { return std::int64_t{columns} * rows; }
};

// The template attribute of a fold: "top-bottom", "left-right", or empty for a flat sheet.
const char* FoldAttribute(Fold fold);
Fold FoldNamed(std::string_view attribute);

// Short names of the sources, for lists: "保存", "内蔵", "ユーザー", "gLabels".
const char* SourceName(SheetSource source);

}  // namespace sheets
