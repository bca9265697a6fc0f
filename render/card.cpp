#include "render/card.h"

#include <algorithm>
#include <cstdlib>

#include "render/card_image.h"
#include "render/decorative_lines.h"
#include "render/frames.h"
#include "render/item_keys.h"
#include "render/item_placement.h"
#include "render/logical_math.h"
#include "render/qr_item.h"
#include "render/ruby.h"
#include "render/sheet.h"
#include "render/text_fit.h"
#include "render/vertical_item.h"
#include "store/color_setting.h"
#include "store/font_setting.h"
#include "store/items.h"
#include "store/section_reader.h"
#include "store/typesetting.h"

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kShadowGrey = 0x808080;
// A shadow further away than this (ten inches) is no longer a shadow of the text; the bound
// also keeps the number of 3D copies finite whatever the stored percentages are.
constexpr std::int64_t kMaxShadowOffset = 1000;

// The fixed items in the order they are drawn: the name first, then its reading.
std::vector<std::string> DrawingOrder(const std::vector<std::string>& userItems) {
    const std::vector<std::string>& fixed = FixedItems();
    std::vector<std::string> order = {fixed[0], fixed[3], fixed[1], fixed[2], fixed[4], fixed[5], fixed[6], fixed[7]};
    order.insert(order.end(), userItems.begin(), userItems.end());
    return order;
}

void DrawLines(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const std::string& section) {
    for (const char* line : {"1", "2", "3"}) DrawDecorativeLine(view, surface, x, y, section, line);
}

void RefreshLabelSize(ViewState& view) { view.label = LabelSize(*view.settings, view.slot); }

// Measures up to `attempts` times while the width comes out 0, as a text that measures empty
// cannot be placed.
TextExtent MeasureRepeatedly(Surface& surface, std::string_view text, int attempts, bool& measured) {
    TextExtent extent;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        extent = surface.MeasureText(text);
        if (extent.width != 0) {
            measured = true;
            return extent;
        }
    }
    measured = false;
    return extent;
}

// A colour stored as the signed decimal of its 32 bits.
ColorRef ColorOf(const SectionReader& card, const profile::KeyName& key, ColorRef defaultColor) {
    return static_cast<ColorRef>(card.ReadInt(key, static_cast<std::int32_t>(defaultColor)));
}

std::int32_t ShadowOffset(std::int32_t metric, std::int32_t percent, std::int32_t divisor) {
    const std::int64_t offset = std::llabs(static_cast<std::int64_t>(metric) * percent / divisor);
    return static_cast<std::int32_t>(std::min(offset, kMaxShadowOffset));
}

}  // namespace

std::int32_t MeasureTextWidth(ViewState& view, Surface& surface, std::string_view text) {
    if (text.empty()) return 0;
    RefreshLabelSize(view);
    bool measured = false;
    const TextExtent extent = MeasureRepeatedly(surface, text, 20, measured);
    return measured ? extent.width : -1;
}

std::int32_t MeasureTextHeight(ViewState& view, Surface& surface, std::string_view text) {
    if (text.empty()) return 0;
    RefreshLabelSize(view);
    bool measured = false;
    const TextExtent extent = MeasureRepeatedly(surface, text, 10, measured);
    return measured ? std::abs(extent.height) : -1;
}

