#pragma once

#include <algorithm>
#include <ostream>

#include "render/logical_math.h"
#include "render/surface.h"

// A surface that writes each drawing operation as one line of text, in exact logical units, so
// that drawings can be compared and checked. Fonts get simple metrics: a cell as high as the
// font's height (16 when it has none) with its baseline at the bottom, and half as wide per byte
// of text, so a double-byte character is a full cell wide. A text scale narrows the widths.
// A vertical column is one cell wide and one cell long per character (per digit pair).
class TraceSurface : public Surface {
public:
    TraceSurface(std::ostream& out, std::int32_t dpiX, std::int32_t dpiY, bool printing);

    void BeginPage(std::int32_t page) override;
    void Calibrate(const PrinterCalibration& calibration) override;
    void BeginCard(const std::string& section, std::int32_t x, std::int32_t y) override;
    // Turned drawings are written at their turned coordinates, texts with half a turn more
    // escapement, images and QR codes marked turn=180.
    void TurnHalfAbout(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void TurnUpright() override { turned_ = false; }

    std::int32_t DpiX() const override { return dpiX_; }
    std::int32_t DpiY() const override { return dpiY_; }
    bool IsPrinting() const override { return printing_; }

    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    BackgroundMode GetBackgroundMode() const override { return backgroundMode_; }
    void SetBackgroundColor(ColorRef color) override { backgroundColor_ = color; }
    ColorRef GetBackgroundColor() const override { return backgroundColor_; }
    void SetTextColor(ColorRef color) override { textColor_ = color; }

    void SetFont(const LogFont& font) override { font_ = font; }
    LogFont GetFont() const override { return font_; }
    TextMetrics GetTextMetrics() override;
    void SetTextScale(std::int32_t percent) override { scale_ = std::clamp(percent, 1, 1000); }
    std::int32_t GetTextScale() const override { return scale_; }
    TextExtent MeasureText(std::string_view text) override;
    void DrawText(std::int32_t x, std::int32_t y, std::string_view text) override;
    void DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) override;
    TextExtent MeasureVerticalText(std::string_view text) override;
    void DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool hollow) override;
    void DrawRubyText(std::int32_t x, std::int32_t y, std::string_view text) override;

    void SetPen(const Pen& pen) override { pen_ = pen; }
    Pen GetPen() const override { return pen_; }
    void SetBrush(const Brush& brush) override { brush_ = brush; }
    Brush GetBrush() const override { return brush_; }

    void DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void DrawRoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                       std::int32_t cornerWidth, std::int32_t cornerHeight) override;
    void DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void DrawPolygon(const std::vector<LogicalPoint>& points) override;
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol& symbol,
                    std::string_view text) override;
    void DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, const Pixels& pixels,
                   std::string_view source) override;

private:
    void Text(std::int32_t x, std::int32_t y, std::string_view text, bool hollow, bool ruby = false);
    // The fields a text line and a vertical text line share, from the escapement to the text.
    void TextFields(std::string_view text, bool hollow, const char* scaleName, bool ruby);
    std::string PenField() const;
    std::string PenAndBrush() const;
    std::int32_t X(std::int32_t x) const { return turned_ ? Clamp32(std::int64_t{sumX_} - x) : x; }
    std::int32_t Y(std::int32_t y) const { return turned_ ? Clamp32(std::int64_t{sumY_} - y) : y; }
    const char* TurnField() const { return turned_ ? " turn=180" : ""; }

    std::ostream& out_;
    std::int32_t dpiX_, dpiY_;
    bool printing_;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    ColorRef backgroundColor_ = 0xFFFFFF;
    ColorRef textColor_ = 0;
    LogFont font_;
    std::int32_t scale_ = 100;
    bool turned_ = false;
    std::int32_t sumX_ = 0, sumY_ = 0;  // twice the centre of the turn
    Pen pen_;
    Brush brush_{BrushKind::Solid, 0xFFFFFF};
};

// Names used in traces.
const char* PenStyleName(PenStyle style);
const char* BrushKindName(BrushKind kind);
std::string HexColor(ColorRef color);
