#pragma once

#include <cstdint>
#include <string>

#include "render/card_value.h"
#include "render/surface.h"
#include "render/view_state.h"

// A decorative line of a card whose top-left corner is (x, y); nothing when it has none.
void DrawCardLine(Surface& surface, std::int32_t x, std::int32_t y, const LineValue& line);

// Reads decorative line "1", "2" or "3" of the card in section and draws it.
void DrawDecorativeLine(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y,
                        const std::string& section, const std::string& line);
