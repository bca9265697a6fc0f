#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>

#include <functional>

#include "render/qt/qpainter_surface.h"

// Drawing through the QPainter surface onto images, and looking at the pixels.

inline const QRgb kWhite = qRgb(255, 255, 255);

// A white image of the given size drawn on through a surface of the given resolution whose
// logical origin lies at `origin` device pixels.
inline QImage Draw(int width, int height, std::int32_t dpi, QPointF origin, const std::function<void(Surface&)>& draw,
            QRgb background = kWhite) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    {
        QPainterSurface surface(painter, dpi, dpi, origin, false);
        draw(surface);
    }
    painter.end();
    return image;
}

// The smallest rectangle holding every pixel that differs from the background.
inline QRect InkBounds(const QImage& image, QRgb background = kWhite) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A font of the default face with an em of `em` logical units.
inline LogFont EmFont(std::int32_t em, std::int32_t escapement = 0) {
    LogFont font;
    font.lfHeight = -em;
    font.lfEscapement = escapement;
    font.lfWeight = 400;
    font.lfFaceName = DefaultFaceName();
    return font;
}

