#include "render/qt/plain_runs.h"

#include <hb-ot.h>
#include <hb.h>

#include <QFont>

#include <array>

#include "render/qt/raw_font_face.h"

namespace {

// The features HarfBuzz applies to left-to-right horizontal text unasked (and 'rvrn', applied
// to every variable font).
constexpr std::array<hb_tag_t, 18> kDefaultFeatures = {
    HB_TAG('a', 'b', 'v', 'm'), HB_TAG('b', 'l', 'w', 'm'), HB_TAG('c', 'c', 'm', 'p'), HB_TAG('l', 'o', 'c', 'l'),
    HB_TAG('m', 'a', 'r', 'k'), HB_TAG('m', 'k', 'm', 'k'), HB_TAG('r', 'l', 'i', 'g'), HB_TAG('c', 'a', 'l', 't'),
    HB_TAG('c', 'l', 'i', 'g'), HB_TAG('c', 'u', 'r', 's'), HB_TAG('d', 'i', 's', 't'), HB_TAG('k', 'e', 'r', 'n'),
    HB_TAG('l', 'i', 'g', 'a'), HB_TAG('r', 'c', 'l', 't'), HB_TAG('r', 'v', 'r', 'n'), HB_TAG('l', 't', 'r', 'a'),
    HB_TAG('l', 't', 'r', 'm'), HB_TAG_NONE};

// Characters of scripts and symbols that are set one glyph per character, left to right, with
// no marks to place and no breaks, joiners, controls or spaces Qt treats specially: Latin,
// punctuation, currency, arrows, enclosed numbers, shapes, CJK punctuation, kana without the
// combining sound marks, CJK ideographs, and full- and half-width forms.
struct Range {
    char16_t first, last;
};
constexpr std::array<Range, 18> kPlainRanges = {{{0x21, 0x7E},     {0xA1, 0xAC},     {0xAE, 0xFF},
                                                 {0x2010, 0x2027}, {0x2030, 0x203E}, {0x20A0, 0x20BF},
                                                 {0x2190, 0x21FF}, {0x2460, 0x24FF}, {0x25A0, 0x25FF},
                                                 {0x3001, 0x3029}, {0x3030, 0x303F}, {0x3041, 0x3096},
                                                 {0x309B, 0x30FF}, {0x31F0, 0x31FF}, {0x3400, 0x4DBF},
                                                 {0x4E00, 0x9FFF}, {0xF900, 0xFAFF}, {0xFF01, 0xFFEF}}};

bool NeedsNoShaping(char16_t c) {
    for (const Range& range : kPlainRanges)
        if (c >= range.first && c <= range.last) return true;
    return false;
}

// A space between words qualifies; leading and trailing spaces Qt leaves out of a line's width.
bool IsInnerSpace(const QString& text, qsizetype at) {
    const char16_t c = text.at(at).unicode();
    return (c == 0x20 || c == 0x3000) && at > 0 && at + 1 < text.size();
}

// Longer texts go to Qt's shaper: every run of glyphs is tried against the substitutions, which
// takes time growing with the square of the length.
constexpr qsizetype kMaxLength = 32;

// The lookups of a layout table that the default features use, in any script and language.
std::vector<unsigned int> DefaultLookups(hb_face_t* face, hb_tag_t table) {
    hb_set_t* lookups = hb_set_create();
    hb_ot_layout_collect_lookups(face, table, nullptr, nullptr, kDefaultFeatures.data(), lookups);
    std::vector<unsigned int> found;
    for (hb_codepoint_t lookup = HB_SET_VALUE_INVALID; hb_set_next(lookups, &lookup);) found.push_back(lookup);
    hb_set_destroy(lookups);
    return found;
}

hb_set_t* InputGlyphs(hb_face_t* face, hb_tag_t table, unsigned int lookup) {
    hb_set_t* input = hb_set_create();
    hb_ot_layout_lookup_collect_glyphs(face, table, lookup, nullptr, input, nullptr, nullptr);
    return input;
}

}  // namespace

PlainRuns::PlainRuns(const QFont& font) : raw_(QRawFont::fromFont(font)) {
    // Decorations, spacing and case changes are Qt's work in a layout; AAT tables and an old
    // 'kern' table are the shaper's, outside the lookups looked at here.
    usable_ = raw_.isValid() && !font.underline() && !font.overline() && !font.strikeOut() &&
              font.letterSpacing() == 0 && font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase &&
              raw_.fontTable("morx").isEmpty() && raw_.fontTable("kern").isEmpty();
    if (!usable_) return;
    face_ = FaceOfRawFont(raw_);
    for (const unsigned int lookup : DefaultLookups(face_, HB_OT_TAG_GSUB))
        substitutions_.emplace_back(lookup, InputGlyphs(face_, HB_OT_TAG_GSUB, lookup));
    for (const unsigned int lookup : DefaultLookups(face_, HB_OT_TAG_GPOS)) {
        hb_set_t* input = InputGlyphs(face_, HB_OT_TAG_GPOS, lookup);
        for (hb_codepoint_t glyph = HB_SET_VALUE_INVALID; hb_set_next(input, &glyph);) positioned_.insert(glyph);
        hb_set_destroy(input);
    }
}

PlainRuns::~PlainRuns() {
    for (const auto& lookup : substitutions_) hb_set_destroy(lookup.second);
    if (face_ != nullptr) hb_face_destroy(face_);
}

// Whether a default substitution would replace some run of the text's glyphs. Lookups that
// look before or after a run are taken to match whatever surrounds it.
bool PlainRuns::Substituted() const {
    const auto count = static_cast<unsigned int>(glyphs_.size());
    for (const auto& [lookup, input] : substitutions_)
        for (unsigned int from = 0; from < count; ++from) {
            if (!hb_set_has(input, glyphs_[from])) continue;
            for (unsigned int length = 1; from + length <= count; ++length)
                if (hb_ot_layout_lookup_would_substitute(face_, lookup, glyphs_.constData() + from, length, false))
                    return true;
        }
    return false;
}

bool PlainRuns::Lay(const QString& text, QGlyphRun& run, double& advance) {
    if (!usable_ || text.isEmpty() || text.size() > kMaxLength) return false;
    for (qsizetype at = 0; at < text.size(); ++at)
        if (!NeedsNoShaping(text.at(at).unicode()) && !IsInnerSpace(text, at)) return false;
    glyphs_ = raw_.glyphIndexesForString(text);
    if (glyphs_.size() != text.size()) return false;
    for (const quint32 glyph : glyphs_)
        if (glyph == 0 || positioned_.contains(glyph)) return false;
    if (Substituted()) return false;

    QList<QPointF> positions;
    positions.reserve(glyphs_.size());
    const double baseline = raw_.ascent();
    double x = 0;
    for (const quint32 glyph : glyphs_) {
        auto found = advances_.constFind(glyph);
        if (found == advances_.constEnd()) {
            const QList<QPointF> one = raw_.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
            found = advances_.insert(glyph, one.isEmpty() ? 0.0 : one.first().x());
        }
        positions.append(QPointF(x, baseline));
        x += *found;
    }
    run = QGlyphRun();
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(positions);
    // The line's box, as Qt's layout gives it; without one, a run measures the ink of each glyph.
    run.setBoundingRect(QRectF(0, 0, x, raw_.ascent() + raw_.descent()));
    advance = x;
    return true;
}
