#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "editing/edit_session.h"
#include "render/item_boxes.h"

// A line the dragged item snapped to, across the whole tag: vertical at x, or horizontal at y,
// in logical units from the tag's top-left corner.
struct SnapGuide {
    bool vertical = true;
    std::int32_t at = 0;
};

// Where the dragged item goes now, and the lines it snapped to.
struct TagDrag {
    ItemBox box;
    std::vector<SnapGuide> guides;
};

// Selecting, moving and sizing the items of the current tag with the pointer. Positions are
// logical units from the tag's top-left corner, y downward. While a drag is under way the view
// draws the item where it goes (the view state's preview); releasing stores it as one change
// within the session's scope.
class TagEditor {
public:
    explicit TagEditor(EditSession& session) : session_(session) {}

    // The selected item's box on the current tag, or nothing when it draws nothing.
    std::optional<ItemBox> SelectedBox();
    // A press on a corner of the selected item (within reach) starts sizing it; on an item's
    // text, selects the topmost there and starts moving it. False elsewhere: nothing changes.
    bool Press(std::int32_t x, std::int32_t y, std::int32_t reach);
    bool Dragging() const { return drag_.has_value(); }
    // The item follows the pointer; snapDistance 0 turns snapping off.
    std::optional<TagDrag> Drag(std::int32_t x, std::int32_t y, std::int32_t snapDistance);
    // Stores where the item went (or its new font height): true when it changed.
    bool Release(std::int32_t x, std::int32_t y, std::int32_t snapDistance);
    // The drag given up: nothing is stored.
    void Cancel();
    // Moves the selected item by (dx, dy) as a drag without snapping would, keeping it on the tag
    // where it fits: true when it moved.
    bool Nudge(std::int32_t dx, std::int32_t dy);

private:
    enum class Grip { Move, TopLeft, TopRight, BottomLeft, BottomRight };
    struct Placement {
        ItemPreview preview;
        TagDrag drag;
    };
    struct DragState {
        Grip grip = Grip::Move;
        std::int32_t startX = 0, startY = 0;
        ItemBox box;                  // where the item was
        ItemBox origin;               // where it is drawn when placed freely at (0, 0)
        ItemPreview stored;           // its stored placement and font height
        std::vector<ItemBox> others;  // the other items, to snap to
        std::vector<std::int32_t> lineColumns, lineRows;  // what the tag's decorative lines offer
    };

    // Starts a drag of the item drawn at box, pressed at (x, y) on the card.
    bool Start(const ItemBox& box, Grip grip, std::int32_t x, std::int32_t y, CardValue card,
               const std::vector<ItemBox>& boxes);
    Placement PlacementAt(std::int32_t x, std::int32_t y, std::int32_t snapDistance) const;
    Placement Moved(std::int32_t dx, std::int32_t dy, std::int32_t snapDistance) const;
    Placement Sized(std::int32_t dy) const;
    // Writes what differs from before, within the scope; false when nothing does.
    bool Store(const ItemPreview& placement, const ItemPreview& before);

    EditSession& session_;
    std::optional<DragState> drag_;
};
