#pragma once

#include <cstdint>

#include "render/card_value.h"
#include "render/surface.h"

// An item drawn as a QR code of its text instead of the text: a square of the item's QR size,
// placed by its position and alignment, dark modules in the item colour. A text the code cannot
// hold draws a small box marked "QR" in its place.
void DrawQrItem(Surface& surface, std::int32_t x, std::int32_t y, const ItemValue& item, LabelExtent label,
                ColorRef color);
