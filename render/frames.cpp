#include "render/frames.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "render/card_reading.h"
#include "render/logical_math.h"

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kLastKind = static_cast<std::int32_t>(FrameKind::TriangleBottomRight);

// The inner shape's box, set in from the card edges, and its centre.
struct InnerBox {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0, cx = 0, cy = 0, iw = 0, ih = 0;
};

InnerBox BoxOf(const FrameValue& frame, LabelExtent label, std::int32_t x, std::int32_t y) {
    const std::int64_t t = frame.gapTop, b = frame.gapBottom, l = frame.gapLeft, r = frame.gapRight;
    const std::int64_t w = label.width, h = label.height;
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

void SelectArea(Surface& surface, const FrameArea& area) {
    surface.SetPen(area.border);
    surface.SetTextColor(area.color);
    surface.SetBackgroundColor(kWhite);
    surface.SetBrush(MakeFillBrush(area.pattern, area.color));
}

void DrawInnerShape(Surface& surface, const FrameValue& frame, LabelExtent label, std::int32_t x, std::int32_t y) {
    const InnerBox box = BoxOf(frame, label, x, y);
    switch (static_cast<FrameKind>(frame.kind)) {
        case FrameKind::Rectangle:
            surface.DrawRectangle(box.left, box.top, box.right, box.bottom);
            return;
        case FrameKind::RoundRect: {
            const std::int32_t h = label.height;
            std::int32_t corner = frame.roundCorner.value_or(h / 10);
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
    const auto shape = std::find_if(shapes.begin(), shapes.end(), [&frame](const PolygonShape& s) {
        return static_cast<std::int32_t>(s.kind) == frame.kind;
    });
    if (shape != shapes.end()) surface.DrawPolygon(PolygonPoints(*shape, box, label));
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

void DrawFrame(Surface& surface, LabelExtent label, std::int32_t x, std::int32_t y, const FrameValue& frame,
               bool withOutside) {
    if (frame.kind < 0 || frame.kind > kLastKind) return;
    const Pen previousPen = surface.GetPen();
    const Brush previousBrush = surface.GetBrush();
    const std::int32_t right = Clamp32(std::int64_t{x} + label.width);
    const std::int32_t bottom = Clamp32(std::int64_t{y} - label.height);
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
        DrawInnerShape(surface, frame, label, x, y);
    }
    surface.SetPen(previousPen);
    surface.SetBrush(previousBrush);
}

void DrawFrames(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    if (!DecorationHidden(view)) DrawFrame(surface, view.label, x, y, ReadFrame(*view.record, view.slotPrefix), true);
}
