#pragma once

#include <array>
#include <cstdint>

#include "store/label_sizes.h"

// The three label-slot radio buttons of the print and label size dialogs: exactly one checked.
struct SlotButtons {
    std::array<bool, kLabelSlotCount> checked{};

    // Checks the button of slot 2 or 3, the first one for anything else; returns that slot.
    std::int32_t Select(std::int32_t slot);
};
