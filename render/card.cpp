#include "render/card.h"

#include <algorithm>
#include <cstdlib>

#include "render/card_image.h"
#include "render/card_reading.h"
#include "render/cut_marks.h"
#include "render/decorative_lines.h"
#include "render/frames.h"
#include "render/item_placement.h"
#include "render/logical_math.h"
#include "render/qr_item.h"
#include "render/ruby.h"
#include "render/text_fit.h"
#include "render/vertical_item.h"
#include "render/wrapped_item.h"
#include "store/items.h"

namespace {

// A shadow further away than this (ten inches) is no longer a shadow of the text; the bound
// also keeps the number of 3D copies finite whatever the stored percentages are.
constexpr std::int64_t kMaxShadowOffset = 1000;

void DrawLines(Surface& surface, std::int32_t x, std::int32_t y, const CardValue& card) {
    for (const LineValue& line : card.lines) DrawCardLine(surface, x, y, line);
}

void RefreshLabelSize(ViewState& view) { view.label = LabelSize(*view.settings, view.slot); }

// Measures up to `attempts` times while the width comes out 0, as a text that measures empty
// cannot be placed; 0 attempts when it never measured.
TextExtent MeasureRepeatedly(Surface& surface, std::string_view text, int attempts, int& used) {
    TextExtent extent;
    for (used = 1; used <= attempts; ++used) {
        extent = surface.MeasureText(text);
        if (extent.width != 0) return extent;
    }
    used = 0;
    return extent;
}

// The width and height of text in the surface's current font, each −1 when it cannot be
// measured: the width within 20 attempts, the height within 10.
TextExtent Measured(Surface& surface, std::string_view text) {
    if (text.empty()) return {0, 0};
    int used = 0;
    const TextExtent extent = MeasureRepeatedly(surface, text, 20, used);
    return {used > 0 ? extent.width : -1, used > 0 && used <= 10 ? std::abs(extent.height) : -1};
}

std::int32_t ShadowOffset(std::int32_t metric, std::int32_t percent, std::int32_t divisor) {
    const std::int64_t offset = std::llabs(static_cast<std::int64_t>(metric) * percent / divisor);
    return static_cast<std::int32_t>(std::min(offset, kMaxShadowOffset));
}

// The honorific's font: the item's font in force, at its share of the height.
LogFont HonorificFont(const LogFont& font, const ItemValue& item) {
    return WithHeight(font, std::max<std::int32_t>(1, HeightOf(font) * item.honorificSize / 100));
}

// A quarter of the honorific's height stands between the name and it, as a hand-set tag has.
std::int32_t HonorificGap(const LogFont& font, const ItemValue& item) { return HeightOf(HonorificFont(font, item)) / 4; }

std::int32_t HonorificWidth(Surface& surface, const ItemValue& item) {
    if (item.honorific.empty() || item.typesetting.vertical) return 0;
    const LogFont font = surface.GetFont();
    surface.SetFont(HonorificFont(font, item));
    const std::int32_t width = surface.MeasureText(item.honorific).width;
    surface.SetFont(font);
    return std::max(width, 0) + HonorificGap(font, item);
}

// The honorific after the text whose cell's top-left corner is at (x, y), on the same baseline.
void DrawHonorific(Surface& surface, std::int32_t x, std::int32_t y, const ItemValue& item) {
    if (item.honorific.empty()) return;
    const LogFont font = surface.GetFont();
    const std::int32_t ascent = surface.GetTextMetrics().ascent;
    surface.SetFont(HonorificFont(font, item));
    surface.DrawText(Clamp32(std::int64_t{x} + HonorificGap(font, item)),
                     Clamp32(std::int64_t{y} - ascent + surface.GetTextMetrics().ascent), item.honorific);
    surface.SetFont(font);
}

// Draws one item of a card, the name with its ruby when given; false when it is not printed or
// has no text. Placing it leaves the label the items are placed in as the view's label.
bool DrawItem(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const CardValue& card,
              const ItemValue& item, const Ruby* rubyOfName) {
    if (!item.Draws()) return false;
    surface.BeginItem(item.name);
    const std::string& text = item.text;
    std::int32_t xpos = item.xpos;
    std::int32_t ypos = item.ypos;

    // A font stored empty leaves the surface's font in place, drawn in black.
    LogFont font = surface.GetFont();
    const LogFont previousFont = font;
    ColorRef color = 0;
    item.font.PutOver(font, color);
    const bool ownFont = item.font.set;
    const ItemTypesetting& typeset = item.typesetting;
    view.label = card.label;
    if (typeset.qr) {
        DrawQrItem(surface, x, y, item, card.label, color);
        return true;
    }
    if (ownFont) surface.SetFont(font);

    bool withRuby = false, fitted = false, wrapped = false;
    WrappedLines lines;
    if (typeset.vertical) {
        fitted = PlaceVerticalItem(surface, card.label, text, typeset, item.printPos, item.printVPos, xpos, ypos);
    } else {
        const std::int32_t ascent = surface.GetTextMetrics().ascent;
        const TextExtent measured = Measured(surface, text);
        std::int32_t width = measured.width;
        const std::int32_t height = measured.height;
        withRuby = rubyOfName != nullptr && SetsRuby(typeset);
        // A name and its ruby are fitted together. A fitted text keeps its baseline: its cell
        // moves down by what its ascent lost.
        const auto lineWidth = [&](Surface& s) {
            return (withRuby ? WidthWithRuby(s, text, *rubyOfName) : s.MeasureText(text).width) +
                   HonorificWidth(s, item);
        };
        const std::int32_t naturalWidth = typeset.fitWidth > 0 && width >= 0 ? lineWidth(surface) : 0;
        fitted = naturalWidth > typeset.fitWidth && typeset.fitWidth > 0;
        // A name with its ruby or its honorific stays one line: neither may be lost to a break.
        wrapped = fitted && !withRuby && item.honorific.empty() && WrapItem(surface, card.label, item, naturalWidth, xpos, ypos, lines);
        if (fitted && !wrapped) {
            FitOnSurface(surface, naturalWidth, typeset.fitWidth, typeset.fitMin, lineWidth);
            width = surface.MeasureText(text).width;
        }
        // The honorific stands on the line: the line is placed as a whole.
        if (width >= 0) width += HonorificWidth(surface, item);
        if (!wrapped) {
            xpos = typeset.fitWidth > 0 ? AlignedInBox(item.printPos, card.label.width, xpos, typeset.fitWidth, width)
                                        : AlignedX(item.printPos, card.label.width, xpos, width);
            ypos = AlignedY(item.printVPos, card.label.height, ypos, height);
            ypos = Clamp32(std::int64_t{ypos} + ascent - surface.GetTextMetrics().ascent);
        }
    }
    const TextMetrics metrics = surface.GetTextMetrics();
    // Every copy of a vertical item (shadow, 3D) is a column too.
    const auto draw = [&](std::int32_t atX, std::int32_t atY, bool hollow) {
        if (wrapped) {
            // The lower line first: the upper line's cell, filled on an opaque background, then
            // covers only the room above the lower line's glyphs, never the upper line's own.
            for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
                surface.SetFont(line->font);
                surface.SetTextScale(line->scale);
                const std::int32_t lineX = Clamp32(std::int64_t{atX} + line->dx);
                const std::int32_t lineY = Clamp32(std::int64_t{atY} - line->dy);
                if (hollow)
                    surface.DrawHollowText(lineX, lineY, line->text);
                else
                    surface.DrawText(lineX, lineY, line->text);
            }
        } else if (typeset.vertical)
            surface.DrawVerticalText(atX, atY, text, hollow);
        else if (hollow)
            surface.DrawHollowText(atX, atY, text);
        else
            surface.DrawText(atX, atY, text);
    };

