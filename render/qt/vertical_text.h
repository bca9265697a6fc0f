#pragma once

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

#include <memory>

#include "render/qt/device_font.h"

struct hb_face_t;
struct hb_font_t;

// Columns of text set top to bottom, shaped with HarfBuzz in the vertical direction so that
// the font's vertical forms (vert, vrt2) replace the long vowel mark, brackets and small kana.
// Two half-width digits standing alone are set side by side across the column (縦中横). A
// character the font lacks is set from the face horizontal text would take it from.
class VerticalLayouts {
public:
    struct Layout {
        QList<QGlyphRun> runs;  // baseline positions from the column's top-left corner, device pixels
        double width = 0;       // across the column: the em
        double length = 0;      // down the column
    };

    VerticalLayouts();
    ~VerticalLayouts();
    VerticalLayouts(const VerticalLayouts&) = delete;
    VerticalLayouts& operator=(const VerticalLayouts&) = delete;

    const Layout& Get(const QString& text, const DeviceFont& font);

private:
    struct Shaper;
    Shaper& ShaperFor(const DeviceFont& font);
    Layout Make(const QString& text, Shaper& shaper) const;

    QHash<QString, std::shared_ptr<Shaper>> shapers_;  // by font
    QHash<QString, Layout> layouts_;                   // by font and text
};
