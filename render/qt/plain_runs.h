#pragma once

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QSet>
#include <QString>

#include <utility>
#include <vector>

class QFont;

struct hb_face_t;
struct hb_set_t;

// Lines of text that shaping would leave alone, laid out from the font's glyph advances kept per
// glyph. At printer resolutions Qt's font engine keeps no glyph metrics, so laying out each new
// name loads every one of its glyphs from the font file again. A text qualifies when each of its
// characters needs no shaping and is in the font itself (no fallback font), no positioning
// lookup the shaper applies by default takes any of its glyphs as input and no such
// substitution lookup would replace any run of its glyphs; then the shaper would return the
// same glyphs and advances.
class PlainRuns {
public:
    explicit PlainRuns(const QFont& font);
    ~PlainRuns();
    PlainRuns(const PlainRuns&) = delete;
    PlainRuns& operator=(const PlainRuns&) = delete;

    // The text's glyphs from the line's top-left corner, baselines included, and its advance in
    // device pixels; false when the text needs the shaper.
    bool Lay(const QString& text, QGlyphRun& run, double& advance);

private:
    bool Substituted() const;

    QRawFont raw_;
    bool usable_ = false;
    hb_face_t* face_ = nullptr;
    std::vector<std::pair<unsigned int, hb_set_t*>> substitutions_;  // default lookups and their input glyphs
    QSet<quint32> positioned_;          // glyphs a default positioning lookup takes as input
    QHash<quint32, double> advances_;   // device pixels
    QList<quint32> glyphs_;             // of the text being laid out
};
