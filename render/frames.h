#pragma once

#include <cstdint>

#include "render/card_value.h"
#include "render/surface.h"
#include "render/view_state.h"

// The decorative frame of a record file and label slot: the outer area and an inner shape.

// The brush that fills an area with the pattern in the area colour.
Brush MakeFillBrush(std::int32_t pattern, ColorRef color);

// The frame of a card whose top-left corner is (x, y) on a label: the outer area (withOutside)
// and the inner shape.
void DrawFrame(Surface& surface, LabelExtent label, std::int32_t x, std::int32_t y, const FrameValue& frame,
               bool withOutside);

// The outer area and the inner shape of the view's record file and slot, read afresh, for the
// card whose top-left corner is (x, y); nothing in card mode when the record file hides
// decoration while editing.
void DrawFrames(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);
