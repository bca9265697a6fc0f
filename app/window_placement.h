#pragma once

#include <cstdint>
#include <vector>

#include "store/profiles.h"

// A rectangle in screen pixels, right and bottom exclusive.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// The main window's saved placement: the settings file's "WindowSize" keys, in their order, with
// their defaults.
struct WindowPlacement {
    std::int32_t flags = 1;    // "Flags": 1 use the minimised position; 2 restore to maximised
    std::int32_t showCmd = 1;  // "showCmd": 1 normal, 2 (also 6, 7, 11) minimised, 3 maximised
    std::int32_t minPosX = 0;
    std::int32_t minPosY = 0;
    // A maximised window sits one thin border outside the screen, so that its border is hidden.
    std::int32_t maxPosX = -1;
    std::int32_t maxPosY = -1;
    PixelRect normal{0, 0, 500, 350};  // "NormPosL", "NormPosT", "NormPosR", "NormPosB"
};

enum class ShowState { Normal, Minimised, Maximised };

// How the window shows: its state, and the rectangle it has when neither minimised nor
// maximised.
struct WindowShape {
    ShowState state = ShowState::Normal;
    bool restoreToMaximised = false;  // minimised from the maximised state
    PixelRect normal;
};

// Reads and writes the placement in the settings file. "WinSize" "Save" = 0 turns both off;
// the program never writes that switch.
class PlacementStore {
public:
    explicit PlacementStore(ProfileFile settings) : settings_(std::move(settings)) {}

    bool Enabled() const;
    // Whether the window's rectangle was ever stored (it is not on a first start).
    bool Stored() const;
    // The stored placement; missing keys give a normal window at (0, 0)–(500, 350).
    WindowPlacement Load() const;
    void Save(const WindowPlacement& placement) const;

private:
    ProfileFile settings_;
};

// The placement of a window with nothing stored: normal, on most of the screen and centred, so
// that a sheet of tags can be read at once.
WindowPlacement FirstStartPlacement(const PixelRect& screen);

WindowShape ShapeOf(const WindowPlacement& placement);
// The placement to store for a window of this shape. The window system reports no minimised or
// maximised positions, so those are kept from the placement the window was opened with.
WindowPlacement PlacementOf(const WindowShape& shape, const WindowPlacement& opened);

// A normal rectangle that lies on none of the screens (one since removed, or a hand-edited
// file) moves to the top-left of the first screen, shrunk to fit it, so that the window can be
// reached.
PixelRect KeepOnScreen(PixelRect rect, const std::vector<PixelRect>& screens);
