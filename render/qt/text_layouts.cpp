#include "render/qt/text_layouts.h"

#include <QFont>
#include <QTextLayout>

namespace {

// Far more texts than a sheet shows; a print job of thousands of names starts afresh now and then.
constexpr qsizetype kMaxLayouts = 1024;

}  // namespace

const TextLayouts::Layout& TextLayouts::Get(const QString& text, const QFont& font, const QString& fontKey) {
    const QString key = fontKey + QChar(0x1F) + text;
    if (const auto found = layouts_.constFind(key); found != layouts_.constEnd()) return *found;

    QTextLayout textLayout(text, font);
    // Without the cache, endLayout() drops the shaped glyphs and glyphRuns() shapes the line again.
    textLayout.setCacheEnabled(true);
    textLayout.beginLayout();
    QTextLine line = textLayout.createLine();
    if (line.isValid()) line.setPosition(QPointF(0, 0));
    textLayout.endLayout();
    Layout layout;
    if (line.isValid()) {
        layout.runs = textLayout.glyphRuns();
        layout.advance = line.horizontalAdvance();
    }
    if (layouts_.size() >= kMaxLayouts) layouts_.clear();
    return *layouts_.insert(key, std::move(layout));
}
