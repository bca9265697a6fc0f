#include "view/zoom.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr std::int32_t kSteps[] = {10, 25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400, 600, 800};
constexpr std::int32_t kNotStored = -1;

std::int32_t Floor32(double value) { return static_cast<std::int32_t>(std::floor(value)); }

}  // namespace

void ViewZoom::SetPercent(std::int32_t percent) { percent_ = std::clamp(percent, kMinPercent, kMaxPercent); }

void ViewZoom::ZoomIn() {
    const auto* next = std::upper_bound(std::begin(kSteps), std::end(kSteps), percent_);
    if (next != std::end(kSteps)) percent_ = *next;
}

void ViewZoom::ZoomOut() {
    const auto* first = std::lower_bound(std::begin(kSteps), std::end(kSteps), percent_);
    if (first != std::begin(kSteps)) percent_ = *std::prev(first);
}

void ViewZoom::Fit(std::int32_t width, std::int32_t height, std::int32_t viewportWidth, std::int32_t viewportHeight) {
    if (width <= 0 || height <= 0 || viewportWidth <= 0 || viewportHeight <= 0) return;
    // Percent p fits when width · screenDpi · p / 10000 pixels fill no more than the viewport.
    const double across = 10000.0 * viewportWidth / (static_cast<double>(width) * screenDpiX_);
    const double down = 10000.0 * viewportHeight / (static_cast<double>(height) * screenDpiY_);
    SetPercent(Floor32(std::min(across, down)));
    // The resolution is rounded; step down until the rounded extent fits as well.
    while (percent_ > kMinPercent && (ExtentX(width) > viewportWidth || ExtentY(height) > viewportHeight)) --percent_;
}

std::int32_t ViewZoom::Scaled(std::int32_t dpi) const {
    return std::max<std::int32_t>(1, static_cast<std::int32_t>((std::int64_t{dpi} * percent_ + 50) / 100));
}

std::int32_t ViewZoom::ToLogical(std::int32_t pixel, std::int32_t scroll, std::int32_t dpi) {
    return Floor32((static_cast<double>(pixel) + scroll + 0.5) * 100.0 / dpi);
}

std::int32_t ViewZoom::ToPixel(std::int32_t logical, std::int32_t scroll, std::int32_t dpi) {
    return Floor32((static_cast<double>(logical) + 0.5) * dpi / 100.0) - scroll;
}

std::int32_t ViewZoom::Length(std::int32_t logical, std::int32_t dpi) {
    return static_cast<std::int32_t>(std::int64_t{logical} * dpi / 100);
}

std::int32_t ViewZoom::ScrollKeeping(std::int32_t pixel, std::int32_t scroll, std::int32_t dpiBefore, std::int32_t dpiAfter) {
    const double content = (static_cast<double>(pixel) + scroll + 0.5) * dpiAfter / dpiBefore;
    return static_cast<std::int32_t>(std::lround(content - pixel - 0.5));
}

bool ViewZoom::Load(const SettingsProfile& settings) {
    // A value out of range is treated as none: the view then fits the page, as on a first start.
    const std::int32_t stored = settings.ReadInt("Option", "Zoom", kNotStored);
    if (stored < kMinPercent || stored > kMaxPercent) return false;
    percent_ = stored;
    return true;
}

void ViewZoom::Store(const SettingsProfile& settings) const {
    settings.WriteInt("Option", "Zoom", percent_);
    settings.Flush();
}
