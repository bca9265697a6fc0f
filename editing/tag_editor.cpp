#include "editing/tag_editor.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "render/card.h"
#include "store/font_setting.h"
#include "store/items.h"

namespace {

constexpr std::int32_t kSmallestFont = 4;
constexpr std::int32_t kLargestFont = 1000;
// Below a decorative line with no item above it, about a millimetre and a half.
constexpr std::int32_t kLineGap = 6;

const ItemBox* BoxOf(const std::vector<ItemBox>& boxes, const std::string& item) {
    const auto found = std::find_if(boxes.begin(), boxes.end(), [&](const ItemBox& box) { return box.item == item; });
    return found == boxes.end() ? nullptr : &*found;
}

ItemBox Shifted(ItemBox box, std::int32_t dx, std::int32_t dy) {
    box.left += dx;
    box.right += dx;
    box.top += dy;
    box.bottom += dy;
    return box;
}

// The nearest of the lines within reach of the moving box's edges (start, middle, end): the
// shift that puts the edge on it, the line and which edge. Lines earlier in the list win ties
// (the tag's centre comes first).
enum class Edge { Start, Middle, End };
struct Snap {
    std::int32_t shift = 0;
    std::int32_t line = 0;
    Edge edge = Edge::Start;
    bool found = false;
};
Snap Nearest(std::int32_t start, std::int32_t end, const std::vector<std::int32_t>& lines, std::int32_t reach) {
    const std::pair<Edge, std::int32_t> edges[] = {{Edge::Start, start}, {Edge::Middle, (start + end) / 2}, {Edge::End, end}};
    Snap best;
    for (const std::int32_t line : lines)
        for (const auto& [edge, at] : edges) {
            const std::int32_t shift = line - at;
            if (std::abs(shift) <= reach && (!best.found || std::abs(shift) < std::abs(best.shift)))
                best = {shift, line, edge, true};
        }
    return best;
}

// What a decorative line offers to snap to across it: its two edges, and beyond it the gap that
// lies between it and the nearest item before it, so that the item below a line under the name
// sits as far from the line as the name does. before: the far edges (bottoms or rights) of the
// other items.
void AddLineSnaps(std::int32_t at, std::int32_t width, const std::vector<std::int32_t>& before,
                  std::vector<std::int32_t>& lines) {
    const std::int32_t nearEdge = at - width / 2, farEdge = nearEdge + std::max(width, 1);
    std::optional<std::int32_t> nearest;
    for (const std::int32_t edge : before)
        if (edge <= nearEdge && (!nearest || edge > *nearest)) nearest = edge;
    const std::int32_t gap = nearest ? nearEdge - *nearest : kLineGap;
    lines.insert(lines.end(), {nearEdge, farEdge, farEdge + gap});
}

}  // namespace

std::optional<ItemBox> TagEditor::SelectedBox() {
    const std::vector<ItemBox> boxes = session_.CurrentItemBoxes();
    const ItemBox* box = BoxOf(boxes, session_.SelectedItem());
    return box == nullptr ? std::nullopt : std::optional<ItemBox>(*box);
}

bool TagEditor::Press(std::int32_t x, std::int32_t y, std::int32_t reach) {
    CardValue card = session_.CurrentCardValue();
    const std::vector<ItemBox> boxes = session_.ItemBoxesOf(card);
    if (const ItemBox* selected = BoxOf(boxes, session_.SelectedItem())) {
        const auto near = [&](std::int32_t cx, std::int32_t cy) { return std::abs(x - cx) <= reach && std::abs(y - cy) <= reach; };
        const std::pair<Grip, bool> corners[] = {{Grip::TopLeft, near(selected->left, selected->top)},
                                                 {Grip::TopRight, near(selected->right, selected->top)},
                                                 {Grip::BottomLeft, near(selected->left, selected->bottom)},
                                                 {Grip::BottomRight, near(selected->right, selected->bottom)}};
        for (const auto& [grip, isNear] : corners)
            if (isNear) return Start(*selected, grip, x, y, std::move(card), boxes);
    }
    const auto top = std::find_if(boxes.rbegin(), boxes.rend(), [&](const ItemBox& box) { return box.Contains(x, y); });
    return top != boxes.rend() && Start(*top, Grip::Move, x, y, std::move(card), boxes);
}

