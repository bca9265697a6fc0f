#include "render/frames.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "render/logical_math.h"

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kLastKind = static_cast<std::int32_t>(FrameKind::TriangleBottomRight);

// One filled and outlined area: the inside (inner shape) or the outside (whole card).
struct Area {
    ColorRef color = kWhite;
    std::int32_t pattern = 0;
    Pen border;
};

struct Frame {
    std::int32_t kind = 0;
    Area inside;
    Area outside;
};

// The inner shape's box, set in from the card edges, and its centre.
struct InnerBox {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0, cx = 0, cy = 0, iw = 0, ih = 0;
};

// Per-kind keys: "Frame" + kind + what, e.g. "Frame3Inside".
std::string KindKey(std::int32_t kind, std::string_view what) {
    return "Frame" + std::to_string(kind) + std::string(what);
}

Area ReadArea(const ViewState& view, const std::string& section, std::int32_t kind, std::string_view name,
              std::string_view borderNumber) {
    const std::string& path = view.record->Path();
    Area area;
    CColorSetting::LoadFromRecord(section, KindKey(kind, name), area.color, kWhite, path);
    CColorSetting::LoadFromRecord(section, KindKey(kind, "BorderCol") + std::string(borderNumber), area.border.color,
                                  area.color, path);
    area.border.width = view.record->ReadInt(section, KindKey(kind, "BorderWidth") + std::string(borderNumber), 1);
    area.pattern =
        view.record->ReadInt(section, KindKey(kind, name) + "Ratio", static_cast<std::int32_t>(FillPattern::Hollow));
    return area;
}

Frame ReadFrame(const ViewState& view, const std::string& section) {
    Frame frame;
    frame.kind = view.record->ReadInt(section, "Frame", 0);
    frame.inside = ReadArea(view, section, frame.kind, "Inside", "1");
    frame.outside = ReadArea(view, section, frame.kind, "Outside", "2");
    return frame;
}

InnerBox ReadInnerBox(const ViewState& view, const std::string& section, std::int32_t kind, std::int32_t x,
                      std::int32_t y) {
    const RecordProfile& record = *view.record;
    const std::string gap = KindKey(kind, "Gap");
    std::int64_t t, b, l, r;
    if (record.ReadInt(section, gap + "All", 0) != 0) {
        t = b = l = r = record.ReadInt(section, gap, 5);
    } else {
        t = record.ReadInt(section, gap + "T", 5);
        b = record.ReadInt(section, gap + "B", 5);
        l = record.ReadInt(section, gap + "L", 5);
        r = record.ReadInt(section, gap + "R", 5);
    }
    const std::int64_t w = view.label.width, h = view.label.height;
    InnerBox box;
    box.left = Clamp32(x + l);
    box.top = Clamp32(y - t);
    box.right = Clamp32(x + w - r);
    box.bottom = Clamp32(y - h + b);
    box.iw = Clamp32(w - l - r);
    box.ih = Clamp32(h - t - b);
    box.cx = Clamp32(std::int64_t{box.left} + box.iw / 2);
    box.cy = Clamp32(std::int64_t{box.top} - box.ih / 2);
    return box;
}

// Polygon corners as references to the inner box, shifted by the slant dw (x) or dh (y).
enum class Column : std::uint8_t { Left, Centre, Right };
enum class Row : std::uint8_t { Top, Centre, Bottom };

struct Corner {
    Column column;
    std::int8_t dwShift;
    Row row;
    std::int8_t dhShift;
};

struct PolygonShape {
    FrameKind kind;
    bool closed;  // the first point is repeated at the end
    std::vector<Corner> corners;
};

const std::vector<PolygonShape>& PolygonShapes() {
    constexpr Column L = Column::Left, CX = Column::Centre, R = Column::Right;
    constexpr Row T = Row::Top, CY = Row::Centre, B = Row::Bottom;
    static const std::vector<PolygonShape> shapes = {
        {FrameKind::Rhombus, false, {{CX, 0, T, 0}, {L, 0, CY, 0}, {CX, 0, B, 0}, {R, 0, CY, 0}}},
        {FrameKind::ParallelogramRight, true, {{L, 1, T, 0}, {L, 0, B, 0}, {R, -1, B, 0}, {R, 0, T, 0}}},
        {FrameKind::ParallelogramLeft, true, {{L, 0, T, 0}, {L, 1, B, 0}, {R, 0, B, 0}, {R, -1, T, 0}}},
        {FrameKind::ParallelogramRising, true, {{L, 0, T, -1}, {L, 0, B, 0}, {R, 0, B, 1}, {R, 0, T, 0}}},
        {FrameKind::ParallelogramFalling, true, {{L, 0, T, 0}, {L, 0, B, 1}, {R, 0, B, 0}, {R, 0, T, -1}}},
        {FrameKind::TriangleUp, true, {{CX, 0, T, 0}, {L, 0, B, 0}, {R, 0, B, 0}}},
        {FrameKind::TriangleDown, true, {{L, 0, T, 0}, {CX, 0, B, 0}, {R, 0, T, 0}}},
        {FrameKind::TriangleRight, true, {{L, 0, T, 0}, {L, 0, B, 0}, {R, 0, CY, 0}}},
        {FrameKind::TriangleLeft, true, {{L, 0, CY, 0}, {R, 0, B, 0}, {R, 0, T, 0}}},
        {FrameKind::TriangleTopLeft, true, {{L, 0, T, 0}, {L, 0, B, 0}, {R, 0, T, 0}}},
        {FrameKind::TriangleBottomLeft, true, {{L, 0, T, 0}, {L, 0, B, 0}, {R, 0, B, 0}}},
        {FrameKind::TriangleTopRight, true, {{L, 0, T, 0}, {R, 0, B, 0}, {R, 0, T, 0}}},
        {FrameKind::TriangleBottomRight, true, {{L, 0, B, 0}, {R, 0, B, 0}, {R, 0, T, 0}}},
    };
    return shapes;
}

