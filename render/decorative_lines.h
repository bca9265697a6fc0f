#pragma once

#include <cstdint>

#include "render/card_value.h"
#include "render/surface.h"

// A decorative line of a card whose top-left corner is (x, y); nothing when it has none.
void DrawCardLine(Surface& surface, std::int32_t x, std::int32_t y, const LineValue& line);
