#pragma once

#include <cstdint>
#include <functional>

#include "render/surface.h"
#include "store/font_setting.h"

// Fitting a line of text into a width the way print shops do: first condensed (長体) down to a
// smallest scale, then, if still too wide, set in a smaller font. Each search measures about
// log₂ of its range of values, starting from the guess that width is proportional.

struct TextFit {
    std::int32_t height = 0;  // the font's height without its sign: em or cell height
    std::int32_t scale = 100;  // percent along the line
};

// widthAt(height, scale) measures the text. naturalWidth is its width at (height, 100). The
// result is the largest scale in fitMin…100 at which the text is no wider than fitWidth, else
// fitMin and the largest height from 1 up that fits (1 when none does).
TextFit FitText(std::int32_t height, std::int32_t naturalWidth, std::int32_t fitWidth, std::int32_t fitMin,
                const std::function<std::int32_t(std::int32_t height, std::int32_t scale)>& widthAt);

// Fits what widthOf measures (a text, or a name with its ruby) in the surface's current font to
// fitWidth, and selects the fitted font and scale on the surface. naturalWidth is the width in
// the current font at scale 100. Returns the width after fitting.
std::int32_t FitOnSurface(Surface& surface, std::int32_t naturalWidth, std::int32_t fitWidth, std::int32_t fitMin,
                          const std::function<std::int32_t(Surface&)>& widthOf);

// The font with its height (sign kept; 0 counts as a cell height of 16) set to `height`, and a
// fixed character width reduced in proportion.
LogFont WithHeight(const LogFont& font, std::int32_t height);
// The font's height without its sign, 16 for a font stored with height 0, at most the largest
// font extent.
std::int32_t HeightOf(const LogFont& font);
