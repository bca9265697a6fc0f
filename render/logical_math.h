#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <limits>

// Stored numbers are whatever a user typed; sums and products of them are formed in 64 bits and
// brought back into the drawing range, so that no value overflows.
inline std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Fonts are at most ten inches high or wide, more than any label: the size of a stored font
// height or width, without its sign, within that bound.
constexpr std::int32_t kMaxFontExtent = 1000;
inline std::int32_t FontExtent(std::int32_t stored) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::llabs(std::int64_t{stored}), kMaxFontExtent));
}
