#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/surface.h"

namespace export_tool {

// Where each character of an exact-form text (store/exact_text.h) starts: a double-byte
// character or an escape is one, and a variation selector or a combining sound mark stays with
// the character before it.
std::vector<std::size_t> CharacterStarts(std::string_view exact);

// An exact-form text broken into lines of at most `room` wide in the surface's current font,
// between characters, at most maxLines of them: the last line holds what is left (cut short
// with "…" when even condensing could not make it readable).
std::vector<std::string> WrapToWidth(Surface& surface, std::string_view exact, std::int32_t room, std::size_t maxLines);

}  // namespace export_tool
