#include "render/trace_surface.h"

#include <cstdio>

#include "render/logical_math.h"
#include "render/text_fit.h"
#include "render/vertical_cells.h"
#include "store/codec.h"
#include "store/cp932.h"

namespace {

// Stored text as UTF-8 in double quotes, with " and \ escaped; bytes that are not code page
// 932 text are written as \xHH.
std::string Quoted(std::string_view stored) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t len = cp932::CharLength(stored, pos);
        std::string utf8;
        if (codec::Cp932ToUtf8(stored.substr(pos, len), utf8)) {
            for (const char c : utf8) {
                if (c == '"' || c == '\\') out += '\\';
                out += c;
            }
        } else {
            for (std::size_t k = 0; k < len; ++k) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(stored[pos + k]));
                out += hex;
            }
        }
        pos += len;
    }
    return out + "\"";
}

}  // namespace

const char* PenStyleName(PenStyle style) {
    switch (style) {
        case PenStyle::Solid: return "solid";
        case PenStyle::Dot: return "dot";
        case PenStyle::DashDot: return "dashdot";
        case PenStyle::DashDotDot: return "dashdotdot";
        case PenStyle::None: return "none";
    }
    return "solid";
}

const char* BrushKindName(BrushKind kind) {
    switch (kind) {
        case BrushKind::None: return "none";
        case BrushKind::Solid: return "solid";
        case BrushKind::Pattern75: return "p75";
        case BrushKind::Pattern50: return "p50";
        case BrushKind::Pattern25: return "p25";
        case BrushKind::BDiagonal: return "bdiag";
        case BrushKind::Cross: return "cross";
        case BrushKind::DiagCross: return "diagcross";
        case BrushKind::FDiagonal: return "fdiag";
        case BrushKind::Horizontal: return "horiz";
        case BrushKind::Vertical: return "vert";
    }
    return "none";
}

std::string HexColor(ColorRef color) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return hex;
}

TraceSurface::TraceSurface(std::ostream& out, std::int32_t dpiX, std::int32_t dpiY, bool printing)
    : out_(out), dpiX_(dpiX), dpiY_(dpiY), printing_(printing) {
    out_ << "surface dpi=" << dpiX_ << "," << dpiY_ << " printing=" << (printing_ ? 1 : 0) << "\n";
}

void TraceSurface::BeginPage(std::int32_t page) { out_ << "page " << page << "\n"; }

void TraceSurface::Calibrate(const PrinterCalibration& calibration) {
    out_ << "calibrate x=" << FixedText(calibration.offsetX, 1) << "mm y=" << FixedText(calibration.offsetY, 1)
         << "mm scale=" << FixedText(calibration.scale, 2) << "%\n";
}

void TraceSurface::BeginCard(const std::string& section, std::int32_t x, std::int32_t y) {
    out_ << "card " << section << " " << x << " " << y << "\n";
}

TextMetrics TraceSurface::GetTextMetrics() {
    const std::int32_t height = HeightOf(font_);
    return {Clamp32(std::int64_t{height} * scale_ / 200), height, height};
}

TextExtent TraceSurface::MeasureText(std::string_view text) {
    const std::int32_t height = HeightOf(font_);
    if (scale_ == 100) return {Clamp32(static_cast<std::int64_t>(text.size()) * (height / 2)), height};
    return {Clamp32(static_cast<std::int64_t>(text.size()) * height * scale_ / 200), height};
}

void TraceSurface::Text(std::int32_t x, std::int32_t y, std::string_view text, bool hollow, bool ruby) {
    const TextExtent extent = MeasureText(text);
    out_ << "text " << x << " " << y << " " << extent.width << " " << extent.height;
    TextFields(text, hollow, "scalex", ruby);
}

void TraceSurface::TextFields(std::string_view text, bool hollow, const char* scaleName, bool ruby) {
    out_ << " esc=" << font_.lfEscapement << " color=" << HexColor(textColor_) << " bk="
         << (backgroundMode_ == BackgroundMode::Opaque ? "opaque:" + HexColor(backgroundColor_) : "transparent")
         << " hollow=" << (hollow ? 1 : 0);
    if (scale_ != 100) out_ << " " << scaleName << "=" << scale_;
    if (ruby) out_ << " ruby=1";
    out_ << " font=" << font_.lfHeight << ":" << font_.lfWeight << ":";
    std::string face;
    if (!codec::Cp932ToUtf8(font_.lfFaceName, face)) face = "?";
    out_ << face << " " << Quoted(text) << "\n";
}

void TraceSurface::DrawText(std::int32_t x, std::int32_t y, std::string_view text) { Text(x, y, text, false); }

void TraceSurface::DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) { Text(x, y, text, true); }

TextExtent TraceSurface::MeasureVerticalText(std::string_view text) {
    const std::int32_t height = HeightOf(font_);
    return {height, Clamp32(std::int64_t{VerticalCells(text)} * height * scale_ / 100)};
}

void TraceSurface::DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool hollow) {
    const TextExtent extent = MeasureVerticalText(text);
    out_ << "vtext " << x << " " << y << " " << extent.width << " " << extent.height;
    TextFields(text, hollow, "scaley", false);
}

void TraceSurface::DrawRubyText(std::int32_t x, std::int32_t y, std::string_view text) { Text(x, y, text, false, true); }

std::string TraceSurface::PenField() const {
    return " pen=" + std::string(PenStyleName(pen_.style)) + ":" + std::to_string(pen_.width) + ":" + HexColor(pen_.color);
}

std::string TraceSurface::PenAndBrush() const {
    std::string fields = PenField() + " brush=" + BrushKindName(brush_.kind);
    if (brush_.kind != BrushKind::None) fields += ":" + HexColor(brush_.color);
    return fields;
}

void TraceSurface::DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    out_ << "rect " << left << " " << top << " " << right << " " << bottom << PenAndBrush() << "\n";
}

void TraceSurface::DrawRoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                                 std::int32_t cornerWidth, std::int32_t cornerHeight) {
    out_ << "roundrect " << left << " " << top << " " << right << " " << bottom << " " << cornerWidth << " "
         << cornerHeight << PenAndBrush() << "\n";
}

void TraceSurface::DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    out_ << "ellipse " << left << " " << top << " " << right << " " << bottom << PenAndBrush() << "\n";
}

void TraceSurface::DrawPolygon(const std::vector<LogicalPoint>& points) {
    out_ << "polygon";
    for (const LogicalPoint& point : points) out_ << " " << point.x << "," << point.y;
    out_ << PenAndBrush() << "\n";
}

void TraceSurface::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    out_ << "line " << x1 << " " << y1 << " " << x2 << " " << y2 << PenField() << "\n";
}

void TraceSurface::DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                             const Pixels& /*pixels*/, std::string_view source) {
    out_ << "image " << x << " " << y << " " << width << " " << height << " " << Quoted(source) << "\n";
}

void TraceSurface::DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol& symbol,
                              std::string_view text) {
    out_ << "qr " << left << " " << top << " " << size << " level=" << symbol.level << " modules=" << symbol.modules
         << " " << Quoted(text) << "\n";
}