std::vector<LogicalPoint> PolygonPoints(const PolygonShape& shape, const InnerBox& box, LabelExtent label) {
    // The slant is a fifth of the whole label, not of the inner box.
    const std::int64_t dw = std::int64_t{label.width} * 20 / 100, dh = std::int64_t{label.height} * 20 / 100;
    const std::int32_t columns[] = {box.left, box.cx, box.right};
    const std::int32_t rows[] = {box.top, box.cy, box.bottom};
    std::vector<LogicalPoint> points;
    for (const Corner& corner : shape.corners) {
        points.push_back({Clamp32(columns[static_cast<int>(corner.column)] + corner.dwShift * dw),
                          Clamp32(rows[static_cast<int>(corner.row)] + corner.dhShift * dh)});
    }
    if (shape.closed) points.push_back(points.front());
    return points;
}

void SelectArea(Surface& surface, const Area& area) {
    surface.SetPen(area.border);
    surface.SetTextColor(area.color);
    surface.SetBackgroundColor(kWhite);
    surface.SetBrush(MakeFillBrush(area.pattern, area.color));
}

void DrawInnerShape(const ViewState& view, Surface& surface, const std::string& section, std::int32_t kind,
                    std::int32_t x, std::int32_t y) {
    const InnerBox box = ReadInnerBox(view, section, kind, x, y);
    switch (static_cast<FrameKind>(kind)) {
        case FrameKind::Rectangle:
            surface.DrawRectangle(box.left, box.top, box.right, box.bottom);
            return;
        case FrameKind::RoundRect: {
            const std::int32_t h = view.label.height;
            std::int32_t corner = view.record->ReadInt(section, "Frame2r", h / 10);
            if (corner < 0 || corner > h / 2) corner = h / 10;
            surface.DrawRoundRect(box.left, box.top, box.right, box.bottom, corner, corner);
            return;
        }
        case FrameKind::Ellipse:
            surface.DrawEllipse(box.left, box.top, box.right, box.bottom);
            return;
        case FrameKind::Circle: {
            const std::int64_t radius = std::min(box.iw, box.ih) / 2;
            surface.DrawEllipse(Clamp32(box.cx - radius), Clamp32(box.cy + radius), Clamp32(box.cx + radius),
                                Clamp32(box.cy - radius));
            return;
        }
        default:
            break;
    }
    const auto& shapes = PolygonShapes();
    const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                    [kind](const PolygonShape& s) { return static_cast<std::int32_t>(s.kind) == kind; });
    if (shape != shapes.end()) surface.DrawPolygon(PolygonPoints(*shape, box, view.label));
}

void DrawFrameLayers(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, bool withOutside) {
    if (view.mode == ViewMode::CardMode && view.record->ReadInt("Option", "NoBMPEdit", 0) == 1) return;
    const std::string section = view.slotPrefix + "Frame";
    const Frame frame = ReadFrame(view, section);
    if (frame.kind < 0 || frame.kind > kLastKind) return;

    const Pen previousPen = surface.GetPen();
    const Brush previousBrush = surface.GetBrush();
    const std::int32_t right = Clamp32(std::int64_t{x} + view.label.width);
    const std::int32_t bottom = Clamp32(std::int64_t{y} - view.label.height);
    if (frame.kind == static_cast<std::int32_t>(FrameKind::None)) {
        // Without a shape the inside settings fill the whole card.
        SelectArea(surface, frame.inside);
        surface.DrawRectangle(x, y, right, bottom);
    } else {
        if (withOutside) {
            SelectArea(surface, frame.outside);
            surface.DrawRectangle(x, y, right, bottom);
        }
        SelectArea(surface, frame.inside);
        DrawInnerShape(view, surface, section, frame.kind, x, y);
    }
    surface.SetPen(previousPen);
    surface.SetBrush(previousBrush);
}

}  // namespace

Brush MakeFillBrush(std::int32_t pattern, ColorRef color) {
    static constexpr BrushKind kKinds[] = {
        BrushKind::Solid,     BrushKind::Pattern75, BrushKind::Pattern50, BrushKind::Pattern25,
        BrushKind::None,      BrushKind::BDiagonal, BrushKind::Cross,     BrushKind::DiagCross,
        BrushKind::FDiagonal, BrushKind::Horizontal, BrushKind::Vertical,
    };
    if (pattern < 0 || static_cast<std::size_t>(pattern) >= std::size(kKinds)) return {BrushKind::Solid, color};
    return {kKinds[pattern], color};
}

void DrawFrames(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    DrawFrameLayers(view, surface, x, y, true);
}

void DrawInnerFrame(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    DrawFrameLayers(view, surface, x, y, false);
}
