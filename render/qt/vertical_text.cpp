#include "render/qt/vertical_text.h"

#include <hb-ot.h>
#include <hb.h>

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
    explicit Shaper(const QFont& font) : raw(QRawFont::fromFont(font)) {
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

    QRawFont raw;
    hb_face_t* face = nullptr;
    hb_font_t* hbFont = nullptr;
    int upem = 1000;
};

VerticalLayouts::VerticalLayouts() = default;
VerticalLayouts::~VerticalLayouts() = default;

VerticalLayouts::Shaper& VerticalLayouts::ShaperFor(const DeviceFont& font) {
    if (auto found = shapers_.constFind(font.key); found != shapers_.constEnd()) return **found;
    if (shapers_.size() >= kMaxLayouts) shapers_.clear();
    return **shapers_.insert(font.key, std::make_shared<Shaper>(font.font));
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
    const double unit = em / shaper.upem;  // device pixels per font unit
    layout.width = em;
    if (!shaper.raw.isValid()) return layout;
    std::array<hb_feature_t, 2> features{};
    hb_feature_from_string("vert", -1, &features[0]);
    hb_feature_from_string("vrt2", -1, &features[1]);
    // The baseline of a horizontal digit pair, centring the font's ascent and descent in the em.
    const double pairBaseline = (em + shaper.raw.ascent() - shaper.raw.descent()) / 2.0;

    double pen = 0;  // down the column, device pixels
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const auto shape = [&](qsizetype from, qsizetype count, bool across) {
        hb_buffer_t* buffer = hb_buffer_create();
        hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.utf16()), static_cast<int>(text.size()),
                            static_cast<unsigned int>(from), static_cast<int>(count));
        hb_buffer_set_direction(buffer, across ? HB_DIRECTION_LTR : HB_DIRECTION_TTB);
        hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(shaper.hbFont, buffer, across ? nullptr : features.data(), across ? 0 : static_cast<unsigned int>(features.size()));
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
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!StartsDigitPair(text, static_cast<std::size_t>(at), IsHalfWidthDigit)) continue;
        if (at > start) shape(start, at - start, false);
        shape(at, 2, true);
        start = at + 2;
        ++at;
    }
    if (start < text.size()) shape(start, text.size() - start, false);

    QGlyphRun run;
    run.setRawFont(shaper.raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    layout.runs.append(run);
    layout.length = pen;
    return layout;
}
