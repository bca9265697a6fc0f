#pragma once

#include <cstdint>
#include <string>

#include "store/color_setting.h"
#include "store/font_setting.h"

// What a font dialog shows and gives back. A stored font height is in logical units (1/100 inch)
// on the tag, while font dialogs speak points (1/72 inch): a font chosen as 12 pt must print
// 12 pt high.
struct FontChoice {
    std::string face;  // stored text (code page 932)
    double points = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    ColorRef color = 0;
};

// The point size of a stored height; a positive (cell) height is taken as it stands.
double PointsFromHeight(std::int32_t height);
// The stored height of a point size: an em height, rounded to whole logical units.
std::int32_t HeightFromPoints(double points);

FontChoice ToFontChoice(const LogFont& font, ColorRef color);
// Puts the choice into font at its natural width; the fields a font dialog does not show keep
// their values.
void ApplyFontChoice(const FontChoice& choice, LogFont& font);
