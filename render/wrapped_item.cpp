#include "render/wrapped_item.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "render/item_placement.h"
#include "render/logical_math.h"
#include "render/text_fit.h"
#include "store/codec.h"
#include "store/exact_text.h"

namespace {

// A line condensed no further than this reads better than two smaller lines.
constexpr std::int64_t kWrapBelowScale = 75;
// Each of the two lines, in percent of the item's height: the pair stands little taller than
// one line, within the room a design leaves below a line.
constexpr std::int32_t kLineHeightPercent = 70;
// From the top of the first line to the top of the second, in percent of the line's height.
constexpr std::int64_t kLinePitchPercent = 115;

bool IsVariationSelector(char32_t code) {
    return (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF);
}

// Marks that never start a line.
bool IsClosing(std::string_view character) {
    static const std::string closing = codec::Sjis("、。，．・：；）」』】〕ー！？");
    for (std::size_t pos = 0; pos + 1 < closing.size(); pos += 2)
        if (character == closing.substr(pos, 2)) return true;
    return character == "," || character == "." || character == ")";
}

bool IsBlank(std::string_view character) { return character == " " || character == codec::Sjis("\u3000"); }

}  // namespace

WrapPoint FindWrapPoint(std::string_view exact) {
    const std::vector<exact_text::Character> characters = exact_text::Characters(exact);
    const auto text = [&](std::size_t i) {
        const std::size_t end = i + 1 < characters.size() ? characters[i + 1].start : exact.size();
        return exact.substr(characters[i].start, end - characters[i].start);
    };
    // Widths as a line of the font measures them: a double-byte or escaped character is a cell.
    std::vector<std::size_t> before(characters.size() + 1, 0);
    for (std::size_t i = 0; i < characters.size(); ++i)
        before[i + 1] = before[i] + (characters[i].escaped != 0 || text(i).size() == 2 ? 2 : 1);
    const std::size_t middle = before.back() / 2;
    const auto distance = [&](std::size_t i) { return before[i] > middle ? before[i] - middle : middle - before[i]; };

    WrapPoint best;
    std::size_t bestDistance = static_cast<std::size_t>(-1);
    bool bestBlank = false;
    for (std::size_t i = 1; i < characters.size(); ++i) {
        const std::string_view character = text(i);
        const bool blank = characters[i].escaped == 0 && IsBlank(character) && i + 1 < characters.size();
        if (!blank && (IsVariationSelector(characters[i].escaped) || (characters[i].escaped == 0 && IsClosing(character))))
            continue;
        // A blank in the middle half of the text is the break; elsewhere the middle wins.
        const bool usable = blank && distance(i) <= before.back() / 4;
        if ((usable && !bestBlank) || (usable == bestBlank && distance(i) < bestDistance)) {
            best = {characters[i].start, blank ? characters[i + 1].start : characters[i].start};
            bestDistance = distance(i);
            bestBlank = usable;
        }
    }
    return best;
}

bool WrapItem(Surface& surface, LabelExtent label, const ItemValue& item, std::int32_t naturalWidth, std::int32_t& xpos,
              std::int32_t& ypos, WrappedLines& lines) {
    const ItemTypesetting& typeset = item.typesetting;
    if (!typeset.wrap || typeset.fitWidth <= 0 || typeset.vertical || !item.honorific.empty() ||
        std::int64_t{naturalWidth} * kWrapBelowScale / 100 <= typeset.fitWidth)
        return false;
    const WrapPoint at = FindWrapPoint(item.text);
    if (at.end == 0) return false;

    const LogFont font = surface.GetFont();
    const std::int32_t scale = surface.GetTextScale();
    const LogFont smaller = WithHeight(font, std::max(1, HeightOf(font) * kLineHeightPercent / 100));
    std::int32_t blockHeight = 0;
    std::array<std::int32_t, 2> widths{};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        WrappedLine& line = lines[k];
        line.text = k == 0 ? item.text.substr(0, at.end) : item.text.substr(at.start);
        surface.SetFont(smaller);
        surface.SetTextScale(100);
        const auto width = [&](Surface& s) { return s.MeasureText(line.text).width; };
        widths[k] = FitOnSurface(surface, width(surface), typeset.fitWidth, typeset.fitMin, width);
        line.font = surface.GetFont();
        line.scale = surface.GetTextScale();
        line.dy = blockHeight;
        // Lines stand a little more than their height apart, not a cell: a face's cell may hold
        // half an em of room for accents that Japanese text never uses.
        const std::int64_t pitch = k == 0 ? std::int64_t{HeightOf(line.font)} * kLinePitchPercent / 100
                                          : surface.GetTextMetrics().height;
        blockHeight = Clamp32(blockHeight + std::max<std::int64_t>(pitch, 1));
    }
    surface.SetFont(font);
    surface.SetTextScale(scale);

    ypos = AlignedY(item.printVPos, label.height, ypos, blockHeight);
    const auto placed = [&](std::size_t k) {
        return AlignedInBox(item.printPos, label.width, xpos, typeset.fitWidth, widths[k]);
    };
    const std::int32_t first = placed(0);
    lines[1].dx = Clamp32(std::int64_t{placed(1)} - first);
    lines[0].dx = 0;
    xpos = first;
    return true;
}
