#include "render/qt/qpainter_surface.h"

#include "render/qt/qt_colors.h"

#include <QBrush>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/qt/fill_patterns.h"
#include "render/logical_math.h"
#include "render/qt/stored_text.h"

namespace {

// The resolution the program's patterns and hatches were made for: one pattern pixel is one
// pixel of a 96-dpi screen, on paper too, so that screen, preview and print look alike.
constexpr double kScreenDpi = 96.0;

Qt::PenStyle ToQtStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Solid: return Qt::SolidLine;
        case PenStyle::Dot: return Qt::DotLine;
        case PenStyle::DashDot: return Qt::DashDotLine;
        case PenStyle::DashDotDot: return Qt::DashDotDotLine;
        case PenStyle::None: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

}  // namespace

QPainterSurface::QPainterSurface(QPainter& painter, std::int32_t dpiX, std::int32_t dpiY, QPointF origin,
                                 bool printing)
    : painter_(painter),
      dpiX_(dpiX),
      dpiY_(dpiY),
      origin_(origin),
      printing_(printing),
      raster_(painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster),
      patternScale_(std::max(1, static_cast<int>(std::lround(dpiX / kScreenDpi)))),
      fonts_(painter.device(), dpiX, dpiY,
             painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Pdf) {
    painter_.save();
    base_ = painter_.worldTransform();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrushOrigin(origin_);
    SetFont(logFont_);
}

QPainterSurface::~QPainterSurface() { painter_.restore(); }

void QPainterSurface::Calibrate(const PrinterCalibration& calibration) {
    // A printer that stretches by s prints p at (1 + s) p + offset; drawing at (p − offset) / (1 + s)
    // lands at p. The paper's corner is the device's origin when printing the full page.
    const double shrink = 1.0 / (1.0 + calibration.scale / 10000.0);
    const double offsetX = calibration.offsetX / 254.0 * dpiX_;  // tenths of a millimetre to pixels
    const double offsetY = calibration.offsetY / 254.0 * dpiY_;
    correction_ = QTransform(shrink, 0, 0, shrink, -offsetX * shrink, -offsetY * shrink);
    SetWorldTransform();
}

void QPainterSurface::TurnHalfAbout(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const QPointF twiceCentre = Map(left, top) + Map(right, bottom);
    turn_ = QTransform(-1, 0, 0, -1, twiceCentre.x(), twiceCentre.y());
    SetWorldTransform();
}

void QPainterSurface::TurnUpright() {
    turn_.reset();
    SetWorldTransform();
}

void QPainterSurface::SetWorldTransform() { painter_.setWorldTransform(turn_ * correction_ * base_); }

QPointF QPainterSurface::Map(std::int32_t x, std::int32_t y) const {
    return origin_ + QPointF(x * static_cast<double>(dpiX_) / 100.0, -static_cast<double>(y) * dpiY_ / 100.0);
}

QRectF QPainterSurface::MapRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const {
    return QRectF(Map(left, top), Map(right, bottom)).normalized();
}

double QPainterSurface::DeviceLength(std::int32_t logical) const {
    return std::abs(static_cast<double>(logical)) * dpiX_ / 100.0;
}

std::int32_t QPainterSurface::LogicalWidth(double devicePixels) const {
    return static_cast<std::int32_t>(std::lround(devicePixels * 100.0 / dpiX_));
}

std::int32_t QPainterSurface::LogicalHeight(double devicePixels) const {
    return static_cast<std::int32_t>(std::lround(devicePixels * 100.0 / dpiY_));
}

void QPainterSurface::SetFont(const LogFont& font) {
    logFont_ = font;
    font_ = fonts_.Get(font, scale_);
}

// Out-of-range scales are brought into 1…1000 percent, so a font always has a size.
void QPainterSurface::SetTextScale(std::int32_t percent) {
    scale_ = std::clamp(percent, 1, 1000);
    font_ = fonts_.Get(logFont_, scale_);
}

TextMetrics QPainterSurface::GetTextMetrics() {
    return {LogicalWidth(font_.averageCharWidth), LogicalHeight(font_.cellHeight), LogicalHeight(font_.ascent)};
}

