#include "render/empty_sheet.h"

#include <algorithm>
#include <string>

#include "render/logical_math.h"
#include "store/codec.h"
#include "store/font_setting.h"

namespace {

// Light grey, so that the outlines read as a hint and not as cut lines.
constexpr ColorRef kOutlineGrey = Rgb(176, 176, 176);
constexpr ColorRef kHintGrey = Rgb(96, 96, 96);
// About 12 points: an em height of a sixth of an inch.
constexpr std::int32_t kHintHeight = 17;
// A page never holds more outlines than these, whatever a hand-edited layout says.
constexpr std::int64_t kMaxOutlines = 400;

const std::string& HintText() {
    static const std::string text = [] {
        std::string stored;
        return codec::Utf8ToCp932("「入力」でカードを作成します", stored) ? stored : std::string();
    }();
    return text;
}

// The hint sits in the middle of the first tag, or at its left edge when it is wider; the
// surface is left with the hint's font.
EmptySheetHint PlaceHint(const SheetLayout& layout, Surface& surface) {
    LogFont font = DefaultItemFont();
    font.lfHeight = -kHintHeight;
    font.lfEscapement = font.lfOrientation = 0;
    surface.SetFont(font);
    const TextExtent extent = surface.MeasureText(HintText());
    const std::int64_t W = layout.label.width, H = layout.label.height;
    const std::int64_t x = layout.left + std::max<std::int64_t>((W - extent.width) / 2, 5);
    const std::int64_t y = layout.top + std::max<std::int64_t>((H - extent.height) / 2, 5);
    return {Clamp32(x), Clamp32(y), Clamp32(x + extent.width), Clamp32(y + extent.height)};
}

}  // namespace

void DrawEmptySheet(const SheetLayout& layout, Surface& surface) {
    const Pen previousPen = surface.GetPen();
    const Brush previousBrush = surface.GetBrush();
    surface.SetPen({PenStyle::Solid, 0, kOutlineGrey});
    surface.SetBrush({BrushKind::None, 0});
    const std::int64_t W = layout.label.width, H = layout.label.height;
    const std::int64_t columns = std::max(layout.columns, 1), rows = std::max(layout.rows, 1);
    for (std::int64_t i = 0; i < std::min(columns * rows, kMaxOutlines); ++i) {
        const std::int64_t x = layout.left + (i % columns) * (W + layout.gapH);
        const std::int64_t y = -std::int64_t{layout.top} - (i / columns) * (H + layout.gapV);
        surface.DrawRectangle(Clamp32(x), Clamp32(y), Clamp32(x + W), Clamp32(y - H));
    }
    surface.SetPen(previousPen);
    surface.SetBrush(previousBrush);

    const EmptySheetHint hint = PlaceHint(layout, surface);
    surface.SetTextColor(kHintGrey);
    surface.DrawText(hint.left, -hint.top, HintText());
}

EmptySheetHint EmptySheetHintBox(const SheetLayout& layout, Surface& surface) {
    const LogFont previous = surface.GetFont();
    const EmptySheetHint hint = PlaceHint(layout, surface);
    surface.SetFont(previous);
    return hint;
}
