#include "render/item_placement.h"

#include <algorithm>

#include "render/logical_math.h"

std::int32_t AlignedX(std::int32_t code, std::int32_t labelWidth, std::int32_t xpos, std::int32_t width) {
    if (width < 0) return xpos;
    switch (code) {
        case 1: return Clamp32(std::max<std::int64_t>(std::int64_t{labelWidth} - width, 0));
        case 2: return Clamp32(std::max<std::int64_t>((std::int64_t{labelWidth} - width) / 2, 0));
        case 3: return 0;
        default: return xpos;
    }
}

std::int32_t AlignedInBox(std::int32_t code, std::int32_t labelWidth, std::int32_t xpos, std::int32_t boxWidth,
                          std::int32_t width) {
    if (width < 0 || code < 1 || code > 3) return xpos;
    // A box wider than the label is aligned as the label itself, so the text stays on the tag.
    boxWidth = std::min(boxWidth, labelWidth);
    return Clamp32(std::int64_t{AlignedX(code, labelWidth, xpos, boxWidth)} + AlignedX(code, boxWidth, 0, width));
}

std::int32_t AlignedY(std::int32_t code, std::int32_t labelHeight, std::int32_t ypos, std::int32_t height) {
    if (height < 0) return ypos;
    switch (code) {
        case 1: return 0;
        case 2: return Clamp32(std::max<std::int64_t>((std::int64_t{labelHeight} - height) / 2, 0));
        case 3: return Clamp32(std::max<std::int64_t>(std::int64_t{labelHeight} - height, 0));
        default: return ypos;
    }
}

LogicalPoint PlaceItem(std::int32_t x, std::int32_t y, const ItemValue& item, LabelExtent label, std::int32_t width,
                       std::int32_t height) {
    const std::int32_t xpos = AlignedX(item.printPos, label.width, item.xpos, width);
    const std::int32_t ypos = AlignedY(item.printVPos, label.height, item.ypos, height);
    return {Clamp32(std::int64_t{x} + xpos), Clamp32(std::int64_t{y} - ypos)};
}
