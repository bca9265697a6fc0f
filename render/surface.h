#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/calibration.h"
#include "render/qr_code.h"
#include "store/color_setting.h"
#include "store/font_setting.h"

// The drawing surface every tag is drawn on: screen, print preview, printer, PDF, image or a
// trace. Coordinates are logical units of 1/100 inch with y growing upward; the origin is the
// top-left corner of the printable area (so points below it have negative y). Only images are
// placed in device units. Text is stored text (code page 932).

struct LogicalPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

enum class PenStyle { Solid, Dot, DashDot, DashDotDot, None };

struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 1;  // logical units; 0 is the thinnest line the device draws
    ColorRef color = 0;
};

enum class BrushKind {
    None,        // hollow: shapes are outlined only
    Solid,
    Pattern75,   // monochrome 16 × 15 patterns: area colour for 0 bits, white for 1 bits
    Pattern50,
    Pattern25,
    BDiagonal,   // hatches in the area colour; gaps white when the background mode is opaque
    Cross,
    DiagCross,
    FDiagonal,
    Horizontal,
    Vertical,
};

struct Brush {
    BrushKind kind = BrushKind::None;
    ColorRef color = 0;
};

enum class BackgroundMode { Transparent, Opaque };

struct TextMetrics {
    std::int32_t averageCharWidth = 0;  // logical units
    std::int32_t height = 0;            // character cell height, logical units
    std::int32_t ascent = 0;            // from the cell's top to the baseline, logical units
};

struct TextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Decoded pixels of a bitmap, top row first, 0xAARRGGBB.
struct Pixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> argb;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Marks for a trace of the drawing: a new page, and the start of a card's operations.
    virtual void BeginPage(std::int32_t /*page*/) {}
    virtual void BeginCard(const std::string& /*section*/, std::int32_t /*x*/, std::int32_t /*y*/) {}
    // The start of a text item's marks (by its stored name), for finding items on the tag.
    virtual void BeginItem(const std::string& /*item*/) {}
    // Takes a printer's measured error back from everything drawn on this page from now on: the
    // offset and the stretch about the paper's corner (store/calibration.h). Replaces an earlier
    // calibration of the surface; screens and exact exports have none.
    virtual void Calibrate(const PrinterCalibration& /*calibration*/) {}
    // Turns everything drawn from now on by half a turn about the centre of the rectangle with
    // corners (left, top) and (right, bottom), until TurnUpright: the face of a folded card that
    // stands upside down on the sheet. Measuring is not turned.
    virtual void TurnHalfAbout(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
    virtual void TurnUpright() = 0;

    // Device pixels per inch, horizontally and vertically.
    virtual std::int32_t DpiX() const = 0;
    virtual std::int32_t DpiY() const = 0;
    // Whether this surface is a printer (a print job, its preview or its export).
    virtual bool IsPrinting() const = 0;

    virtual void SetBackgroundMode(BackgroundMode mode) = 0;
    virtual BackgroundMode GetBackgroundMode() const = 0;
    virtual void SetBackgroundColor(ColorRef color) = 0;
    virtual ColorRef GetBackgroundColor() const = 0;
    virtual void SetTextColor(ColorRef color) = 0;

    // Selects a font made from the stored font record (height in logical units, negative for an
    // em height; escapement in tenths of a degree, counterclockwise).
    virtual void SetFont(const LogFont& font) = 0;
    virtual LogFont GetFont() const = 0;
    virtual TextMetrics GetTextMetrics() = 0;
    // Scales text along its line, in percent: narrower horizontal text (長体), shorter vertical
    // text (平体). It holds across font changes, for measuring, metrics and drawing, until set
    // again; 100 draws the font as it is.
    virtual void SetTextScale(std::int32_t percent) = 0;
    virtual std::int32_t GetTextScale() const = 0;
    // The extent of one line of text in the current font, unrotated.
    virtual TextExtent MeasureText(std::string_view text) = 0;
    // Draws text with its cell's top-left corner at (x, y), turned by the font's escapement about
    // that point. With an opaque background mode the cell is filled with the background colour.
    virtual void DrawText(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    // The outline of the text, stroked thinly in the text colour and not filled.
    virtual void DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    // A column of text set top to bottom with its top-left corner at (x, y), in the font's
    // vertical glyph forms, two half-width digits standing alone side by side across it; hollow
    // as DrawHollowText. The text scale shortens the column (平体). Measuring gives the width
    // across the column and its length down.
    virtual TextExtent MeasureVerticalText(std::string_view text) = 0;
    virtual void DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool hollow) = 0;
    // Ruby (furigana) over a text: drawn as text, marked as ruby in a trace.
    virtual void DrawRubyText(std::int32_t x, std::int32_t y, std::string_view text) { DrawText(x, y, text); }

    virtual void SetPen(const Pen& pen) = 0;
    virtual Pen GetPen() const = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual Brush GetBrush() const = 0;

    // Shapes are outlined with the pen and filled with the brush.
    virtual void DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
    virtual void DrawRoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                               std::int32_t cornerWidth, std::int32_t cornerHeight) = 0;
    virtual void DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
    virtual void DrawPolygon(const std::vector<LogicalPoint>& points) = 0;
    virtual void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;

    // A QR code filling the square of side `size` whose top-left corner is (left, top): the quiet
    // zone of kQrQuietModules and the light modules white, the dark modules filled rectangles in
    // the text colour. text is what the symbol encodes, for the trace.
    virtual void DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol& symbol,
                            std::string_view text) = 0;

    // Stretches an image into the device rectangle whose top-left corner is (x, y) device units
    // from the surface's origin (y downward). source names the file, for the trace.
    virtual void DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const Pixels& pixels, std::string_view source) = 0;
};
