#pragma once

#include "render/sheet.h"
#include "render/surface.h"

// What the screen shows of a record file without cards: the page with the outlines of where the
// tags will go, and one line telling how to make the first card. Never printed.
void DrawEmptySheet(const SheetLayout& layout, Surface& surface);
