#pragma once

#include <cstdint>

struct ItemPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The input dialog's side of the hand-over: the view places the selected item through it.
class InputDialogLink {
public:
    virtual ~InputDialogLink() = default;
    // Shows the position, stores it for the selected item with the horizontal code 0, comes to
    // the front unless told not to, and redraws.
    virtual void SetPosition(ItemPosition position, bool bringToFront) = 0;
    virtual ItemPosition GetPosition() const = 0;
};
