#pragma once

#include <cstdint>
#include <string>

#include "render/surface.h"
#include "render/view_state.h"

// Draws decorative line "1", "2" or "3" of a card whose top-left corner is (x, y).
void DrawDecorativeLine(const ViewState& view, Surface& surface, std::int32_t x, std::int32_t y,
                        const std::string& section, const std::string& line);
