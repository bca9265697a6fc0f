#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/font_choice.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/value_lists.h"
#include "editing/edit_session.h"
#include "editing/input_dialog_link.h"

// What the input dialog needs from the window system; tests put their own in its place. Texts
// are stored text (code page 932).
class EnterDialogPlatform {
public:
    virtual ~EnterDialogPlatform() = default;
    virtual void Beep() = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // True for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
    virtual std::optional<std::string> ChooseCabinet(const std::string& preset) = 0;
    virtual std::optional<std::string> ChooseRecordFile(const std::string& cabinet) = 0;
    virtual void RefreshAllViews() = 0;
    virtual void BringToFront() = 0;
    // The fields changed outside an event of the dialog's own controls (the view's hand-over).
    virtual void ShowFields() = 0;
};

// The input dialog ("入力"): fills in, places and styles the items of the current card, steps
// between cards and switches label slot, cabinet and record file. Every change goes straight to
// the record file of the view's RecordProfile.
//
// The window moves its controls' values into the fields before calling a handler and shows the
// fields afterwards.
class EnterDialogModel : public InputDialogLink {
public:
    enum class Axis { X = 0, Y = 1 };

    EnterDialogModel(EnterDialogPlatform& platform, EditSession& session, std::vector<std::string> userItems);
    ~EnterDialogModel() override;
    EnterDialogModel(const EnterDialogModel&) = delete;
    EnterDialogModel& operator=(const EnterDialogModel&) = delete;

    // Fields exchanged with the controls.
    std::array<bool, kLabelSlotCount> slotButtons{};  // "名刺ｻｲｽﾞ", "ﾕｰｻﾞｰ(1)", "ﾕｰｻﾞｰ(2)"
    std::vector<std::string> items;                   // the item list
    int itemSelection = -1;                           // index into items, -1 for none
    std::string itemName;
    std::string itemText;                           // "内容"
    std::vector<std::string> contentList;           // the drop-down list of "内容"
    std::array<std::string, 2> position{"0", "0"};  // "X座標", "Y座標", as typed
    // The +1 step buttons; the −1 buttons are always available.
    std::array<bool, 2> stepUpEnabled{true, true};
    bool print = false;      // "印刷する"
    bool hideImage = false;  // "編集中は画像を非表示"
    std::string cabinet;
    std::string recordTitle;
    std::string cardSection;
    bool previousEnabled = false;  // "前"

    void OnOpen();
    // A click in the item list: the item highlighted is the item edited.
    void OnItemChosen(int index);
    void OnContentEdited();
    void OnUpdateView();  // "ﾋﾞｭｰ更新"
    void OnPositionEdited(Axis axis);
    // Enter or Tab in a position: the item moves there at once.
    void OnPositionEntered(Axis axis);
    void OnStep(Axis axis, std::int32_t step);
    void OnAlign(AlignmentCode code);  // "右つめ", "ｾﾝﾀﾘﾝｸﾞ", "左つめ"
    void OnPrintToggled();
    void OnHideImageToggled();
    void OnFont();
    void OnSlot(std::int32_t slot);
    void OnNext();
    void OnPrevious();
    void OnChangeRecordFile();
    void OnChangeCabinet();
    void OnRegisterDefaults();
    void OnLoadDefaults();
    // The cards changed elsewhere (the roster): shows the current card and the item in use as
    // stored now, without storing the fields first.
    void OnStoredChanged();
    // Returns true: the window closes. The view is back on the sheet.
    bool OnOk();

    // The view's hand-over.
    void SetPosition(ItemPosition at, bool bringToFront) override;
    ItemPosition GetPosition() const override;

private:
    void Save();
    void Load();
    void Refill();
    // Makes itself the active window unless the view asked it not to once, then redraws.
    void RedrawToFront();
    void ApplySlot(std::int32_t slot);
    void ShowCard(std::int32_t card);
    // Rereads the card position of the record file in use and everything shown for it.
    void ReloadRecordFile();
    // The record-file chooser step: true when a file was chosen and made current.
    bool ChooseRecordFileStep();
    LabelExtent Label() const;
    std::int32_t Bound(Axis axis) const;
    void UpdateStepButtons();
    void WriteFreeAlignment();
    // The item placed as the fields say, shown at once everywhere.
    void ApplyPosition();
    // A change made in the view or the panel: the selected item or the stored card.
    void Follow(EditSession::Change change);

    EnterDialogPlatform& platform_;
    EditSession& session_;
    int follower_ = EditSession::kNobody;
    const SettingsProfile& settings_;
    RecordProfile& record_;
    std::vector<std::string> userItems_;
    ValueLists valueLists_;
    std::int32_t slot_ = 1;
    std::string slotPrefix_ = "1";
    std::int32_t card_ = 0;
    bool bringToFront_ = true;
    bool aligning_ = false;
};