TextExtent QPainterSurface::MeasureText(std::string_view text) {
    const QString qtext = StoredToQString(text);
    return {LogicalWidth(layouts_.Get(qtext, font_.font, font_.key).advance), LogicalHeight(font_.cellHeight)};
}

template <typename Paint>
void QPainterSurface::InTextFrame(std::int32_t x, std::int32_t y, const Paint& paint) {
    painter_.save();
    painter_.translate(Map(x, y));
    // Whole turns are dropped first, which keeps the angle exact for any stored number.
    if (logFont_.lfEscapement != 0) painter_.rotate(-(logFont_.lfEscapement % 3600) / 10.0);
    paint();
    painter_.restore();
}

void QPainterSurface::DrawText(std::int32_t x, std::int32_t y, std::string_view text) {
    const QString qtext = StoredToQString(text);
    const TextLayouts::Layout& layout = layouts_.Get(qtext, font_.font, font_.key);
    const QColor color = ToQColor(textColor_);
    // A PDF engine writes a new transform, pen and brush each time the painter's transform
    // changes, so upright text is placed by its glyph positions instead of a frame of its own.
    if (!raster_ && logFont_.lfEscapement % 3600 == 0) {
        DrawGlyphs(Map(x, y), layout, color);
        return;
    }
    InTextFrame(x, y, [&] {
        if (!raster_) {
            DrawGlyphs(QPointF(0, 0), layout, color);
            return;
        }
        if (backgroundMode_ == BackgroundMode::Opaque)
            painter_.fillRect(QRectF(0, 0, layout.advance, font_.cellHeight), ToQColor(backgroundColor_));
        const TextStamps::Stamp& stamp = stamps_.Get(qtext, layout, font_, color);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, logFont_.lfEscapement != 0);
        painter_.drawImage(stamp.offset, stamp.image);
    });
}

void QPainterSurface::DrawGlyphs(QPointF at, const TextLayouts::Layout& layout, const QColor& color) {
    if (backgroundMode_ == BackgroundMode::Opaque)
        painter_.fillRect(QRectF(at, QSizeF(layout.advance, font_.cellHeight)), ToQColor(backgroundColor_));
    painter_.setPen(color);
    for (const QGlyphRun& run : layout.runs) {
        painter_.drawGlyphRun(at, run);
        if (font_.overstrike > 0) painter_.drawGlyphRun(at + QPointF(font_.overstrike, 0), run);
    }
}

// The outline is half a logical unit wide: thin, yet visible on paper.
void QPainterSurface::DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) {
    QPainterPath path;
    path.addText(QPointF(0, font_.ascent), font_.font, StoredToQString(text));
    QPen outline(ToQColor(textColor_), std::max(1.0, dpiY_ / 200.0));
    outline.setJoinStyle(Qt::RoundJoin);
    InTextFrame(x, y, [&] {
        painter_.setPen(outline);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    });
}

// A column is laid out in the font at its own width; the text scale shortens it in the frame.
TextExtent QPainterSurface::MeasureVerticalText(std::string_view text) {
    const VerticalLayouts::Layout& column = columns_.Get(StoredToQString(text), fonts_.Get(logFont_));
    return {LogicalWidth(column.width), LogicalHeight(column.length * scale_ / 100.0)};
}

void QPainterSurface::DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool hollow) {
    const DeviceFont font = fonts_.Get(logFont_);
    const VerticalLayouts::Layout& column = columns_.Get(StoredToQString(text), font);
    const QColor color = ToQColor(textColor_);
    InTextFrame(x, y, [&] {
        painter_.scale(1.0, scale_ / 100.0);
        if (backgroundMode_ == BackgroundMode::Opaque)
            painter_.fillRect(QRectF(0, 0, column.width, column.length), ToQColor(backgroundColor_));
        if (hollow) {
            QPen outline(color, std::max(1.0, dpiY_ / 200.0));
            outline.setJoinStyle(Qt::RoundJoin);
            painter_.setPen(outline);
            painter_.setBrush(Qt::NoBrush);
            for (const QGlyphRun& run : column.runs) {
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                for (qsizetype i = 0; i < glyphs.size(); ++i)
                    painter_.drawPath(run.rawFont().pathForGlyph(glyphs[i]).translated(positions[i]));
            }
            return;
        }
        painter_.setPen(color);
        for (const QGlyphRun& run : column.runs) {
            painter_.drawGlyphRun(QPointF(0, 0), run);
            if (font.overstrike > 0) painter_.drawGlyphRun(QPointF(font.overstrike, 0), run);
        }
    });
}

