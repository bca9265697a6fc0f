#include "dialogs/slot_buttons.h"

std::int32_t SlotButtons::Select(std::int32_t slot) {
    const std::int32_t selected = slot == 2 || slot == 3 ? slot : 1;
    for (std::size_t i = 0; i < checked.size(); ++i) checked[i] = static_cast<std::int32_t>(i) + 1 == selected;
    return selected;
}
