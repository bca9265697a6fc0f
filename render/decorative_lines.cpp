#include "render/decorative_lines.h"

#include "render/logical_math.h"

void DrawDecorativeLine(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y,
                        const std::string& section, const std::string& line) {
    const RecordProfile& record = *view.record;
    const std::string prefix = view.slotPrefix + "Line" + line;
    const std::int32_t sx = record.ReadInt(section, prefix + "sx", 0);
    const std::int32_t sy = record.ReadInt(section, prefix + "sy", 0);
    const std::int32_t ex = record.ReadInt(section, prefix + "ex", 0);
    const std::int32_t ey = record.ReadInt(section, prefix + "ey", 0);
    // All-zero coordinates are how a card says it has no such line.
    if (sx == 0 && sy == 0 && ex == 0 && ey == 0) return;

    ColorRef color = 0;
    CColorSetting::LoadRgbFromRecord(section, prefix + "Col", color, 0, 0, 0, record.Path());
    const std::int32_t width = record.ReadInt(section, prefix + "Width", 1);
    const Pen previous = surface.GetPen();
    surface.SetPen({PenStyle::Solid, width, color});
    surface.DrawLine(Clamp32(std::int64_t{x} + sx), Clamp32(std::int64_t{y} - sy), Clamp32(std::int64_t{x} + ex),
                     Clamp32(std::int64_t{y} - ey));
    surface.SetPen(previous);
}
