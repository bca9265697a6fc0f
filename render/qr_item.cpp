#include "render/qr_item.h"

#include <algorithm>

#include "render/item_placement.h"
#include "render/logical_math.h"
#include "render/qr_code.h"

namespace {

constexpr ColorRef kMarkRed = 0x0000FF;

// The outline of the code's square in red with "QR" in its corner, so that a missing code is
// seen on screen and paper before the tags are handed out.
void DrawMissingCode(Surface& surface, LogicalPoint at, std::int32_t size) {
    const Pen previousPen = surface.GetPen();
    const Brush previousBrush = surface.GetBrush();
    const LogFont previousFont = surface.GetFont();
    surface.SetPen({PenStyle::Solid, 1, kMarkRed});
    surface.SetBrush({BrushKind::None, 0});
    surface.DrawRectangle(at.x, at.y, Clamp32(std::int64_t{at.x} + size), Clamp32(std::int64_t{at.y} - size));
    LogFont mark = DefaultItemFont();
    mark.lfHeight = -std::max(8, size / 4);
    surface.SetFont(mark);
    surface.SetTextColor(kMarkRed);
    const BackgroundMode mode = surface.GetBackgroundMode();
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    surface.DrawText(Clamp32(std::int64_t{at.x} + 2), Clamp32(std::int64_t{at.y} - 2), "QR");
    surface.SetBackgroundMode(mode);
    surface.SetFont(previousFont);
    surface.SetPen(previousPen);
    surface.SetBrush(previousBrush);
}

}  // namespace

void DrawQrItem(Surface& surface, std::int32_t x, std::int32_t y, const ItemValue& item, LabelExtent label,
                ColorRef color) {
    const ItemTypesetting& typeset = item.typesetting;
    const std::string& text = item.text;
    const LogicalPoint at = PlaceItem(x, y, item, label, typeset.qrSize, typeset.qrSize);
    QrSymbol symbol;
    if (CodeFor(text, typeset.qrLevel, typeset.qrSize, symbol) == QrProblem::None) {
        surface.SetTextColor(color);
        surface.DrawQrCode(at.x, at.y, typeset.qrSize, symbol, text);
    } else {
        DrawMissingCode(surface, at, typeset.qrSize);
    }
    surface.SetTextColor(0);
}