bool DrawTextItem(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const std::string& section,
                  const std::string& item) {
    const ItemKeys& keys = KeysOf(view.slotPrefix, item);
    const SectionReader card(*view.record, section);
    if (card.ReadInt(keys.isPrint, 0) == 0) return false;
    const std::string text = card.ReadString(keys.text, "");
    if (text.empty()) return false;
    std::int32_t xpos = card.ReadInt(keys.xpos, 0);
    std::int32_t ypos = card.ReadInt(keys.ypos, 0);

    // A font stored empty leaves the surface's font in place, drawn in black.
    LogFont font = surface.GetFont();
    const LogFont previousFont = font;
    ColorRef color = 0;
    const bool ownFont = CFontSetting::Load(card, keys.font, font, color);
    const ItemTypesetting typeset = ReadItemTypesetting(card, keys.typesetting);
    if (typeset.qr) {
        DrawQrItem(view, surface, x, y, section, item, text, typeset, color);
        return true;
    }
    if (ownFont) surface.SetFont(font);
    const std::int32_t printPos = card.ReadInt(keys.printPos, 0);
    const std::int32_t printVPos = card.ReadInt(keys.printVPos, 0);

    Ruby ruby;
    bool withRuby = false, fitted = false;
    if (typeset.vertical) {
        fitted = PlaceVerticalItem(view, surface, text, typeset, printPos, printVPos, xpos, ypos);
    } else {
        const std::int32_t ascent = surface.GetTextMetrics().ascent;
        std::int32_t width = MeasureTextWidth(view, surface, text);
        const std::int32_t height = MeasureTextHeight(view, surface, text);
        withRuby = item == FixedItems()[0] && SetsRuby(typeset) && LoadRuby(view, section, typeset.rubySize, ruby);
        // A name and its ruby are fitted together. A fitted text keeps its baseline: its cell
        // moves down by what its ascent lost.
        const auto lineWidth = [&](Surface& s) { return withRuby ? WidthWithRuby(s, text, ruby) : s.MeasureText(text).width; };
        const std::int32_t naturalWidth = typeset.fitWidth > 0 && width >= 0 ? lineWidth(surface) : 0;
        fitted = naturalWidth > typeset.fitWidth && typeset.fitWidth > 0;
        if (fitted) {
            FitOnSurface(surface, naturalWidth, typeset.fitWidth, typeset.fitMin, lineWidth);
            width = surface.MeasureText(text).width;
        }
        xpos = typeset.fitWidth > 0 ? AlignedInBox(printPos, view.label.width, xpos, typeset.fitWidth, width)
                                    : AlignedX(printPos, view.label.width, xpos, width);
        ypos = AlignedY(printVPos, view.label.height, ypos, height);
        ypos = Clamp32(std::int64_t{ypos} + ascent - surface.GetTextMetrics().ascent);
    }
    const TextMetrics metrics = surface.GetTextMetrics();
    // Every copy of a vertical item (shadow, 3D) is a column too.
    const auto draw = [&](std::int32_t atX, std::int32_t atY, bool hollow) {
        if (typeset.vertical)
            surface.DrawVerticalText(atX, atY, text, hollow);
        else if (hollow)
            surface.DrawHollowText(atX, atY, text);
        else
            surface.DrawText(atX, atY, text);
    };

    surface.SetTextColor(color);
    const std::int32_t px = Clamp32(std::int64_t{x} + xpos);
    const std::int32_t py = Clamp32(std::int64_t{y} - ypos);
    // The box colour belongs to this item alone: later items draw on the colour in force now.
    const BackgroundMode itemMode = surface.GetBackgroundMode();
    const ColorRef itemBackground = surface.GetBackgroundColor();
    if (card.ReadInt(keys.boxFlag, 0) == 1) {
        surface.SetBackgroundColor(ColorOf(card, keys.boxColor, kWhite));
        surface.SetBackgroundMode(BackgroundMode::Opaque);
    }
    if (card.ReadInt(keys.hollow, 0) != 0) {
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        draw(px, py, true);
    } else {
        draw(px, py, false);
    }
    surface.SetBackgroundMode(itemMode);

    const std::int32_t shadow = card.ReadInt(keys.shadow, 0);
    if (shadow != 0) {
        const std::int32_t dx = ShadowOffset(metrics.averageCharWidth, card.ReadInt(keys.shadowX, 10), 50);
        const std::int32_t dy = ShadowOffset(metrics.height, card.ReadInt(keys.shadowY, 10), 100);
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.SetTextColor(ColorOf(card, keys.shadowColor, kShadowGrey));
        draw(Clamp32(std::int64_t{px} + dx), Clamp32(std::int64_t{py} - dy), false);
        if (shadow == static_cast<std::int32_t>(ShadowStyle::ThreeD)) {
            // Copies one unit apart along the longer offset fill the space between shadow and text.
            const std::int32_t steps = std::max(dx, dy);
            for (std::int32_t k = steps; k >= 1; --k)
                draw(Clamp32(std::int64_t{px} + dx * k / steps), Clamp32(std::int64_t{py} - dy * k / steps), false);
        }
        surface.SetTextColor(color);
        draw(px, py, false);
    }
    if (withRuby) DrawRuby(surface, px, py, text, ruby);

    surface.SetBackgroundMode(itemMode);
    surface.SetBackgroundColor(itemBackground);
    if (fitted) surface.SetTextScale(100);
    if (ownFont || fitted) surface.SetFont(previousFont);
    surface.SetTextColor(0);
    return true;
}

void DrawCard(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y) {
    const std::string section = view.CurrentSection;
    surface.BeginCard(section, x, y);
    const bool textOverDecoration = view.settings->ReadInt("PrintMode", "bTransparent", 0) == 1;
    const bool frameBeforeImage = view.record->ReadInt(view.slotPrefix + "Frame", "FrameBeforeBmp", 1) != 0;

    DrawFrames(view, surface, x, y);
    DrawCardImage(view, surface, x, y, section);
    if (!frameBeforeImage) DrawInnerFrame(view, surface, x, y);
    if (textOverDecoration) {
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        DrawLines(view, surface, x, y, section);
    }

    const std::vector<std::string> items = DrawingOrder(view.userItems);
    // A card without a printed name is not a tag: nothing more of it is drawn.
    if (!DrawTextItem(view, surface, x, y, section, items.front())) return;
    // A reading set as ruby over the name is not an item of its own.
    const bool readingAsRuby =
        SetsRuby(ReadItemTypesetting(SectionReader(*view.record, section), KeysOf(view.slotPrefix, items[0]).typesetting));
    for (std::size_t i = 1; i < items.size(); ++i)
        if (!(readingAsRuby && items[i] == FixedItems()[3])) DrawTextItem(view, surface, x, y, section, items[i]);

    if (textOverDecoration)
        surface.SetBackgroundMode(BackgroundMode::Opaque);
    else
        DrawLines(view, surface, x, y, section);
    DrawCutMarks(view, surface, x, y);
}
