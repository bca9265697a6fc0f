#include "render/cut_marks.h"

#include "render/logical_math.h"

void DrawCutMarks(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, LabelExtent extent) {
    if (view.noCutLine) return;
    const std::int64_t W = extent.width, H = extent.height;
    const auto line = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        surface.DrawLine(Clamp32(x + x1), Clamp32(y + y1), Clamp32(x + x2), Clamp32(y + y2));
    };
    if (!view.cropMarks) {
        line(0, 0, 0, -H);
        line(0, -H, W, -H);
        line(W, -H, W, 0);
        line(W, 0, 0, 0);
        return;
    }
    // Four L-shaped corner marks on the outline, each arm a tenth of an inch.
    constexpr std::int64_t arm = 10;
    line(0, 0, 0, -arm);
    line(0, -H + arm, 0, -H);
    line(0, -H, arm, -H);
    line(W - arm, -H, W, -H);
    line(W, -H, W, -H + arm);
    line(W, -arm, W, 0);
    line(W, 0, W - arm, 0);
    line(arm, 0, 0, 0);
}
