#pragma once

#include <string>
#include <string_view>

#include "store/card_design.h"
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
// vertical: the key's item is set vertically, so that its fitted length runs down the tag.
std::string ScaleCardValue(std::string_view key, std::string_view value, const Ratios& ratios, bool vertical = false);
// A card's keys (without their slot digit) scaled and named with prefix in front; the fitted
// length of an item set vertically ("氏名Vertical=1") scales with the height.
cards::Design ScaleCardKeys(const cards::Design& card, const std::string& prefix, const Ratios& ratios);
// The same for a key of the frame section.
std::string ScaleFrameValue(std::string_view key, std::string_view value, const Ratios& ratios);

}  // namespace designs