    const ItemEffects& effects = item.effects;
    surface.SetTextColor(color);
    const std::int32_t px = Clamp32(std::int64_t{x} + xpos);
    const std::int32_t py = Clamp32(std::int64_t{y} - ypos);
    // The box colour belongs to this item alone: later items draw on the colour in force now.
    const BackgroundMode itemMode = surface.GetBackgroundMode();
    const ColorRef itemBackground = surface.GetBackgroundColor();
    if (effects.box) {
        surface.SetBackgroundColor(effects.boxColor);
        surface.SetBackgroundMode(BackgroundMode::Opaque);
    }
    if (effects.hollow) {
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        draw(px, py, true);
    } else {
        draw(px, py, false);
    }
    surface.SetBackgroundMode(itemMode);

    if (effects.shadow != 0) {
        const std::int32_t dx = ShadowOffset(metrics.averageCharWidth, effects.shadowX, 50);
        const std::int32_t dy = ShadowOffset(metrics.height, effects.shadowY, 100);
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.SetTextColor(effects.shadowColor);
        draw(Clamp32(std::int64_t{px} + dx), Clamp32(std::int64_t{py} - dy), false);
        if (effects.shadow == static_cast<std::int32_t>(ShadowStyle::ThreeD)) {
            // Copies one unit apart along the longer offset fill the space between shadow and text.
            const std::int32_t steps = std::max(dx, dy);
            for (std::int32_t k = steps; k >= 1; --k)
                draw(Clamp32(std::int64_t{px} + dx * k / steps), Clamp32(std::int64_t{py} - dy * k / steps), false);
        }
        surface.SetTextColor(color);
        draw(px, py, false);
    }
    if (withRuby) DrawRuby(surface, px, py, text, *rubyOfName);
    if (!typeset.vertical) DrawHonorific(surface, Clamp32(std::int64_t{px} + surface.MeasureText(text).width), py, item);

