#pragma once

#include <optional>
#include <vector>

#include "dialogs/decoration_platform.h"

// Answers the colour chooser with a preset choice (nothing: cancelled) and counts redraws.
class FakeDecorationPlatform : public DecorationPlatform {
public:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override {
        offered.push_back(initial);
        return choice;
    }
    void RefreshAllViews() override { ++refreshes; }

    std::optional<ColorRef> choice;
    std::vector<ColorRef> offered;  // the starting colour of each chooser opened
    int refreshes = 0;
};
