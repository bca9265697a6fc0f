#include "dialogs/step_value.h"

#include <algorithm>

#include "store/profile_value.h"

std::string SteppedText(std::string_view text, std::int32_t step, std::int32_t low, std::int32_t high) {
    const std::int64_t wanted = std::int64_t{profile::ParseLeadingInt(text)} + step;
    // The lower bound wins when a stored bound leaves no room between them.
    return std::to_string(std::max<std::int64_t>(low, std::min<std::int64_t>(wanted, high)));
}
