#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// Stored numbers are whatever a user typed; sums and products of them are formed in 64 bits and
// brought back into the drawing range, so that no value overflows.
inline std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}
