#pragma once

#include <sstream>

#include "render/trace_surface.h"
#include "view/view_platform.h"

// The edit view's platform without a window: texts are measured by the trace surface (a font of
// height h gives h/2 per byte) and nothing is asked for.
class FakeViewPlatform : public ViewPlatform {
public:
    std::optional<std::string> ChooseCabinet(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseRecordFile(const std::string&) override { return std::nullopt; }
    std::optional<std::int32_t> ChooseLabelSlot(std::int32_t) override { return std::nullopt; }
    std::optional<ColorRef> ChooseColor(ColorRef) override { return std::nullopt; }
    void OpenInputDialog() override {}
    void ScrollToTopLeft() override {}
    void RefreshAllViews() override { ++refreshes; }
    void OpenHomePage() override {}
    Surface& MeasuringSurface() override { return surface; }
    void PumpMessages() override {}

    int refreshes = 0;
    std::ostringstream trace;
    TraceSurface surface{trace, 100, 100, false};
};
