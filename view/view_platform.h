#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editing/input_dialog_link.h"
#include "render/surface.h"
#include "store/color_setting.h"

// What the view needs from the windowing platform; tests put their own in its place.
class ViewPlatform {
public:
    virtual ~ViewPlatform() = default;
    virtual std::optional<std::string> ChooseCabinet(const std::string& preset) = 0;
    virtual std::optional<std::string> ChooseRecordFile(const std::string& cabinet) = 0;
    virtual std::optional<std::int32_t> ChooseLabelSlot(std::int32_t current) = 0;
    virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
    // Creates the modeless input dialog (the view then reaches it through InputDialogLink).
    virtual void OpenInputDialog() = 0;
    virtual void ScrollToTopLeft() = 0;
    virtual void RefreshAllViews() = 0;
    // The program's own page, in the desktop's browser.
    virtual void OpenHomePage() = 0;
    // A surface on the view's window, for measuring text in logical units.
    virtual Surface& MeasuringSurface() = 0;
    // Handles the window messages waiting, so that a long step keeps the window alive.
    virtual void PumpMessages() = 0;
};
