#pragma once

#include <string>
#include <string_view>

#include "store/label_sizes.h"

// How a design made for one tag size serves another: lengths along the width scale with the
// width, lengths down the tag with the height, and sizes that must keep their shape (font
// heights, QR codes, line widths, corner sizes) with the smaller of the two ratios, so that text
// never grows past the tag.
namespace designs {

struct Ratios {
    double x = 1, y = 1;
    double Smaller() const { return x < y ? x : y; }
};

Ratios RatiosBetween(LabelExtent from, LabelExtent to);

// The value of a card key (without its slot digit) scaled; keys that are not lengths stay.
std::string ScaleCardValue(std::string_view key, std::string_view value, const Ratios& ratios);
// The same for a key of the frame section.
std::string ScaleFrameValue(std::string_view key, std::string_view value, const Ratios& ratios);

}  // namespace designs
