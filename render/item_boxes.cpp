#include "render/item_boxes.h"

#include <algorithm>

#include "render/card.h"
#include "render/logical_math.h"
#include "render/text_fit.h"

namespace {

// Measures through another surface and notes where each item would put its marks, drawing
// nothing: text cells, vertical columns, ruby and QR codes grow the box of the item under way.
class BoxRecorder : public Surface {
public:
    explicit BoxRecorder(Surface& measuring) : measuring_(measuring) {}

    std::vector<ItemBox> boxes;

    void BeginItem(const std::string& item) override {
        boxes.push_back({item, 0, 0, 0, 0, 100});
        started_ = false;
    }

    // Boxes are taken on the upright face.
    void TurnHalfAbout(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void TurnUpright() override {}
    std::int32_t DpiX() const override { return measuring_.DpiX(); }
    std::int32_t DpiY() const override { return measuring_.DpiY(); }
    bool IsPrinting() const override { return false; }
    void SetBackgroundMode(BackgroundMode mode) override { mode_ = mode; }
    BackgroundMode GetBackgroundMode() const override { return mode_; }
    void SetBackgroundColor(ColorRef color) override { background_ = color; }
    ColorRef GetBackgroundColor() const override { return background_; }
    void SetTextColor(ColorRef) override {}
    void SetFont(const LogFont& font) override { measuring_.SetFont(font); }
    LogFont GetFont() const override { return measuring_.GetFont(); }
    TextMetrics GetTextMetrics() override { return measuring_.GetTextMetrics(); }
    void SetTextScale(std::int32_t percent) override { measuring_.SetTextScale(percent); }
    std::int32_t GetTextScale() const override { return measuring_.GetTextScale(); }
    TextExtent MeasureText(std::string_view text) override { return measuring_.MeasureText(text); }
    void DrawText(std::int32_t x, std::int32_t y, std::string_view text) override {
        NoteHeight();
        Note(x, y, MeasureText(text));
    }
    // Ruby is meant to be small: it grows the box, not the note of the text's size.
    void DrawRubyText(std::int32_t x, std::int32_t y, std::string_view text) override { Note(x, y, MeasureText(text)); }
    void DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) override { DrawText(x, y, text); }
    TextExtent MeasureVerticalText(std::string_view text) override { return measuring_.MeasureVerticalText(text); }
    void DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool) override {
        NoteHeight();
        Note(x, y, MeasureVerticalText(text));
    }
    void SetPen(const Pen& pen) override { pen_ = pen; }
    Pen GetPen() const override { return pen_; }
    void SetBrush(const Brush& brush) override { brush_ = brush; }
    Brush GetBrush() const override { return brush_; }
    void DrawRectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void DrawRoundRect(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void DrawEllipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void DrawPolygon(const std::vector<LogicalPoint>&) override {}
    void DrawLine(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol&, std::string_view) override {
        Note(left, top, {size, size});
    }
    void DrawImage(std::int32_t, std::int32_t, std::int32_t, std::int32_t, const Pixels&, std::string_view) override {}

private:
    void NoteHeight() {
        if (boxes.empty()) return;
        const std::int32_t height = HeightOf(measuring_.GetFont());
        std::int32_t& smallest = boxes.back().height;
        smallest = smallest == 0 ? height : std::min(smallest, height);
    }
    // (x, y) is a top-left corner with y upward; boxes keep y downward.
    void Note(std::int32_t x, std::int32_t y, TextExtent extent) {
        if (boxes.empty() || extent.width < 0 || extent.height < 0) return;
        ItemBox& box = boxes.back();
        box.scale = std::min(box.scale, measuring_.GetTextScale());
        const ItemBox mark{box.item, x, Clamp32(-std::int64_t{y}), Clamp32(std::int64_t{x} + extent.width),
                           Clamp32(extent.height - std::int64_t{y}), box.scale, box.height};
        if (!started_) {
            box = mark;
            started_ = true;
            return;
        }
        box.left = std::min(box.left, mark.left);
        box.top = std::min(box.top, mark.top);
        box.right = std::max(box.right, mark.right);
        box.bottom = std::max(box.bottom, mark.bottom);
    }

    Surface& measuring_;
    bool started_ = false;
    BackgroundMode mode_ = BackgroundMode::Opaque;
    ColorRef background_ = Rgb(255, 255, 255);
    Pen pen_;
    Brush brush_;
};

}  // namespace

std::vector<ItemBox> DrawnItemBoxes(ViewState& view, Surface& measuring, const CardValue& card) {
    const LogFont font = measuring.GetFont();
    const std::int32_t scale = measuring.GetTextScale();
    BoxRecorder recorder(measuring);
    DrawCardValue(view, recorder, 0, 0, card);
    measuring.SetFont(font);
    measuring.SetTextScale(scale);
    std::vector<ItemBox>& boxes = recorder.boxes;
    // An item that drew nothing (a QR code too long to encode) cannot be clicked.
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(), [](const ItemBox& b) { return b.Width() <= 0 || b.Height() <= 0; }),
                boxes.end());
    return boxes;
}
