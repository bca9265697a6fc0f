#pragma once

#include <cstdint>
#include <string_view>

#include "render/surface.h"
#include "render/view_state.h"

// Where the tags of a sheet page go, as the settings of the view's slot say.

// The print layout of the view's slot, read afresh for every drawing.
struct SheetLayout {
    std::int32_t columns = 2;  // NC, never below 1
    std::int32_t rows = 5;     // NR, never below 1
    LabelExtent label;         // W × H of one face
    std::int32_t top = 10;     // T
    std::int32_t left = 10;    // X0
    std::int32_t gapH = 0;
    std::int32_t gapV = 0;
    bool noCutLine = false;  // neither cut lines nor crop marks
    bool cropMarks = false;  // corner marks instead of the outline
    Fold fold = Fold::None;
    bool foldLine = true;    // a dotted line along the fold
    Duplex duplex = Duplex::None;  // the view's choice, else the slot's
    LabelExtent paper = {827, 1169};   // the slot's paper (A4 when none), for the backs
};
SheetLayout ReadSheetLayout(const ViewState& view);

// The extent of a cell of the sheet: one face, or both faces of a folded card.
LabelExtent CellExtent(const SheetLayout& layout);
// Where the upright face lies in its cell: its top-left corner from the cell's, y downward.
LogicalPoint UprightFaceOffset(const SheetLayout& layout);

// Columns or rows as stored text: a sheet always has at least one of each, whatever was typed.
std::int32_t GridCount(std::string_view stored);
