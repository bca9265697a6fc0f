#include "render/qt/text_stamps.h"

#include <QColor>
#include <QPainter>

namespace {

// Far more than a sheet of tags needs; a view that keeps drawing new texts starts afresh.
constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
// Anti-aliased edges may reach a pixel beyond the measured ink.
constexpr int kMargin = 2;

}  // namespace

const TextStamps::Stamp& TextStamps::Get(const QString& text, const TextLayouts::Layout& layout,
                                         const DeviceFont& font, const QColor& color) {
    const QChar separator(0x1F);
    const QString shapeKey = font.key + separator + text;
    const QString key = QString::number(color.rgba(), 16) + separator + shapeKey;
    if (const auto found = stamps_.constFind(key); found != stamps_.constEnd()) return *found;

    if (bytes_ > kMaxBytes) {
        stamps_.clear();
        shapes_.clear();
        bytes_ = 0;
    }
    // A text already rendered in another colour (a shadow, say) only needs recolouring.
    Stamp stamp;
    if (const auto shape = shapes_.constFind(shapeKey); shape != shapes_.constEnd()) {
        stamp = *shape;
        stamp.image.detach();
        QPainter painter(&stamp.image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(stamp.image.rect(), color);
    } else {
        stamp = Render(layout, font, color);
        shapes_.insert(shapeKey, stamp);
    }
    bytes_ += stamp.image.sizeInBytes();
    return *stamps_.insert(key, std::move(stamp));
}

TextStamps::Stamp TextStamps::Render(const TextLayouts::Layout& layout, const DeviceFont& font, const QColor& color) {
    // The ink, and the cell too, where underlines and strike-outs lie.
    QRectF area(0, 0, layout.advance, font.cellHeight);
    for (const QGlyphRun& run : layout.runs) area |= run.boundingRect();
    const QRect box = area.adjusted(-kMargin, -kMargin, kMargin + font.overstrike, kMargin).toAlignedRect();

    Stamp stamp;
    stamp.offset = box.topLeft();
    stamp.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    stamp.image.fill(Qt::transparent);
    QPainter painter(&stamp.image);
    painter.setPen(color);
    for (const QGlyphRun& run : layout.runs) {
        painter.drawGlyphRun(-box.topLeft(), run);
        if (font.overstrike > 0) painter.drawGlyphRun(QPointF(font.overstrike, 0) - box.topLeft(), run);
    }
    return stamp;
}
