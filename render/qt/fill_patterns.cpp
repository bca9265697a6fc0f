#include "render/qt/fill_patterns.h"

#include <QBrush>
#include <QPainter>
#include <QTransform>

#include <array>
#include <cstdint>

namespace {

constexpr int kPatternWidth = 16;
constexpr int kPatternHeight = 15;
using PatternRows = std::array<std::uint16_t, kPatternHeight>;

// Rows from the top; the most significant bit is the leftmost pixel.
constexpr PatternRows kP75 = {0x8888, 0x2222, 0x8888, 0x2222, 0x8888, 0x2222, 0x8888, 0x2222,
                              0x8888, 0x2222, 0x8888, 0x2222, 0x8888, 0x2222, 0x8888};
constexpr PatternRows kP50 = {0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555,
                              0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
constexpr PatternRows kP25 = {0xFEFE, 0x5555, 0xBBBB, 0x5555, 0xEEEE, 0x5555, 0xBBBB, 0x5555,
                              0xFEFE, 0x5555, 0xBBBB, 0x5555, 0xEEEE, 0x5555, 0xBBBB};

const PatternRows& RowsOf(BrushKind kind) {
    switch (kind) {
        case BrushKind::Pattern75: return kP75;
        case BrushKind::Pattern25: return kP25;
        default: return kP50;
    }
}

}  // namespace

bool IsPatternBrush(BrushKind kind) {
    return kind == BrushKind::Pattern75 || kind == BrushKind::Pattern50 || kind == BrushKind::Pattern25;
}

QImage PatternTexture(BrushKind kind, const QColor& areaColor, int scale) {
    QImage texture(kPatternWidth, kPatternHeight, QImage::Format_RGB32);
    const QRgb area = areaColor.rgb();
    const QRgb white = qRgb(255, 255, 255);
    const PatternRows& rows = RowsOf(kind);
    for (int y = 0; y < kPatternHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
        for (int x = 0; x < kPatternWidth; ++x) line[x] = (rows[static_cast<std::size_t>(y)] >> (15 - x)) & 1 ? white : area;
    }
    return texture.scaled(kPatternWidth * scale, kPatternHeight * scale);
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

QImage HatchTexture(BrushKind kind, const QColor& areaColor, int scale) {
    constexpr int kHatchTile = 8;
    QImage texture(kHatchTile * scale, kHatchTile * scale, QImage::Format_RGB32);
    texture.fill(Qt::white);
    QBrush hatch(areaColor, HatchStyle(kind));
    hatch.setTransform(QTransform::fromScale(scale, scale));
    QPainter painter(&texture);
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    painter.fillRect(texture.rect(), hatch);
    return texture;
}