bool TagEditor::Start(const ItemBox& hit, Grip grip, std::int32_t x, std::int32_t y, CardValue card,
                      const std::vector<ItemBox>& boxes) {
    const auto item = std::find_if(card.items.begin(), card.items.end(), [&](const ItemValue& i) { return i.name == hit.item; });
    if (item == card.items.end()) return false;
    DragState state;
    state.grip = grip;
    state.startX = x;
    state.startY = y;
    state.box = hit;
    state.stored = {card.section, item->name, item->xpos, item->ypos, item->printPos, item->printVPos,
                    item->font.set ? item->font.font.lfHeight : 0};
    // A font the card does not store cannot be sized.
    if (state.grip != Grip::Move && state.stored.fontHeight == 0) state.grip = Grip::Move;
    ItemPreview free = state.stored;
    free.xpos = free.ypos = free.printPos = free.printVPos = 0;
    ApplyPreview(free, card);
    const std::vector<ItemBox> freeBoxes = session_.ItemBoxesOf(card);
    const ItemBox* origin = BoxOf(freeBoxes, hit.item);
    state.origin = origin != nullptr ? *origin : ItemBox{};
    std::vector<std::int32_t> rights, bottoms;
    for (const ItemBox& box : boxes)
        if (box.item != hit.item) {
            state.others.push_back(box);
            rights.push_back(box.right);
            bottoms.push_back(box.bottom);
        }
    for (const LineValue& line : card.lines) {
        if (!line.Draws()) continue;
        if (line.sy == line.ey) AddLineSnaps(line.sy, line.width, bottoms, state.lineRows);
        if (line.sx == line.ex) AddLineSnaps(line.sx, line.width, rights, state.lineColumns);
    }
    session_.SelectItem(hit.item);
    drag_ = std::move(state);
    return true;
}

bool TagEditor::Nudge(std::int32_t dx, std::int32_t dy) {
    CardValue card = session_.CurrentCardValue();
    const std::vector<ItemBox> boxes = session_.ItemBoxesOf(card);
    const ItemBox* selected = BoxOf(boxes, session_.SelectedItem());
    if (selected == nullptr) return false;
    const LabelExtent label = session_.State().label;
    dx = std::clamp(dx, std::min(0, -selected->left), std::max(0, label.width - selected->right));
    dy = std::clamp(dy, std::min(0, -selected->top), std::max(0, label.height - selected->bottom));
    return Start(*selected, Grip::Move, 0, 0, std::move(card), boxes) && Release(dx, dy, 0);
}

TagEditor::Placement TagEditor::Moved(std::int32_t dx, std::int32_t dy, std::int32_t snapDistance) const {
    const DragState& d = *drag_;
    const LabelExtent label = session_.State().label;
    ItemBox box = Shifted(d.box, dx, dy);
    Placement placement{d.stored, {box, {}}};
    bool centred = false, middle = false;
    // A click is not a drag: nothing snaps before the pointer moves.
    if (snapDistance > 0 && (dx != 0 || dy != 0)) {
        std::vector<std::int32_t> columns{label.width / 2}, rows{label.height / 2};
        for (const ItemBox& other : d.others) {
            columns.insert(columns.end(), {other.left, other.right, (other.left + other.right) / 2});
            rows.insert(rows.end(), {other.top, other.bottom, (other.top + other.bottom) / 2});
        }
        columns.insert(columns.end(), d.lineColumns.begin(), d.lineColumns.end());
        rows.insert(rows.end(), d.lineRows.begin(), d.lineRows.end());
        const Snap x = Nearest(box.left, box.right, columns, snapDistance);
        const Snap y = Nearest(box.top, box.bottom, rows, snapDistance);
        box = Shifted(box, x.shift, y.shift);
        if (x.found) placement.drag.guides.push_back({true, x.line});
        if (y.found) placement.drag.guides.push_back({false, y.line});
        centred = x.found && x.edge == Edge::Middle && x.line == label.width / 2;
        middle = y.found && y.edge == Edge::Middle && y.line == label.height / 2;
    }
    placement.drag.box = box;
    ItemPreview& p = placement.preview;
    // An axis the item did not move along keeps its alignment; one it snapped to the tag's centre
    // on is centred, so that every card's text is centred whatever its length.
    if (box.left != d.box.left) {
        p.printPos = centred ? static_cast<std::int32_t>(AlignmentCode::Centre) : 0;
        p.xpos = std::clamp(box.left - d.origin.left, 0, label.width);
    }
    if (box.top != d.box.top) {
        p.printVPos = middle ? 2 : 0;
        p.ypos = std::clamp(box.top - d.origin.top, 0, label.height);
    }
    return placement;
}

