#include "render/decorative_lines.h"

#include "render/logical_math.h"

void DrawCardLine(Surface& surface, std::int32_t x, std::int32_t y, const LineValue& line) {
    if (!line.Draws()) return;
    const Pen previous = surface.GetPen();
    surface.SetPen({PenStyle::Solid, line.width, line.color});
    surface.DrawLine(Clamp32(std::int64_t{x} + line.sx), Clamp32(std::int64_t{y} - line.sy),
                     Clamp32(std::int64_t{x} + line.ex), Clamp32(std::int64_t{y} - line.ey));
    surface.SetPen(previous);
}
