#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/surface.h"
#include "render/view_state.h"

// One tag: its layers in order, and its text items.

// Draws the card named by view.CurrentSection with its top-left corner at (x, y).
void DrawCard(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y);

// Draws one item of a card; false when it is not printed or has no text.
bool DrawTextItem(ViewState& view, Surface& surface, std::int32_t x, std::int32_t y, const std::string& section,
                  const std::string& item);

// The extent of text in the surface's current font, in logical units, or −1 when it cannot be
// measured. Both re-read the label size of the view's slot first.
std::int32_t MeasureTextWidth(ViewState& view, Surface& surface, std::string_view text);
std::int32_t MeasureTextHeight(ViewState& view, Surface& surface, std::string_view text);

// Vertical placement of an item ("PrintVPos").
enum class VAlignmentCode : std::int32_t { Free = 0, Top = 1, Middle = 2, Bottom = 3 };
// "bShadow".
enum class ShadowStyle : std::int32_t { None = 0, Shadow = 1, ThreeD = 2 };
