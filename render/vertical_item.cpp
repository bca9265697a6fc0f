#include "render/vertical_item.h"

#include "render/item_placement.h"
#include "render/logical_math.h"
#include "render/text_fit.h"

bool PlaceVerticalItem(Surface& surface, LabelExtent label, std::string_view text, const ItemTypesetting& typeset,
                       std::int32_t printPos, std::int32_t printVPos, std::int32_t& xpos, std::int32_t& ypos) {
    const TextExtent natural = surface.MeasureVerticalText(text);
    const bool fitted = typeset.fitWidth > 0 && natural.height > typeset.fitWidth;
    if (fitted)
        FitOnSurface(surface, natural.height, typeset.fitWidth, typeset.fitMin,
                     [&](Surface& s) { return s.MeasureVerticalText(text).height; });
    const TextExtent column = fitted ? surface.MeasureVerticalText(text) : natural;
    xpos = Clamp32(std::int64_t{AlignedX(printPos, label.width, xpos, natural.width)} +
                   (std::int64_t{natural.width} - column.width) / 2);
    ypos = AlignedY(printVPos, label.height, ypos, column.height);
    return fitted;
}
