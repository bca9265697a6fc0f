#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "render/card_value.h"
#include "render/surface.h"
#include "store/typesetting.h"

// A text too wide for its fit width set on two lines rather than condensed hard: a company name
// of eighty characters reads at twice the size it would on one line. Each line is fitted on its
// own; the two stand one below the other at the item's place, each aligned like the item.

// Where the text breaks (a byte offset in the exact form): at the blank nearest its middle, which
// neither line keeps, else between the characters nearest the middle, never before a closing mark
// or a variation selector; 0 when the text is one character.
struct WrapPoint {
    std::size_t end = 0;    // of the first line
    std::size_t start = 0;  // of the second line
};
WrapPoint FindWrapPoint(std::string_view exact);

struct WrappedLine {
    std::string text;
    LogFont font;
    std::int32_t scale = 100;
    std::int32_t dx = 0, dy = 0;  // from the item's place: right, and down
};
using WrappedLines = std::array<WrappedLine, 2>;

// Whether the item's text, too wide at naturalWidth in the surface's font, is better set on two
// lines, and if so the lines placed at (xpos, ypos), which become the block's top-left corner.
// Leaves the surface's font and scale as it found them.
bool WrapItem(Surface& surface, LabelExtent label, const ItemValue& item, std::int32_t naturalWidth, std::int32_t& xpos,
              std::int32_t& ypos, WrappedLines& lines);
