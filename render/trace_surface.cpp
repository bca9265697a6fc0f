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

void TraceSurface::TurnHalfAbout(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    turned_ = true;
    sumX_ = Clamp32(std::int64_t{left} + right);
    sumY_ = Clamp32(std::int64_t{top} + bottom);
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
    out_ << "text " << X(x) << " " << Y(y) << " " << extent.width << " " << extent.height;
    TextFields(text, hollow, "scalex", ruby);
}

void TraceSurface::TextFields(std::string_view text, bool hollow, const char* scaleName, bool ruby) {
    // A turned text keeps its own escapement within one turn, as the printer would draw it.
    const std::int32_t escapement = turned_ ? (font_.lfEscapement % 3600 + 3600 + 1800) % 3600 : font_.lfEscapement;
    out_ << " esc=" << escapement << " color=" << HexColor(textColor_) << " bk="
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
    out_ << "vtext " << X(x) << " " << Y(y) << " " << extent.width << " " << extent.height;
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
    out_ << "rect " << X(left) << " " << Y(top) << " " << X(right) << " " << Y(bottom) << PenAndBrush() << "\n";
}

void TraceSurface::DrawRoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                                 std::int32_t cornerWidth, std::int32_t cornerHeight) {
    out_ << "roundrect " << X(left) << " " << Y(top) << " " << X(right) << " " << Y(bottom) << " " << cornerWidth << " "
         << cornerHeight << PenAndBrush() << "\n";
}

void TraceSurface::DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    out_ << "ellipse " << X(left) << " " << Y(top) << " " << X(right) << " " << Y(bottom) << PenAndBrush() << "\n";
}

void TraceSurface::DrawPolygon(const std::vector<LogicalPoint>& points) {
    out_ << "polygon";
    for (const LogicalPoint& point : points) out_ << " " << X(point.x) << "," << Y(point.y);
    out_ << PenAndBrush() << "\n";
}

void TraceSurface::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    out_ << "line " << X(x1) << " " << Y(y1) << " " << X(x2) << " " << Y(y2) << PenField() << "\n";
}

void TraceSurface::DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                             const Pixels& /*pixels*/, std::string_view source) {
    // Device units downward: the turned image's top-left corner is its turned bottom-right one.
    if (turned_) {
        x = Clamp32(std::int64_t{sumX_} * dpiX_ / 100 - x - width);
        y = Clamp32(-std::int64_t{sumY_} * dpiY_ / 100 - y - height);
    }
    out_ << "image " << x << " " << y << " " << width << " " << height << " " << Quoted(source) << TurnField()
         << "\n";
}

void TraceSurface::DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol& symbol,
                              std::string_view text) {
    // The turned square's top-left corner is the turned bottom-right one.
    const std::int32_t turnedLeft = turned_ ? Clamp32(std::int64_t{X(left)} - size) : left;
    const std::int32_t turnedTop = turned_ ? Clamp32(std::int64_t{Y(top)} + size) : top;
    out_ << "qr " << turnedLeft << " " << turnedTop << " " << size << " level=" << symbol.level
         << " modules=" << symbol.modules << " " << Quoted(text) << TurnField() << "\n";
}
