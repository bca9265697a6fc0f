#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/surface.h"
#include "store/font_setting.h"
#include "store/typesetting.h"

// Furigana: the reading set small above the name, part over part when name and reading have
// as many parts (separated by half- or full-width spaces), else as a whole over the whole.

struct Ruby {
    std::string reading;  // stored text of the reading item
    LogFont font;         // the reading item's font; its height is replaced
    ColorRef color = 0;
    std::int32_t sizePercent = 40;  // of the name's height
};

// Whether an item with these settings carries ruby: the name, set horizontally as text.
bool SetsRuby(const ItemTypesetting& typeset);

// The parts of stored text between half- and full-width spaces, as (offset, length) in bytes;
// runs of spaces separate once, and leading or trailing spaces make no part.
std::vector<std::pair<std::size_t, std::size_t>> SplitParts(std::string_view text);

// The width the name and its ruby take together, with the name in the surface's current font
// and scale. The surface's font is left as it was.
std::int32_t WidthWithRuby(Surface& surface, std::string_view name, const Ruby& ruby);

// Draws the ruby above the name whose cell's top-left corner is at (x, y), in the surface's
// current font and scale for the name; the ruby takes the same scale. Restores font and colour.
void DrawRuby(Surface& surface, std::int32_t x, std::int32_t y, std::string_view name, const Ruby& ruby);
