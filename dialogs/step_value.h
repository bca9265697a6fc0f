#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// The text a step button leaves in a numeric field: the field's integer (the leading-number
// rule) plus step, kept within low … high. Unbounded fields stop at the ends of the 32-bit range
// instead of wrapping round to the other end.
std::string SteppedText(std::string_view text, std::int32_t step,
                        std::int32_t low = std::numeric_limits<std::int32_t>::min(),
                        std::int32_t high = std::numeric_limits<std::int32_t>::max());
