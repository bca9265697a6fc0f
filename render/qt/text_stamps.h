#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>

#include "render/qt/device_font.h"
#include "render/qt/text_layouts.h"

class QColor;

// Text for raster devices, rendered once and then stamped. Qt keeps glyph images only up to 64
// pixels, so at printer resolutions every copy of shadowed and 3D text, and every text that
// recurs on the tags of a sheet, would be rendered from the glyph outlines anew.
class TextStamps {
public:
    struct Stamp {
        QImage image;   // the text in its colour on transparency
        QPoint offset;  // of the image's top-left corner from the text cell's top-left corner
    };

    const Stamp& Get(const QString& text, const TextLayouts::Layout& layout, const DeviceFont& font,
                     const QColor& color);

private:
    static Stamp Render(const TextLayouts::Layout& layout, const DeviceFont& font, const QColor& color);

    QHash<QString, Stamp> stamps_;  // by colour, font and text
    QHash<QString, Stamp> shapes_;  // the first colour each text was rendered in, by font and text
    qint64 bytes_ = 0;
};
