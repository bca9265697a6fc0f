#pragma once

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

#include "render/qt/plain_runs.h"

class QFont;

// Lines of text laid out once per font and text. Qt lays text out again at every draw and
// measure, and at printer resolutions (above 64 pixels) its font engine keeps no glyphs either,
// so each layout would load every glyph afresh.
class TextLayouts {
public:
    struct Layout {
        QList<QGlyphRun> runs;  // positions from the cell's top-left corner, baselines included
        double advance = 0;     // device pixels
    };

    const Layout& Get(const QString& text, const QFont& font, const QString& fontKey);

private:
    QHash<QString, Layout> layouts_;
    QHash<QString, std::shared_ptr<PlainRuns>> plain_;  // by font
};
