#include "dialogs/font_choice.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kUnitsPerInch = 100;
constexpr double kPointsPerInch = 72;
// A weight of 0 lets the platform choose, which is the normal weight.
constexpr std::int32_t kNormalWeight = 400;

}  // namespace

double PointsFromHeight(std::int32_t height) {
    return std::abs(static_cast<double>(height)) * kPointsPerInch / kUnitsPerInch;
}

std::int32_t HeightFromPoints(double points) {
    return -static_cast<std::int32_t>(std::lround(points * kUnitsPerInch / kPointsPerInch));
}

FontChoice ToFontChoice(const LogFont& font, ColorRef color) {
    FontChoice choice;
    choice.face = font.lfFaceName;
    choice.points = PointsFromHeight(font.lfHeight);
    choice.weight = font.lfWeight == 0 ? kNormalWeight : font.lfWeight;
    choice.italic = font.lfItalic != 0;
    choice.underline = font.lfUnderline != 0;
    choice.strikeOut = font.lfStrikeOut != 0;
    choice.color = color;
    return choice;
}

void ApplyFontChoice(const FontChoice& choice, LogFont& font) {
    font.lfFaceName = choice.face;
    font.lfHeight = HeightFromPoints(choice.points);
    font.lfWidth = 0;  // the natural width of the new size, as a font dialog picks it
    font.lfWeight = choice.weight;
    font.lfItalic = choice.italic ? 1 : 0;
    font.lfUnderline = choice.underline ? 1 : 0;
    font.lfStrikeOut = choice.strikeOut ? 1 : 0;
}
