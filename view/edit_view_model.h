#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editing/edit_session.h"
#include "editing/tag_editor.h"
#include "render/view_state.h"
#include "store/profiles.h"
#include "view/commands.h"
#include "view/view_platform.h"

// A rectangle in logical units measured from the view's origin, right and down positive.
struct DragRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t Height() const { return bottom - top; }
};

// The edit view's behaviour: its state, which command is available when, and what each does.
// Pointer positions arrive already mapped to logical units (1/100 inch from the top-left of the
// view's contents), so that clicks land where they are made at any screen resolution and scroll
// position.
class EditViewModel {
public:
    EditViewModel(ViewPlatform& platform, const std::vector<std::string>& userItems);

    // The start of the view: settles cabinet, record file and label slot, asking for what is
    // not stored.
    void Start();

    bool IsAvailable(CommandId command);
    // Runs a command the model handles itself; false for the ones it leaves to its window
    // (printing, the option dialogs).
    bool Execute(CommandId command);

    // Opens a record file again by its stored path (the recent-file list): its cabinet is the one
    // whose folder holds it, "その他" for any other folder. Like "開く", not while the input
    // dialog is open.
    void OpenRecordFileAt(const std::string& storedPath);

    // "上書き保存": every change is written as it is made, so there is nothing left to save; the
    // files are flushed all the same. Returns what to tell the user.
    std::string Save();

    EditSession& Session() { return session_; }
    void SetInputDialog(InputDialogLink* dialog) { session_.SetInputDialog(dialog); }
    // The input dialog closed: back to the sheet.
    void InputDialogClosed();
    const std::string& SelectedItem() const { return session_.SelectedItem(); }
    void SetSelectedItem(const std::string& item) { session_.SelectItem(item); }

    void DoubleClick(std::int32_t x, std::int32_t y);
    void PressMouse(std::int32_t x, std::int32_t y);
    // The rectangle to show while dragging, or nothing when no drag is under way. While an item
    // is dragged it is ItemDrag that changes, and the view draws it again.
    std::optional<DragRect> MoveMouse(std::int32_t x, std::int32_t y);
    void ReleaseMouse(std::int32_t x, std::int32_t y);
    // Pointer distances at the view's zoom, in logical units: how near a corner of the selected
    // item a press grips it, and how near a line a dragged item snaps to it (0: no snapping).
    void SetPointerReach(std::int32_t grip, std::int32_t snap) {
        gripReach_ = grip;
        snapReach_ = snap;
    }
    // While an item is dragged on the tag: where it goes and the lines it snapped to, in logical
    // units from the view's origin.
    const std::optional<TagDrag>& ItemDrag() const { return itemDrag_; }
    // The selected item's box on the tag the view edits, from the view's origin.
    std::optional<ItemBox> SelectionOnView();
    // A nudge command repeated (Shift with an arrow key), as one change.
    void NudgeRepeated(CommandId command, std::int32_t times);

    // Whether printing, its preview or a PDF would give blank tags only: the job has cards, but
    // none of them prints a name, so none draws any text. The user is told before the job runs.
    bool PrintsBlankTags();
    // Whether a text of the job holds a character no installed face draws: it would print as a box.
    bool PrintsMissingCharacters();
    // The sheet shows no name at all (a new record file): the view offers to make tags from a list.
    bool SheetShowsNoName();

    std::int32_t ScreenPage() const;
    // Turns the sheet to the page that shows the card (when it is printed at all) and redraws;
    // in card mode the card itself is shown.
    void ShowCardPage(std::int32_t card);
    ViewState& State() { return view_; }
    const RecordProfile& Record() const { return record_; }
    // The input dialog switches the record file and cabinet through it.
    RecordProfile& Record() { return record_; }
    const SettingsProfile& Settings() const { return settings_; }
    ViewMode Mode() const { return view_.mode; }

    // A record file was opened: the sheets recorded in it that differ from the settings are put
    // into the settings, as one step of undo. Returns what to tell the user, or nothing.
    std::string FollowRecordedSheets();

    // Re-reads the tag's size and the sheet offsets: a click or drag on the tag needs them as
    // stored, and so does drawing after a stored change (a sheet chosen, an undo).
    void ReadOffsets();

private:
    void OpenInput();
    void OpenRecordFile();
    void SwitchCabinet();
    void SwitchLabel();
    void ChooseGuideLineColor();
    void StepPage(std::int32_t step);
    // Where the tag being edited lies on the view: card mode's one tag, or the current card's on
    // the sheet page shown (nothing when it is on another page).
    std::optional<LogicalPoint> TagOrigin();
    // A press on the sheet: on an item of a tag of the page, that card becomes the current one
    // and the press takes the item.
    bool PressOnSheet(std::int32_t x, std::int32_t y);
    bool Nudge(CommandId command, std::int32_t times = 1);
    // On the sheet the arrows move the item selected there: how far one step of the command goes,
    // or nothing when it does not move it.
    std::optional<LogicalPoint> SheetNudge(CommandId command) const;
    bool NudgeOnce(CommandId command, InputDialogLink& inputDialog);
    bool NudgeAvailable(CommandId command);
    ItemBox OnView(ItemBox box, LogicalPoint origin) const;
    DragRect DragRectTo(std::int32_t x, std::int32_t y) const;
    void FitFontToDrag(const DragRect& rect);
    std::int32_t LastPage();

    ViewPlatform& platform_;
    EditSession session_;
    const SettingsProfile& settings_;
    RecordProfile& record_;
    ViewState& view_;
    TagEditor tagEditor_{session_};
    std::optional<TagDrag> itemDrag_;
    std::int32_t gripReach_ = 5, snapReach_ = 5;
    // Where the item being dragged was pressed from, on the view: its tag's top-left corner.
    LogicalPoint dragOrigin_;
    // On the sheet the selection is shown once an item has been pressed there.
    bool sheetSelection_ = false;
    std::int32_t top_ = 10, left_ = 10;  // "Option" "Top" / "Left", re-read at each press
    std::optional<LogicalPoint> dragStart_;
};