// Widths are logical units. Width 0 is the thinnest line: cosmetic when solid, one device
// pixel wide otherwise, since a cosmetic dotted pen prints solid in a PDF.
QPen QPainterSurface::DevicePen() const {
    const bool solid = pen_.style == PenStyle::Solid;
    const double width = pen_.width == 0 ? (solid ? 0.0 : 1.0) : DeviceLength(pen_.width);
    QPen pen(QBrush(ToQColor(pen_.color)), width, ToQtStyle(pen_.style), solid ? Qt::RoundCap : Qt::FlatCap,
             Qt::RoundJoin);
    return pen;
}

// Kept from one fill to the next, so that a PDF stores the texture once.
const QImage& QPainterSurface::Texture() {
    if (texture_.isNull() || textureFor_.kind != brush_.kind || textureFor_.color != brush_.color) {
        const QColor color = ToQColor(brush_.color);
        texture_ = IsPatternBrush(brush_.kind) ? PatternTexture(brush_.kind, color, patternScale_)
                                               : HatchTexture(brush_.kind, color, patternScale_);
        textureFor_ = brush_;
    }
    return texture_;
}

// Hatches on white are textures on raster devices, where they fill several times faster than
// Qt's hatch brushes; a PDF keeps Qt's hatches, which print as lines.
QBrush QPainterSurface::DeviceBrush() {
    const QColor color = ToQColor(brush_.color);
    if (brush_.kind == BrushKind::None) return Qt::NoBrush;
    if (brush_.kind == BrushKind::Solid) return QBrush(color);
    if (IsPatternBrush(brush_.kind) || (raster_ && backgroundMode_ == BackgroundMode::Opaque)) return QBrush(Texture());
    QBrush hatch(color, HatchStyle(brush_.kind));
    hatch.setTransform(QTransform::fromScale(patternScale_, patternScale_));
    return hatch;
}

// The gaps of a hatch drawn as lines (not as a texture) on an opaque background are filled
// white first, as Qt would; Qt's own pass would first write into a PDF a hatch it never uses.
// Returns the brush that fills the shape.
template <typename Draw>
QBrush QPainterSurface::UnderHatch(const Draw& draw) {
    const QBrush brush = DeviceBrush();
    if (backgroundMode_ == BackgroundMode::Opaque && brush.style() == HatchStyle(brush_.kind)) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(Qt::white);
        draw();
    }
    return brush;
}

// Filling and outlining are separate passes, because an opaque background fills the gaps of
// hatches with white but the gaps of a styled pen with the background colour.
template <typename Draw>
void QPainterSurface::Fill(const Draw& draw) {
    if (brush_.kind == BrushKind::None) return;
    const QBrush brush = UnderHatch(draw);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(brush);
    draw();
    LetGoOfBrush();
}

template <typename Draw>
void QPainterSurface::Outline(const Draw& draw) {
    if (pen_.style == PenStyle::None) return;
    painter_.setPen(DevicePen());
    painter_.setBrush(Qt::NoBrush);
    if (backgroundMode_ == BackgroundMode::Opaque) {
        painter_.setBackgroundMode(Qt::OpaqueMode);
        painter_.setBackground(ToQColor(backgroundColor_));
    }
    draw();
    painter_.setBackgroundMode(Qt::TransparentMode);
}

// A solid outline has no gaps, so a vector device fills and strokes in one operation, which
// writes the shape once rather than twice.
template <typename Draw>
void QPainterSurface::Shape(const Draw& draw) {
    if (raster_ || brush_.kind == BrushKind::None || pen_.style != PenStyle::Solid) {
        Fill(draw);
        Outline(draw);
        return;
    }
    const QBrush brush = UnderHatch(draw);
    painter_.setPen(DevicePen());
    painter_.setBrush(brush);
    draw();
    LetGoOfBrush();
}

