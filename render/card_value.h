#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/ruby.h"
#include "render/surface.h"
#include "store/font_setting.h"
#include "store/label_sizes.h"
#include "store/typesetting.h"

// What one tag draws, as plain values: read from its card section once (render/card_reading.h),
// or built in code. Each member starts at the value a missing key gives. The layers of a tag
// draw from it and the surface alone.

// How an item's text is decorated: a background box, outlined (中抜き) text, a shadow.
struct ItemEffects {
    bool box = false;  // "bBkCol" = 1
    ColorRef boxColor = Rgb(255, 255, 255);
    bool hollow = false;  // "Nakanuki" ≠ 0
    std::int32_t shadow = 0;  // "bShadow": 0 none, 2 3D, anything else a plain shadow
    std::int32_t shadowX = 10;  // percent of the average character width ÷ 2
    std::int32_t shadowY = 10;  // percent of the cell height
    ColorRef shadowColor = Rgb(128, 128, 128);
};

// One item of a card. An item that is not printed or has no text draws nothing; the rest of its
// keys are then not read and keep their defaults.
struct ItemValue {
    std::string name;  // stored text, e.g. "氏名"
    bool printed = false;  // "IsPrint" ≠ 0
    std::string text;
    std::int32_t xpos = 0, ypos = 0;  // from the card's top-left corner, right and down
    std::int32_t printPos = 0;  // AlignmentCode
    std::int32_t printVPos = 0;  // VAlignmentCode
    StoredFont font;
    ItemTypesetting typesetting;
    ItemEffects effects;
    // A title of respect (様, さん, 殿, 先生, くん, ちゃん) set after the text on its line, at a share
    // of its size; not part of the text. "Honorific" / "HonorificSize" (percent).
    std::string honorific;
    std::int32_t honorificSize = 70;

    bool Draws() const { return printed && !text.empty(); }
};

// A decorative line, in logical units from the card's top-left corner (right and down). All four
// coordinates 0 is how a card says it has no such line; its colour and width are then not read.
struct LineValue {
    std::int32_t sx = 0, sy = 0, ex = 0, ey = 0;
    ColorRef color = 0;
    std::int32_t width = 1;

    bool Draws() const { return sx != 0 || sy != 0 || ex != 0 || ey != 0; }
};

// The card's bitmap: its stored path (none when empty) and placement.
struct ImageValue {
    std::string path;
    std::int32_t dx = 0, dy = 0;  // from the card's top-left corner, right and down
    std::int32_t zoom = 100;  // percent
};

enum class FrameKind : std::int32_t {
    None = 0, Rectangle, RoundRect, Ellipse, Circle, Rhombus, ParallelogramRight, ParallelogramLeft,
    ParallelogramRising, ParallelogramFalling, TriangleUp, TriangleDown, TriangleRight, TriangleLeft,
    TriangleTopLeft, TriangleBottomLeft, TriangleTopRight, TriangleBottomRight,
};

// "Frame%dInsideRatio" / "Frame%dOutsideRatio"; other values fill solid.
enum class FillPattern : std::int32_t {
    Solid = 0, P75, P50, P25, Hollow, BDiagonal, Cross, DiagCross, FDiagonal, Horizontal, Vertical,
};

// One filled and outlined area of the frame: the inside (inner shape) or the outside (whole card).
struct FrameArea {
    ColorRef color = Rgb(255, 255, 255);
    std::int32_t pattern = static_cast<std::int32_t>(FillPattern::Hollow);
    Pen border{PenStyle::Solid, 1, Rgb(255, 255, 255)};  // the colour defaults to the area's
};

// The frame of a record file and label slot (section slot + "Frame"), shared by all its cards.
struct FrameValue {
    std::int32_t kind = 0;  // FrameKind; other numbers draw no frame
    FrameArea inside, outside;
    // The inner shape's distances from the card edges.
    std::int32_t gapTop = 5, gapBottom = 5, gapLeft = 5, gapRight = 5;
    // "Frame2r", the corner of the rounded rectangle: a tenth of the label height when not stored
    // or outside 0 … half of it.
    std::optional<std::int32_t> roundCorner;
    bool beforeImage = true;  // "FrameBeforeBmp": else the inner shape is drawn again over the image
};

// A whole card, with what it shares with the other cards of its file and slot.
struct CardValue {
    std::string section;
    // In drawing order: the name, its reading, the other fixed items, then the user's own. A card
    // whose name draws nothing draws no other item, and their keys are not read; a back (a
    // message, a programme) draws its items without a name.
    std::vector<ItemValue> items;
    bool back = false;
    // The name's reading set as ruby over it; only when the name draws and sets ruby.
    std::optional<Ruby> ruby;
    std::array<LineValue, 3> lines;
    ImageValue image;
    FrameValue frame;
    // The label size the items are placed in: the slot's, from the settings file.
    LabelExtent label = {358, 216};
    bool textOverDecoration = false;  // settings "PrintMode" "bTransparent" = 1
    bool noDecorationWhileEditing = false;  // record "Option" "NoBMPEdit" = 1: card mode hides frame and image
};
