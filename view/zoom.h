#pragma once

#include <cstdint>

#include "store/profiles.h"

// The edit view's zoom: a percentage of true size. The view draws at the screen's resolution
// times the zoom, and maps pointer positions back through the very same resolution, so that a
// click lands on what is drawn under it at every zoom and scroll position.
class ViewZoom {
public:
    static constexpr std::int32_t kMinPercent = 10;
    static constexpr std::int32_t kMaxPercent = 800;

    ViewZoom(std::int32_t screenDpiX, std::int32_t screenDpiY) : screenDpiX_(screenDpiX), screenDpiY_(screenDpiY) {}

    std::int32_t Percent() const { return percent_; }
    // Kept between kMinPercent and kMaxPercent.
    void SetPercent(std::int32_t percent);
    // To the next of the usual steps (… 50, 67, 75, 100, 125, 150, 200 …) above or below.
    void ZoomIn();
    void ZoomOut();
    // The largest zoom at which width × height logical units fit in a viewport of pixels.
    void Fit(std::int32_t width, std::int32_t height, std::int32_t viewportWidth, std::int32_t viewportHeight);

    // The resolution the view draws at: the screen's at the zoom, never below 1.
    std::int32_t DpiX() const { return Scaled(screenDpiX_); }
    std::int32_t DpiY() const { return Scaled(screenDpiY_); }

    // The logical unit under the centre of a viewport pixel, with the contents scrolled by
    // scroll pixels (floor, so that pixels left of or above the contents map below zero).
    std::int32_t LogicalX(std::int32_t pixel, std::int32_t scroll) const { return ToLogical(pixel, scroll, DpiX()); }
    std::int32_t LogicalY(std::int32_t pixel, std::int32_t scroll) const { return ToLogical(pixel, scroll, DpiY()); }
    // The viewport pixel under the centre of a logical unit.
    std::int32_t PixelX(std::int32_t logical, std::int32_t scroll) const { return ToPixel(logical, scroll, DpiX()); }
    std::int32_t PixelY(std::int32_t logical, std::int32_t scroll) const { return ToPixel(logical, scroll, DpiY()); }
    // Logical units as a length in pixels of the contents.
    std::int32_t ExtentX(std::int32_t logical) const { return Length(logical, DpiX()); }
    std::int32_t ExtentY(std::int32_t logical) const { return Length(logical, DpiY()); }

    // After a change of zoom from the one whose resolution was dpiBefore: the scroll that keeps
    // what lay under the viewport pixel there (zooming about the pointer).
    static std::int32_t ScrollKeeping(std::int32_t pixel, std::int32_t scroll, std::int32_t dpiBefore, std::int32_t dpiAfter);

    // The settings file's "Option" "Zoom"; false when none is stored (the first start).
    bool Load(const SettingsProfile& settings);
    void Store(const SettingsProfile& settings) const;

private:
    std::int32_t Scaled(std::int32_t dpi) const;
    static std::int32_t ToLogical(std::int32_t pixel, std::int32_t scroll, std::int32_t dpi);
    static std::int32_t ToPixel(std::int32_t logical, std::int32_t scroll, std::int32_t dpi);
    static std::int32_t Length(std::int32_t logical, std::int32_t dpi);

    std::int32_t screenDpiX_, screenDpiY_;
    std::int32_t percent_ = 100;
};