// A PDF writes the painter's brush again whenever the pen, transform or hints change and with
// every image and text, and a pattern brush as a new pattern each time.
void QPainterSurface::LetGoOfBrush() { painter_.setBrush(Qt::NoBrush); }

void QPainterSurface::DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const QRectF rect = MapRect(left, top, right, bottom);
    Shape([&] { painter_.drawRect(rect); });
}

void QPainterSurface::DrawRoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                                    std::int32_t cornerWidth, std::int32_t cornerHeight) {
    const QRectF rect = MapRect(left, top, right, bottom);
    const double rx = DeviceLength(cornerWidth) / 2.0;
    const double ry = std::abs(cornerHeight) * static_cast<double>(dpiY_) / 200.0;
    Shape([&] { painter_.drawRoundedRect(rect, rx, ry); });
}

void QPainterSurface::DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const QRectF rect = MapRect(left, top, right, bottom);
    Shape([&] { painter_.drawEllipse(rect); });
}

void QPainterSurface::DrawPolygon(const std::vector<LogicalPoint>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const LogicalPoint& point : points) polygon << Map(point.x, point.y);
    Shape([&] { painter_.drawPolygon(polygon, Qt::OddEvenFill); });
}

// The thinnest line along a row or column of pixels (a cut line, say) is drawn through the
// pixel centres without antialiasing, so that it is one crisp pixel wherever it lies rather than
// two grey ones on a pixel boundary. A PDF keeps the exact hairline.
void QPainterSurface::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    QPointF from = Map(x1, y1), to = Map(x2, y2);
    const bool crisp = raster_ && pen_.width == 0 && (from.x() == to.x() || from.y() == to.y());
    if (!crisp) {
        Outline([&] { painter_.drawLine(from, to); });
        return;
    }
    const auto centre = [](QPointF point) { return QPointF(std::floor(point.x()) + 0.5, std::floor(point.y()) + 0.5); };
    from = centre(from);
    to = centre(to);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    Outline([&] { painter_.drawLine(from, to); });
    painter_.setRenderHint(QPainter::Antialiasing);
}

void QPainterSurface::DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                const Pixels& pixels, std::string_view source) {
    if (width <= 0 || height <= 0 || pixels.width <= 0 || pixels.height <= 0 ||
        pixels.argb.size() < static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height))
        return;
    const QImage& image = images_.Get(pixels, source);
    const QRectF target(origin_ + QPointF(x, y), QSizeF(width, height));
    // A PDF stores the image as it is, whatever the hint; changing hints there rewrites the brush.
    if (!raster_) {
        painter_.drawImage(target, image);
        return;
    }
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(target, image);
    painter_.restore();
}

// Module edges are rounded to whole pixels on raster devices, so that modules tile without
// seams and stay sharp for a scanner; a PDF gets exact rectangles, sharp at any zoom.
void QPainterSurface::DrawQrCode(std::int32_t left, std::int32_t top, std::int32_t size, const QrSymbol& symbol,
                                 std::string_view /*text*/) {
    if (size <= 0 || symbol.modules <= 0) return;
    const QRectF square = MapRect(left, top, Clamp32(std::int64_t{left} + size), Clamp32(std::int64_t{top} - size));
    const double module = square.width() / (symbol.modules + 2 * kQrQuietModules);
    const auto edge = [&](double from, std::int32_t modules) {
        const double at = from + (kQrQuietModules + modules) * module;
        return raster_ ? std::round(at) : at;
    };
    QPainterPath dark;
    for (std::int32_t row = 0; row < symbol.modules; ++row) {
        for (std::int32_t column = 0; column < symbol.modules;) {
            if (!symbol.Dark(column, row)) {
                ++column;
                continue;
            }
            std::int32_t end = column;
            while (end < symbol.modules && symbol.Dark(end, row)) ++end;
            const double x0 = edge(square.left(), column), x1 = edge(square.left(), end);
            const double y0 = edge(square.top(), row), y1 = edge(square.top(), row + 1);
            dark.addRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
            column = end;
        }
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, !raster_);
    painter_.fillRect(square, Qt::white);
    dark.setFillRule(Qt::WindingFill);
    painter_.fillPath(dark, ToQColor(textColor_));
    painter_.restore();
}
