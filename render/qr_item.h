#pragma once

#include <cstdint>
#include <string>

#include "render/surface.h"
#include "render/view_state.h"
#include "store/typesetting.h"

// An item drawn as a QR code of its text instead of the text: a square of the item's QR size,
// placed by its position and alignment, dark modules in the item colour. A text the code cannot
// hold draws a small box marked "QR" in its place.
void DrawQrItem(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const std::string& section,
                const std::string& item, const std::string& text, const ItemTypesetting& typeset, ColorRef color);