    surface.SetBackgroundMode(itemMode);
    surface.SetBackgroundColor(itemBackground);
    if (fitted) surface.SetTextScale(100);
    if (ownFont || fitted) surface.SetFont(previousFont);
    surface.SetTextColor(0);
    return true;
}

}  // namespace

std::int32_t MeasureTextWidth(ViewState& view, Surface& surface, std::string_view text) {
    if (text.empty()) return 0;
    RefreshLabelSize(view);
    return Measured(surface, text).width;
}

std::int32_t MeasureTextHeight(ViewState& view, Surface& surface, std::string_view text) {
    if (text.empty()) return 0;
    RefreshLabelSize(view);
    return Measured(surface, text).height;
}

void DrawCardValue(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const CardValue& card) {
    surface.BeginCard(card.section, x, y);
    if (!DecorationHidden(view, card.noDecorationWhileEditing)) {
        DrawFrame(surface, view.label, x, y, card.frame, true);
        DrawCardImage(view, surface, x, y, card.image);
        if (!card.frame.beforeImage) DrawFrame(surface, view.label, x, y, card.frame, false);
    }
    if (card.textOverDecoration) {
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        DrawLines(surface, x, y, card);
    }

    // A card without a printed name is not a tag: nothing more of it is drawn. A back is.
    if (card.items.empty()) return;
    const ItemValue& name = card.items.front();
    if (!DrawItem(view, surface, x, y, card, name, card.ruby ? &*card.ruby : nullptr) && !card.back) return;
    // A reading set as ruby over the name is not an item of its own.
    const bool readingAsRuby = SetsRuby(name.typesetting);
    for (std::size_t i = 1; i < card.items.size(); ++i) {
        const ItemValue& item = card.items[i];
        if (!(readingAsRuby && item.name == FixedItems()[3])) DrawItem(view, surface, x, y, card, item, nullptr);
    }

    if (card.textOverDecoration)
        surface.SetBackgroundMode(BackgroundMode::Opaque);
    else
        DrawLines(surface, x, y, card);
    DrawCutMarks(view, surface, x, y, view.label);
}

void ApplyPreview(const ItemPreview& preview, CardValue& card) {
    for (ItemValue& item : card.items) {
        if (item.name != preview.item) continue;
        item.xpos = preview.xpos;
        item.ypos = preview.ypos;
        item.printPos = preview.printPos;
        item.printVPos = preview.printVPos;
        if (preview.fontHeight != 0) item.font.font.lfHeight = preview.fontHeight;
    }
}

void DrawCard(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    CardValue card = ReadCard(view, view.CurrentSection);
    if (view.preview && view.preview->section == card.section) ApplyPreview(*view.preview, card);
    DrawCardValue(view, surface, x, y, card);
}
