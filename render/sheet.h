#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/surface.h"
#include "render/view_state.h"

// Sheet pages of tags, for the screen, print preview and printer alike.

// The print layout of the view's slot, read afresh for every drawing.
struct SheetLayout {
    std::int32_t columns = 2;  // NC, never below 1
    std::int32_t rows = 5;     // NR, never below 1
    LabelExtent label;         // W × H
    std::int32_t top = 10;     // T
    std::int32_t left = 10;    // X0
    std::int32_t gapH = 0;
    std::int32_t gapV = 0;
};
SheetLayout ReadSheetLayout(const ViewState& view);

// The cards sheet pages are filled from: the print order, else every card with a name.
std::vector<std::string> CardList(const RecordProfile& record);
// The same, worked out again only when the record file has changed since the view last did.
const std::vector<std::string>& ViewCardList(const ViewState& view);

// Draws the view: the current tag on its guide grid in card mode, else a sheet page (the print
// page on a printer, the screen page otherwise).
void DrawSheet(ViewState& view, Surface& surface);

// The number of pages of a print job, at least 1.
std::int32_t PrintPageCount(const ViewState& view);

// The cut line or the crop marks of the tag whose top-left corner is (x, y).
void DrawCutMarks(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);
