#include "render/qt/text_layouts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTextLayout>

namespace {

// Far more texts than a sheet shows; a print job of thousands of names starts afresh now and then.
constexpr qsizetype kMaxLayouts = 1024;
// More fonts than a sheet of tags uses.
constexpr qsizetype kMaxFonts = 64;

// A line holding a glyph from a fallback face takes that face's ascent, and its baseline moves
// down by the difference: the line is set back on the baseline of its own face, so that a rare
// character in a name leaves the name, and the honorific beside it, where they stand.
void OnBaselineOf(const QFont& font, double lineAscent, QList<QGlyphRun>& runs) {
    const double shift = QFontMetricsF(font).ascent() - lineAscent;
    if (shift == 0) return;
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) position.ry() += shift;
        run.setPositions(positions);
    }
}

}  // namespace

const TextLayouts::Layout& TextLayouts::Get(const QString& text, const QFont& font, const QString& fontKey) {
    const QString key = fontKey + QChar(0x1F) + text;
    if (const auto found = layouts_.constFind(key); found != layouts_.constEnd()) return *found;
    if (layouts_.size() >= kMaxLayouts) layouts_.clear();

    auto plain = plain_.find(fontKey);
    if (plain == plain_.end()) {
        if (plain_.size() >= kMaxFonts) plain_.clear();
        plain = plain_.insert(fontKey, std::make_shared<PlainRuns>(font));
    }
    Layout layout;
    QGlyphRun run;
    if ((*plain)->Lay(text, run, layout.advance)) {
        layout.runs.append(run);
        return *layouts_.insert(key, std::move(layout));
    }

    QTextLayout textLayout(text, font);
    // Without the cache, endLayout() drops the shaped glyphs and glyphRuns() shapes the line again.
    textLayout.setCacheEnabled(true);
    textLayout.beginLayout();
    QTextLine line = textLayout.createLine();
    if (line.isValid()) line.setPosition(QPointF(0, 0));
    textLayout.endLayout();
    if (line.isValid()) {
        layout.runs = textLayout.glyphRuns();
        layout.advance = line.horizontalAdvance();
        OnBaselineOf(font, line.ascent(), layout.runs);
    }
    return *layouts_.insert(key, std::move(layout));
}
