#include "render/vertical_cells.h"

#include "store/cp932.h"

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int32_t VerticalCells(std::string_view stored) {
    std::int32_t cells = 0;
    for (std::size_t pos = 0; pos < stored.size(); ++cells) {
        const std::size_t length = cp932::CharLength(stored, pos);
        pos += length == 1 && StartsDigitPair(stored, pos, IsAsciiDigit) ? 2 : length;
    }
    return cells;
}
