#pragma once

#include "render/sheet_layout.h"
#include "render/surface.h"

// What the screen shows of a record file without cards: the page with the outlines of where the
// tags will go, and one line telling how to make the first card. Never printed.
void DrawEmptySheet(const SheetLayout& layout, Surface& surface);

// Where that line is drawn, in logical units from the page's top-left corner, y downward, as
// measured on surface (its font is left as it was): a window keeps its own hints off it.
struct EmptySheetHint {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
EmptySheetHint EmptySheetHintBox(const SheetLayout& layout, Surface& surface);
