#pragma once

#include <cstdint>
#include <string_view>

#include "render/surface.h"
#include "store/label_sizes.h"
#include "store/typesetting.h"

// Placement of an item set vertically (縦書き): its column's top-left corner is the stored
// position; the alignment codes place the column across and along the tag as for horizontal
// text. A fit width limits the column's length: shortened (平体) down to the smallest scale,
// then set smaller about the same centre line.

// Updates xpos and ypos (from the card's top-left corner, right and down) for the column on the
// label, and leaves the fitted font and scale selected. True when the text was fitted.
bool PlaceVerticalItem(Surface& surface, LabelExtent label, std::string_view text, const ItemTypesetting& typeset,
                       std::int32_t printPos, std::int32_t printVPos, std::int32_t& xpos, std::int32_t& ypos);
