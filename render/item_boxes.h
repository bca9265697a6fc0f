#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/card_value.h"
#include "render/surface.h"
#include "render/view_state.h"

// Where each item of a tag is drawn, for clicking and dragging items on the tag: the box that
// holds every mark of its text (shadow and ruby included), in logical units from the tag's
// top-left corner with y growing downward.
struct ItemBox {
    std::string item;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t scale = 100;  // the narrowest text scale its marks were drawn at (長体 of a fitted text)
    std::int32_t height = 0;   // the smallest font height its text was drawn at (em or cell), 0 for none

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(std::int32_t x, std::int32_t y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

// The boxes of the items the card draws, in drawing order (the last one lies on top). measuring
// supplies the fonts' extents; nothing is drawn on it.
std::vector<ItemBox> DrawnItemBoxes(ViewState& view, Surface& measuring, const CardValue& card);
