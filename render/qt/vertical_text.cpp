#include "render/qt/vertical_text.h"

#include <hb-ot.h>
#include <hb.h>

#include <QTextLayout>

#include "render/qt/raw_font_face.h"
#include "render/vertical_cells.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

// More than a sheet of tags sets vertically; past it the layouts are made afresh.
constexpr qsizetype kMaxLayouts = 256;

bool IsHalfWidthDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

struct VerticalLayouts::Shaper {
    Shaper(const QFont& ofFont, const QRawFont& rawFont) : font(ofFont), raw(rawFont) {
        face = FaceOfRawFont(raw);
        hbFont = hb_font_create(face);
        upem = static_cast<int>(hb_face_get_upem(face));
        hb_font_set_scale(hbFont, upem, upem);
    }
    ~Shaper() {
        hb_font_destroy(hbFont);
        hb_face_destroy(face);
    }
    Shaper(const Shaper&) = delete;
    Shaper& operator=(const Shaper&) = delete;

    // The shaper of the face that draws the character: this one's, or the fallback face Qt's
    // layout of horizontal text takes it from; this one's when none has it (a box, as before).
    Shaper& For(char32_t code) {
        if (raw.supportsCharacter(code)) return *this;
        if (const auto known = byCharacter.constFind(code); known != byCharacter.constEnd()) return **known;
        Shaper* found = this;
        QTextLayout line(QString::fromUcs4(&code, 1), font);
        line.beginLayout();
        line.createLine();
        line.endLayout();
        const QList<QGlyphRun> runs = line.glyphRuns();
        if (!runs.isEmpty() && runs.front().rawFont().isValid() && runs.front().rawFont().supportsCharacter(code)) {
            const QRawFont fallback = runs.front().rawFont();
            const QString key = fallback.familyName() + QChar(0x1F) + fallback.styleName();
            auto made = fallbacks.find(key);
            if (made == fallbacks.end()) made = fallbacks.insert(key, std::make_shared<Shaper>(font, fallback));
            found = made->get();
        }
        byCharacter.insert(code, found);
        return *found;
    }

    QFont font;
    QRawFont raw;
    hb_face_t* face = nullptr;
    hb_font_t* hbFont = nullptr;
    int upem = 1000;
    QHash<QString, std::shared_ptr<Shaper>> fallbacks;  // by family and style
    QHash<char32_t, Shaper*> byCharacter;
};

VerticalLayouts::VerticalLayouts() = default;
VerticalLayouts::~VerticalLayouts() = default;

VerticalLayouts::Shaper& VerticalLayouts::ShaperFor(const DeviceFont& font) {
    if (auto found = shapers_.constFind(font.key); found != shapers_.constEnd()) return **found;
    if (shapers_.size() >= kMaxLayouts) shapers_.clear();
    return **shapers_.insert(font.key, std::make_shared<Shaper>(font.font, QRawFont::fromFont(font.font)));
}

const VerticalLayouts::Layout& VerticalLayouts::Get(const QString& text, const DeviceFont& font) {
    const QString key = font.key + QChar(0x1F) + text;
    if (const auto found = layouts_.constFind(key); found != layouts_.constEnd()) return *found;
    Shaper& shaper = ShaperFor(font);
    if (layouts_.size() >= kMaxLayouts) layouts_.clear();
    return *layouts_.insert(key, Make(text, shaper));
}

VerticalLayouts::Layout VerticalLayouts::Make(const QString& text, Shaper& shaper) const {
    Layout layout;
    const double em = shaper.raw.pixelSize();
    layout.width = em;
    if (!shaper.raw.isValid()) return layout;
    std::array<hb_feature_t, 2> features{};
    hb_feature_from_string("vert", -1, &features[0]);
    hb_feature_from_string("vrt2", -1, &features[1]);
    // The baseline of a horizontal digit pair, centring the font's ascent and descent in the em.
    const double pairBaseline = (em + shaper.raw.ascent() - shaper.raw.descent()) / 2.0;

    double pen = 0;  // down the column, device pixels
    // The glyphs of each face in turn, one run for each stretch of text a face draws.
    struct Piece {
        const Shaper* face;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Piece> pieces;
    const auto shape = [&](qsizetype from, qsizetype count, bool across, const Shaper& face) {
        if (pieces.empty() || pieces.back().face != &face) pieces.push_back({&face, {}, {}});
        QList<quint32>& glyphs = pieces.back().glyphs;
        QList<QPointF>& positions = pieces.back().positions;
        const double unit = em / face.upem;  // device pixels per font unit
        hb_buffer_t* buffer = hb_buffer_create();
        hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.utf16()), static_cast<int>(text.size()),
                            static_cast<unsigned int>(from), static_cast<int>(count));
        hb_buffer_set_direction(buffer, across ? HB_DIRECTION_LTR : HB_DIRECTION_TTB);
        hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(face.hbFont, buffer, across ? nullptr : features.data(), across ? 0 : static_cast<unsigned int>(features.size()));
        unsigned int length = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &length);
        const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, &length);
        double acrossWidth = 0;
        for (unsigned int i = 0; i < length; ++i) acrossWidth += position[i].x_advance * unit;
        double x = (em - acrossWidth) / 2.0;
        for (unsigned int i = 0; i < length; ++i) {
            glyphs.append(info[i].codepoint);
            if (across) {
                // Offsets are y-up; the column's pixels are y-down.
                positions.append(QPointF(x + position[i].x_offset * unit, pen + pairBaseline - position[i].y_offset * unit));
                x += position[i].x_advance * unit;
            } else {
                // Offsets lead from the column's centre line to the glyph's horizontal origin.
                positions.append(QPointF(em / 2.0 + position[i].x_offset * unit, pen - position[i].y_offset * unit));
                pen -= position[i].y_advance * unit;
            }
        }
        if (across) pen += em;
        hb_buffer_destroy(buffer);
    };
    // A stretch set down the column, split where the face that draws it changes; a variation
    // selector stays with its character.
    const auto shapeDown = [&](qsizetype from, qsizetype end) {
        qsizetype start = from;
        const Shaper* face = nullptr;
        for (qsizetype at = from; at < end;) {
            const qsizetype next = at + (text.at(at).isHighSurrogate() && at + 1 < end ? 2 : 1);
            const char32_t code = text.mid(at, next - at).toUcs4().value(0);
            const bool selector = (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF);
            const Shaper* drawing = face != nullptr && selector ? face : &shaper.For(code);
            if (face != nullptr && drawing != face) {
                shape(start, at - start, false, *face);
                start = at;
            }
            face = drawing;
            at = next;
        }
        if (face != nullptr) shape(start, end - start, false, *face);
    };
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!StartsDigitPair(text, static_cast<std::size_t>(at), IsHalfWidthDigit)) continue;
        shapeDown(start, at);
        shape(at, 2, true, shaper);
        start = at + 2;
        ++at;
    }
    shapeDown(start, text.size());

    for (const Piece& piece : pieces) {
        QGlyphRun run;
        run.setRawFont(piece.face->raw);
        run.setGlyphIndexes(piece.glyphs);
        run.setPositions(piece.positions);
        layout.runs.append(run);
    }
    layout.length = pen;
    return layout;
}
