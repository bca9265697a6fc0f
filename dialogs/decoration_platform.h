#pragma once

#include <optional>

#include "store/color_setting.h"

// What the decoration dialogs need from the window system; tests put their own in its place.
class DecorationPlatform {
public:
    virtual ~DecorationPlatform() = default;
    // The colour chooser starting from initial; nothing when cancelled.
    virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
    virtual void RefreshAllViews() = 0;
};
