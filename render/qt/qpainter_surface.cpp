#include "render/qt/qpainter_surface.h"

#include <QBrush>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/qt/fill_patterns.h"
#include "store/codec.h"
#include "store/cp932.h"

namespace {

// The resolution the program's patterns and hatches were made for: one pattern pixel is one
// pixel of a 96-dpi screen, on paper too, so that screen, preview and print look alike.
constexpr double kScreenDpi = 96.0;
// Cell height of a font stored with height 0.
constexpr std::int32_t kDefaultCellHeight = 16;

QColor ToQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

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

Qt::BrushStyle HatchStyle(BrushKind kind) {
    switch (kind) {
        case BrushKind::BDiagonal: return Qt::BDiagPattern;
        case BrushKind::Cross: return Qt::CrossPattern;
        case BrushKind::DiagCross: return Qt::DiagCrossPattern;
        case BrushKind::FDiagonal: return Qt::FDiagPattern;
        case BrushKind::Horizontal: return Qt::HorPattern;
        case BrushKind::Vertical: return Qt::VerPattern;
        default: return Qt::NoBrush;
    }
}

bool IsHatch(BrushKind kind) { return HatchStyle(kind) != Qt::NoBrush; }

QFont::Weight ToQtWeight(std::int32_t weight) {
    return weight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}

int RoundedPixels(double pixels) { return std::max(1, static_cast<int>(std::lround(pixels))); }

}  // namespace

QString StoredToQString(std::string_view stored) {
    std::string utf8;
    if (codec::Cp932ToUtf8(stored, utf8)) return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QString text;
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t length = cp932::CharLength(stored, pos);
        if (codec::Cp932ToUtf8(stored.substr(pos, length), utf8))
            text += QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        else
            text += QChar::ReplacementCharacter;
        pos += length;
    }
    return text;
}

QPainterSurface::QPainterSurface(QPainter& painter, std::int32_t dpiX, std::int32_t dpiY, QPointF origin,
                                 bool printing)
    : painter_(painter),
      dpiX_(dpiX),
      dpiY_(dpiY),
      origin_(origin),
      printing_(printing),
      patternScale_(std::max(1.0, std::round(dpiX / kScreenDpi))) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrushOrigin(origin_);
    SetFont(logFont_);
}

QPainterSurface::~QPainterSurface() { painter_.restore(); }

QPointF QPainterSurface::Map(std::int32_t x, std::int32_t y) const {
    return origin_ + QPointF(x * static_cast<double>(dpiX_) / 100.0, -y * static_cast<double>(dpiY_) / 100.0);
}

QRectF QPainterSurface::MapRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const {
    return QRectF(Map(left, top), Map(right, bottom)).normalized();
}

double QPainterSurface::DeviceLength(std::int32_t logical) const {
    return std::abs(logical) * static_cast<double>(dpiX_) / 100.0;
}

std::int32_t QPainterSurface::LogicalWidth(double devicePixels) const {
    return static_cast<std::int32_t>(std::lround(devicePixels * 100.0 / dpiX_));
}

std::int32_t QPainterSurface::LogicalHeight(double devicePixels) const {
    return static_cast<std::int32_t>(std::lround(devicePixels * 100.0 / dpiY_));
}

// Negative heights are em heights, positive ones cell heights (ascent + descent); a cell height
// is met by scaling the em size with the font's own ratio of cell to em.
void QPainterSurface::SetFont(const LogFont& font) {
    logFont_ = font;
    const std::string& face = font.lfFaceName.empty() ? DefaultFaceName() : font.lfFaceName;
    font_ = QFont(StoredToQString(face));
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setWeight(ToQtWeight(font.lfWeight));
    font_.setItalic(font.lfItalic != 0);
    font_.setUnderline(font.lfUnderline != 0);
    font_.setStrikeOut(font.lfStrikeOut != 0);

    const std::int32_t height = font.lfHeight == 0 ? kDefaultCellHeight : font.lfHeight;
    const double pixels = std::abs(height) * static_cast<double>(dpiY_) / 100.0;
    font_.setPixelSize(RoundedPixels(pixels));
    if (height > 0) {
        const double cell = QFontMetricsF(font_, painter_.device()).height();
        if (cell > 0) font_.setPixelSize(RoundedPixels(pixels * pixels / cell));
    }
    if (font.lfWidth != 0) {
        const double natural = QFontMetricsF(font_, painter_.device()).averageCharWidth();
        if (natural > 0)
            font_.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * DeviceLength(font.lfWidth) / natural)), 1, 4000));
    }
    const QFontMetricsF metrics(font_, painter_.device());
    overstrike_ = NeedsOverstrike(font.lfWeight) ? std::max(1.0, std::floor(font_.pixelSize() / 24.0)) : 0.0;
    ascent_ = metrics.ascent();
    cellHeight_ = metrics.height();
    averageCharWidth_ = metrics.averageCharWidth();
}

