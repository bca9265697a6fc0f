#pragma once

#include <cstdint>

#include "render/surface.h"
#include "render/view_state.h"

// The decorative frame of a record file and label slot: the outer area and an inner shape.

enum class FrameKind : std::int32_t {
    None = 0, Rectangle, RoundRect, Ellipse, Circle, Rhombus, ParallelogramRight, ParallelogramLeft,
    ParallelogramRising, ParallelogramFalling, TriangleUp, TriangleDown, TriangleRight, TriangleLeft,
    TriangleTopLeft, TriangleBottomLeft, TriangleTopRight, TriangleBottomRight,
};

// "Frame%dInsideRatio" / "Frame%dOutsideRatio"; other values fill solid.
enum class FillPattern : std::int32_t {
    Solid = 0, P75, P50, P25, Hollow, BDiagonal, Cross, DiagCross, FDiagonal, Horizontal, Vertical,
};

// The brush that fills an area with the pattern in the area colour.
Brush MakeFillBrush(std::int32_t pattern, ColorRef color);

// The outer area and the inner shape of the card whose top-left corner is (x, y).
void DrawFrames(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);
// The inner shape alone, drawn again over the image when the frame order asks for it.
void DrawInnerFrame(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);
