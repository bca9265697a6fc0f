#include "app/window_placement.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "WindowSize";

constexpr std::int32_t kRestoreToMaximised = 2;
constexpr std::int32_t kShowNormal = 1;
constexpr std::int32_t kShowMinimised = 2;
constexpr std::int32_t kShowMaximised = 3;

bool IsMinimisedCommand(std::int32_t showCmd) {
    // Show minimised, minimise, show minimised without activating, force minimise.
    return showCmd == kShowMinimised || showCmd == 6 || showCmd == 7 || showCmd == 11;
}

bool Overlaps(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

bool PlacementStore::Enabled() const { return settings_.ReadInt("WinSize", "Save", 1) != 0; }

bool PlacementStore::Stored() const {
    for (const char* key : {"NormPosL", "NormPosT", "NormPosR", "NormPosB"})
        if (!settings_.ReadString(kSection, key, "").empty()) return true;
    return false;
}

WindowPlacement PlacementStore::Load() const {
    const WindowPlacement d;
    WindowPlacement p;
    p.flags = settings_.ReadInt(kSection, "Flags", d.flags);
    p.showCmd = settings_.ReadInt(kSection, "showCmd", d.showCmd);
    p.minPosX = settings_.ReadInt(kSection, "MinPosX", d.minPosX);
    p.minPosY = settings_.ReadInt(kSection, "MinPosY", d.minPosY);
    p.maxPosX = settings_.ReadInt(kSection, "MaxPosX", d.maxPosX);
    p.maxPosY = settings_.ReadInt(kSection, "MaxPosY", d.maxPosY);
    p.normal.left = settings_.ReadInt(kSection, "NormPosL", d.normal.left);
    p.normal.top = settings_.ReadInt(kSection, "NormPosT", d.normal.top);
    p.normal.right = settings_.ReadInt(kSection, "NormPosR", d.normal.right);
    p.normal.bottom = settings_.ReadInt(kSection, "NormPosB", d.normal.bottom);
    return p;
}

void PlacementStore::Save(const WindowPlacement& p) const {
    settings_.WriteInt(kSection, "Flags", p.flags);
    settings_.WriteInt(kSection, "showCmd", p.showCmd);
    settings_.WriteInt(kSection, "MinPosX", p.minPosX);
    settings_.WriteInt(kSection, "MinPosY", p.minPosY);
    settings_.WriteInt(kSection, "MaxPosX", p.maxPosX);
    settings_.WriteInt(kSection, "MaxPosY", p.maxPosY);
    settings_.WriteInt(kSection, "NormPosL", p.normal.left);
    settings_.WriteInt(kSection, "NormPosT", p.normal.top);
    settings_.WriteInt(kSection, "NormPosR", p.normal.right);
    settings_.WriteInt(kSection, "NormPosB", p.normal.bottom);
    settings_.Flush();
}

WindowPlacement FirstStartPlacement(const PixelRect& screen) {
    // Four fifths of the screen each way leaves the desktop visible around the window.
    const std::int32_t width = screen.Width() * 4 / 5;
    const std::int32_t height = screen.Height() * 4 / 5;
    const std::int32_t left = screen.left + (screen.Width() - width) / 2;
    const std::int32_t top = screen.top + (screen.Height() - height) / 2;
    WindowPlacement placement;
    placement.normal = PixelRect{left, top, left + width, top + height};
    return placement;
}

WindowShape ShapeOf(const WindowPlacement& placement) {
    WindowShape shape;
    if (placement.showCmd == kShowMaximised) {
        shape.state = ShowState::Maximised;
    } else if (IsMinimisedCommand(placement.showCmd)) {
        shape.state = ShowState::Minimised;
        shape.restoreToMaximised = (placement.flags & kRestoreToMaximised) != 0;
    }
    // Every other show command (hidden included) opens a normal window: the main window must be
    // seen.
    shape.normal = placement.normal;
    // A rectangle turned inside out by hand opens as the smallest window instead.
    shape.normal.right = std::max(shape.normal.right, shape.normal.left + 1);
    shape.normal.bottom = std::max(shape.normal.bottom, shape.normal.top + 1);
    return shape;
}

WindowPlacement PlacementOf(const WindowShape& shape, const WindowPlacement& opened) {
    WindowPlacement placement = opened;
    placement.flags = shape.state == ShowState::Minimised && shape.restoreToMaximised ? kRestoreToMaximised : 0;
    switch (shape.state) {
        case ShowState::Normal: placement.showCmd = kShowNormal; break;
        case ShowState::Minimised: placement.showCmd = kShowMinimised; break;
        case ShowState::Maximised: placement.showCmd = kShowMaximised; break;
    }
    placement.normal = shape.normal;
    return placement;
}

PixelRect KeepOnScreen(PixelRect rect, const std::vector<PixelRect>& screens) {
    if (screens.empty()) return rect;
    for (const PixelRect& screen : screens) {
        if (Overlaps(rect, screen)) return rect;
    }
    const PixelRect& first = screens.front();
    const std::int32_t width = std::min(rect.Width(), first.Width());
    const std::int32_t height = std::min(rect.Height(), first.Height());
    return PixelRect{first.left, first.top, first.left + width, first.top + height};
}
