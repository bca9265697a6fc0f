#pragma once

#include <QImage>
#include <QPointF>
#include <QString>

#include "render/qt/device_font.h"
#include "render/qt/device_images.h"
#include "render/qt/text_layouts.h"
#include "render/qt/text_stamps.h"
#include "render/qt/vertical_text.h"
#include "render/surface.h"

class QColor;
class QPainter;
class QPen;
class QBrush;

// Draws on any QPainter: a widget, a printer, a PDF or an image. Logical units are mapped to
// device pixels here (device = origin + (x·dpiX/100, −y·dpiY/100)) and the painter's own
// transform is left alone, so text is never drawn through a flipped transform.
class QPainterSurface : public Surface {
public:
    // origin: the device position of logical (0, 0), the top-left corner of the printable area
    // (for a scrolled widget, minus the scroll offset). The painter's state is restored when the
    // surface goes away.
    QPainterSurface(QPainter& painter, std::int32_t dpiX, std::int32_t dpiY, QPointF origin, bool printing);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    // The painter's world transform is set so that the printer's error cancels out.
    void Calibrate(const PrinterCalibration& calibration) override;
    // A turn is part of the painter's world transform, inside the calibration.
    void TurnHalfAbout(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void TurnUpright() override;

    std::int32_t DpiX() const override { return dpiX_; }
    std::int32_t DpiY() const override { return dpiY_; }
    bool IsPrinting() const override { return printing_; }

    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    BackgroundMode GetBackgroundMode() const override { return backgroundMode_; }
    void SetBackgroundColor(ColorRef color) override { backgroundColor_ = color; }
    ColorRef GetBackgroundColor() const override { return backgroundColor_; }
    void SetTextColor(ColorRef color) override { textColor_ = color; }

    void SetFont(const LogFont& font) override;
    LogFont GetFont() const override { return logFont_; }
    TextMetrics GetTextMetrics() override;
    void SetTextScale(std::int32_t percent) override;
    std::int32_t GetTextScale() const override { return scale_; }
    TextExtent MeasureText(std::string_view text) override;
    void DrawText(std::int32_t x, std::int32_t y, std::string_view text) override;
    void DrawHollowText(std::int32_t x, std::int32_t y, std::string_view text) override;
    TextExtent MeasureVerticalText(std::string_view text) override;
    void DrawVerticalText(std::int32_t x, std::int32_t y, std::string_view text, bool hollow) override;

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
    QPointF Map(std::int32_t x, std::int32_t y) const;

    void SetWorldTransform();

    QTransform base_;  // the painter's transform before any calibration
    QTransform correction_;  // the calibration's
    QTransform turn_;        // a folded card's half turn, in device units
    QRectF MapRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const;
    double DeviceLength(std::int32_t logical) const;
    std::int32_t LogicalWidth(double devicePixels) const;
    std::int32_t LogicalHeight(double devicePixels) const;
    // draw() paints the shape with the painter's pen and brush.
    template <typename Draw>
    QBrush UnderHatch(const Draw& draw);
    template <typename Draw>
    void Fill(const Draw& draw);
    template <typename Draw>
    void Outline(const Draw& draw);
    template <typename Draw>
    void Shape(const Draw& draw);
    void LetGoOfBrush();
    QPen DevicePen() const;
    QBrush DeviceBrush();
    const QImage& Texture();
    // Runs paint() in a frame whose origin is the text's reference point at (x, y), turned by the
    // font's escapement.
    template <typename Paint>
    void InTextFrame(std::int32_t x, std::int32_t y, const Paint& paint);
    // Draws text on a vector device with its cell's top-left corner at a point of the painter's
    // current frame.
    void DrawGlyphs(QPointF at, const TextLayouts::Layout& layout, const QColor& color);

    QPainter& painter_;
    std::int32_t dpiX_, dpiY_;
    QPointF origin_;
    bool printing_;
    bool raster_;       // an image or a widget, rather than a PDF or a printer
    int patternScale_;  // device pixels per pattern pixel
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    ColorRef backgroundColor_ = 0xFFFFFF;
    ColorRef textColor_ = 0;
    LogFont logFont_;
    std::int32_t scale_ = 100;
    DeviceFonts fonts_;
    DeviceFont font_;
    TextLayouts layouts_;
    VerticalLayouts columns_;
    Pen pen_;
    Brush brush_{BrushKind::Solid, 0xFFFFFF};
    QImage texture_;
    Brush textureFor_;
    TextStamps stamps_;
    DeviceImages images_;
};