// Qt's raster engine makes no bold for fixed-pitch fonts without a bold face, such as the IPA
// fonts, while the PDF engine does; there the text is struck again a little to the right, as a
// bold stroke is about a 24th of the em thicker.
bool QPainterSurface::NeedsOverstrike(std::int32_t weight) const {
    if (weight < QFont::DemiBold || painter_.paintEngine() == nullptr ||
        painter_.paintEngine()->type() == QPaintEngine::Pdf)
        return false;
    const QFontInfo matched(font_);
    return matched.fixedPitch() && !matched.styleName().contains(QStringLiteral("Bold"), Qt::CaseInsensitive);
}

TextMetrics QPainterSurface::GetTextMetrics() { return {LogicalWidth(averageCharWidth_), LogicalHeight(cellHeight_)}; }

TextExtent QPainterSurface::MeasureText(std::string_view text) {
    const double width = QFontMetricsF(font_, painter_.device()).horizontalAdvance(StoredToQString(text));
    return {LogicalWidth(width), LogicalHeight(cellHeight_)};
}

template <typename Paint>
void QPainterSurface::InTextFrame(std::int32_t x, std::int32_t y, const Paint& paint) {
    painter_.save();
    painter_.translate(Map(x, y));
    if (logFont_.lfEscapement != 0) painter_.rotate(-logFont_.lfEscapement / 10.0);
    paint();
    painter_.restore();
}

void QPainterSurface::DrawText(std::int32_t x, std::int32_t y, std::string_view text) {
    const QString qtext = StoredToQString(text);
    InTextFrame(x, y, [&] {
        painter_.setFont(font_);
        if (backgroundMode_ == BackgroundMode::Opaque) {
            const double width = QFontMetricsF(font_, painter_.device()).horizontalAdvance(qtext);
            painter_.fillRect(QRectF(0, 0, width, cellHeight_), ToQColor(backgroundColor_));
        }
        painter_.setPen(ToQColor(textColor_));
        painter_.drawText(QPointF(0, ascent_), qtext);
        if (overstrike_ > 0) painter_.drawText(QPointF(overstrike_, ascent_), qtext);
    });
}

// The outline is half a logical unit wide: thin, yet visible on paper.
void QPainterSurface::DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) {
    QPainterPath path;
    path.addText(QPointF(0, ascent_), font_, StoredToQString(text));
    QPen outline(ToQColor(textColor_), std::max(1.0, dpiY_ / 200.0));
    outline.setJoinStyle(Qt::RoundJoin);
    InTextFrame(x, y, [&] {
        painter_.setPen(outline);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
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
        texture_ = PatternTexture(brush_.kind, ToQColor(brush_.color));
        textureFor_ = brush_;
    }
    return texture_;
}

QBrush QPainterSurface::DeviceBrush() {
    const QColor color = ToQColor(brush_.color);
    if (brush_.kind == BrushKind::None) return Qt::NoBrush;
    if (brush_.kind == BrushKind::Solid) return QBrush(color);
    QBrush brush = IsPatternBrush(brush_.kind) ? QBrush(Texture()) : QBrush(color, HatchStyle(brush_.kind));
    brush.setTransform(QTransform::fromScale(patternScale_, patternScale_));
    return brush;
}

// Filling and outlining are separate passes, because an opaque background fills the gaps of
// hatches with white but the gaps of a styled pen with the background colour.
template <typename Draw>
void QPainterSurface::Fill(const Draw& draw) {
    if (brush_.kind == BrushKind::None) return;
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(DeviceBrush());
    if (backgroundMode_ == BackgroundMode::Opaque && IsHatch(brush_.kind)) {
        painter_.setBackgroundMode(Qt::OpaqueMode);
        painter_.setBackground(Qt::white);
    }
    draw();
    painter_.setBackgroundMode(Qt::TransparentMode);
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

template <typename Draw>
void QPainterSurface::Shape(const Draw& draw) {
    Fill(draw);
    Outline(draw);
}

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

void QPainterSurface::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const QPointF from = Map(x1, y1), to = Map(x2, y2);
    Outline([&] { painter_.drawLine(from, to); });
}

const QImage& QPainterSurface::ImageOf(const Pixels& pixels, std::string_view source) {
    if (imageData_ == pixels.argb.data() && image_.width() == pixels.width && image_.height() == pixels.height &&
        imageSource_ == source)
        return image_;
    // The bitmap's alpha is ignored, as a copy of device-independent bits ignores it.
    image_ = QImage(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int row = 0; row < pixels.height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
        const std::uint32_t* from = pixels.argb.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(pixels.width);
        for (int column = 0; column < pixels.width; ++column) line[column] = from[column] | 0xFF000000u;
    }
    imageData_ = pixels.argb.data();
    imageSource_ = source;
    return image_;
}

void QPainterSurface::DrawImage(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                const Pixels& pixels, std::string_view source) {
    if (width <= 0 || height <= 0 || pixels.width <= 0 || pixels.height <= 0 ||
        pixels.argb.size() < static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height))
        return;
    const QImage& image = ImageOf(pixels, source);
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(QRectF(origin_ + QPointF(x, y), QSizeF(width, height)), image);
    painter_.restore();
}
