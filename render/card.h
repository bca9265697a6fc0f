#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/card_value.h"
#include "render/surface.h"
#include "render/view_state.h"

// One tag: its layers in order, and its text items.

// An item of the card given the placement and font height of a preview.
void ApplyPreview(const ItemPreview& preview, CardValue& card);
// Draws the card named by view.CurrentSection with its top-left corner at (x, y).
void DrawCard(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);
// Draws a card read or built before. The frame is drawn on the view's label, the items on the
// card's, which becomes the view's once an item is drawn.
void DrawCardValue(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const CardValue& card);

// The extent of text in the surface's current font, in logical units, or −1 when it cannot be
// measured. Both re-read the label size of the view's slot first.
std::int32_t MeasureTextWidth(ViewState& view, Surface& surface, std::string_view text);
std::int32_t MeasureTextHeight(ViewState& view, Surface& surface, std::string_view text);

// Vertical placement of an item ("PrintVPos").
enum class VAlignmentCode : std::int32_t { Free = 0, Top = 1, Middle = 2, Bottom = 3 };
// "bShadow".
enum class ShadowStyle : std::int32_t { None = 0, Shadow = 1, ThreeD = 2 };
