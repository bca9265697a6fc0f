#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editing/input_dialog_link.h"
#include "render/item_boxes.h"
#include "render/surface.h"
#include "render/view_state.h"
#include "store/card_design.h"
#include "store/profiles.h"

// Where a change to a tag's design goes: every card that shares the current card's design (同じ
// デザイン), the change itself to every card of the label slot whatever its design (全員), or the
// current card alone.
enum class DesignScope { SameDesign, Everyone, ThisCard };

// What the edit view, the input dialog and the プロパティ panel work on together: the settings
// and record file, the drawing state, the item being edited, the scope of design changes and
// the input dialog's side of the hand-over. Each of them follows the others' changes through it.
class EditSession {
public:
    enum class Change { Selection, Stored };
    using Follower = std::function<void(Change)>;
    static constexpr int kNobody = -1;

    EditSession(const std::vector<std::string>& userItems, std::function<Surface&()> measuringSurface);

    const SettingsProfile& Settings() const { return settings_; }
    RecordProfile& Record() { return record_; }
    const RecordProfile& Record() const { return record_; }
    ViewState& State() { return view_; }
    const ViewState& State() const { return view_; }

    void SetInputDialog(InputDialogLink* dialog) { inputDialog_ = dialog; }
    InputDialogLink* InputDialog() const { return inputDialog_; }
    // The input dialog closed: the view is back on the sheet.
    void InputDialogClosed();

    // Followers are told of a new selected item and of stored changes to the current card, except
    // the one that made them.
    int Follow(Follower follower);
    void Unfollow(int id) { followers_.erase(id); }
    const std::string& SelectedItem() const { return selectedItem_; }
    void SelectItem(const std::string& item, int by = kNobody);
    void StoredChanged(int by = kNobody);

    std::int32_t CurrentCard() const;
    std::string CurrentSection() const;
    // The current card as it draws, and where its items go (in drawing order) on it or on a
    // version of it changed in memory.
    CardValue CurrentCardValue() { return CardValueOf(CurrentSection()); }
    CardValue CardValueOf(const std::string& section);
    std::vector<ItemBox> ItemBoxesOf(const CardValue& card);
    std::vector<ItemBox> CurrentItemBoxes() { return ItemBoxesOf(CurrentCardValue()); }
    // The width and height of an item's text on the current card in its stored font, in logical
    // units; 0 for no text, −1 when it cannot be measured.
    std::int32_t ItemTextWidth(const std::string& item);
    std::int32_t ItemTextHeight(const std::string& item);

    DesignScope Scope() const { return scope_; }
    void SetScope(DesignScope scope) { scope_ = scope; }
    // The cards sharing the current card's design for the slot, the card included.
    std::vector<std::int32_t> CardsSharingDesign() const;
    // How many cards the record file holds.
    std::int32_t CardCount() const;
    // Back to the usual scope for the current card: the same design when others share it.
    void ResetScope();

private:
    void Tell(Change change, int by);
    Surface& SurfaceWithItemFont(const std::string& item);

    const SettingsProfile settings_;
    RecordProfile record_;
    ViewState view_;
    std::function<Surface&()> measuringSurface_;
    InputDialogLink* inputDialog_ = nullptr;
    std::string selectedItem_;
    DesignScope scope_ = DesignScope::SameDesign;
    std::map<int, Follower> followers_;
    int nextFollower_ = 0;
};

// One change to the current card's design, made by the caller between construction and Commit:
// with the scope 同じデザイン the cards that shared the design before it get the card's new design;
// with 全員 every other card of the slot gets the keys the change made, added or removed, and
// keeps the rest of its own design.
class ScopedDesignChange {
public:
    explicit ScopedDesignChange(EditSession& session);
    // Flushes the record file and copies the design; returns how many cards it went to, the
    // current one included.
    std::int32_t Commit();

private:
    EditSession& session_;
    std::vector<std::int32_t> sharing_;
    std::optional<cards::Design> before_;  // 全員: the card's design before the change
};