TagEditor::Placement TagEditor::Sized(std::int32_t dy) const {
    const DragState& d = *drag_;
    const bool fromTop = d.grip == Grip::TopLeft || d.grip == Grip::TopRight;
    const std::int32_t height = std::max(d.box.Height(), 1);
    const std::int32_t wanted = std::max(height + (fromTop ? -dy : dy), 1);
    const std::int64_t scaled = std::int64_t{std::abs(d.stored.fontHeight)} * wanted / height;
    const std::int32_t size = static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, kSmallestFont, kLargestFont));
    Placement placement{d.stored, {d.box, {}}};
    placement.preview.fontHeight = d.stored.fontHeight < 0 ? -size : size;
    CardValue card = session_.CurrentCardValue();
    ApplyPreview(placement.preview, card);
    const std::vector<ItemBox> boxes = session_.ItemBoxesOf(card);
    if (const ItemBox* box = BoxOf(boxes, d.stored.item)) placement.drag.box = *box;
    return placement;
}

TagEditor::Placement TagEditor::PlacementAt(std::int32_t x, std::int32_t y, std::int32_t snapDistance) const {
    const std::int32_t dx = x - drag_->startX, dy = y - drag_->startY;
    return drag_->grip == Grip::Move ? Moved(dx, dy, snapDistance) : Sized(dy);
}

std::optional<TagDrag> TagEditor::Drag(std::int32_t x, std::int32_t y, std::int32_t snapDistance) {
    if (!drag_) return std::nullopt;
    Placement placement = PlacementAt(x, y, snapDistance);
    session_.State().preview = placement.preview;
    return std::move(placement.drag);
}

bool TagEditor::Release(std::int32_t x, std::int32_t y, std::int32_t snapDistance) {
    if (!drag_) return false;
    const ItemPreview placement = PlacementAt(x, y, snapDistance).preview;
    const ItemPreview stored = drag_->stored;
    Cancel();
    return Store(placement, stored);
}

void TagEditor::Cancel() {
    drag_.reset();
    session_.State().preview.reset();
}

bool TagEditor::Store(const ItemPreview& placement, const ItemPreview& before) {
    if (placement.xpos == before.xpos && placement.ypos == before.ypos && placement.printPos == before.printPos &&
        placement.printVPos == before.printVPos && placement.fontHeight == before.fontHeight)
        return false;
    RecordProfile& record = session_.Record();
    const std::string& slot = session_.State().slotPrefix;
    const std::string& section = placement.section;
    ScopedDesignChange change(session_);
    // Only what changed is written: keys a card does not have stay missing.
    const auto write = [&](const char* suffix, std::int32_t value, std::int32_t was) {
        if (value != was) record.WriteInt(section, ItemKey(slot, placement.item, suffix), value);
    };
    write("Xpos", placement.xpos, before.xpos);
    write("Ypos", placement.ypos, before.ypos);
    write("PrintPos", placement.printPos, before.printPos);
    write("PrintVPos", placement.printVPos, before.printVPos);
    LogFont font;
    ColorRef color = 0;
    const std::string prefix = ItemKey(slot, placement.item, "");
    if (placement.fontHeight != before.fontHeight && CFontSetting::Load(section, prefix, font, color, record.Path())) {
        font.lfHeight = placement.fontHeight;
        CFontSetting::Save(section, prefix, font, color, record.Path());
    }
    change.Commit();
    session_.StoredChanged();
    return true;
}
