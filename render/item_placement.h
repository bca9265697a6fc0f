#pragma once

#include <cstdint>

#include "render/card_value.h"
#include "render/surface.h"

// Where an item goes on its card: the stored position, or the alignment within the label of a
// box width × height. A negative extent leaves that axis at its stored position.

// Xpos for "PrintPos" code: 1 right, 2 centre, 3 left, others the stored xpos; never left of
// the card.
std::int32_t AlignedX(std::int32_t code, std::int32_t labelWidth, std::int32_t xpos, std::int32_t width);
// Xpos with a fit width: the box of boxWidth is aligned in the label, then the text of width
// within the box, by the same code; code 0 keeps the stored xpos. A box wider than the label
// counts as the label's width.
std::int32_t AlignedInBox(std::int32_t code, std::int32_t labelWidth, std::int32_t xpos, std::int32_t boxWidth,
                          std::int32_t width);
// Ypos for "PrintVPos" code: 1 top, 2 middle, 3 bottom, others the stored ypos; never above the
// card.
std::int32_t AlignedY(std::int32_t code, std::int32_t labelHeight, std::int32_t ypos, std::int32_t height);

// The top-left corner on the surface of an item of width × height for a card at (x, y), from
// its stored position and alignment.
LogicalPoint PlaceItem(std::int32_t x, std::int32_t y, const ItemValue& item, LabelExtent label, std::int32_t width,
                       std::int32_t height);
