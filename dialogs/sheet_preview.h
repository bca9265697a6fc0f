#pragma once

#include <cstdint>

#include "render/sheet.h"
#include "render/surface.h"
#include "render/view_state.h"

// The first sheet page of the view's record file as it would print with a layout that is not
// stored yet: the tags are drawn by the sheet's own drawing, with the item keys of the slot
// given, at the layout's positions and cut-line choices. Nothing is written.
void DrawSheetPreview(const ViewState& view, std::int32_t slot, const SheetLayout& layout, Surface& surface);
