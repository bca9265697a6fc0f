#pragma once

#include <cstdint>

#include "render/surface.h"
#include "render/view_state.h"

// The cut line or the crop marks of the cell of this extent whose top-left corner is (x, y).
void DrawCutMarks(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, LabelExtent extent);
