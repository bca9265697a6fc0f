#include "dialogs/enter_dialog_model.h"

#include "designs/category_rules.h"
#include "designs/record_designs.h"
#include "dialogs/step_value.h"
#include "store/card_operations.h"
#include "store/codec.h"
#include "store/cp932.h"
#include "store/exact_text.h"
#include "store/font_setting.h"
#include "store/profile_value.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";
// A position typed out of range is replaced by this one.
constexpr const char* kReplacementPosition = "10";
constexpr const char* kRegisterDefaultsNote =
    "現在選択されているサイズのみ保存されます。他のサイズも必要な場合はラベルを選択して同じことをくり返して下さい。";
constexpr const char* kLoadDefaultsQuestion =
    "入力済みのデータが破棄されデフォールト値に置換えられます。よろしいですか？";

std::size_t AxisIndex(EnterDialogModel::Axis axis) { return static_cast<std::size_t>(axis); }

std::int32_t NormalisedSlot(std::int32_t slot) { return slot == 2 || slot == 3 ? slot : 1; }

// The file name part of a stored path.
std::string TitleOf(const std::string& path) {
    const std::size_t slash = cp932::FindLastChar(path, '/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int IndexIgnoringCase(const std::vector<std::string>& entries, const std::string& name) {
    const std::string folded = cp932::FoldAsciiCase(name);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (cp932::FoldAsciiCase(entries[i]) == folded) return static_cast<int>(i);
    return -1;
}

}  // namespace

EnterDialogModel::EnterDialogModel(EnterDialogPlatform& platform, EditSession& session,
                                   std::vector<std::string> userItems)
    : itemName(codec::Sjis("氏名")),
      platform_(platform),
      session_(session),
      settings_(session.Settings()),
      record_(session.Record()),
      userItems_(std::move(userItems)) {}

EnterDialogModel::~EnterDialogModel() {
    session_.Unfollow(follower_);
    if (session_.InputDialog() == this) session_.SetInputDialog(nullptr);
}

void EnterDialogModel::Follow(EditSession::Change change) {
    if (change == EditSession::Change::Stored) {
        OnStoredChanged();
    } else {
        const int index = IndexIgnoringCase(items, session_.SelectedItem());
        if (index < 0 || index == itemSelection) return;
        OnItemChosen(index);
    }
    platform_.ShowFields();
}

void EnterDialogModel::OnOpen() {
    hideImage = record_.ReadInt("Option", "NoBMPEdit", 0) != 0;
    items = ItemList(userItems_);
    LoadValueLists(settings_, items, valueLists_);
    // An item clicked on the sheet before opening is the one to edit.
    itemName = session_.SelectedItem().empty() ? record_.ReadString("Current", "ItemName", codec::Sjis("氏名"))
                                               : session_.SelectedItem();
    itemSelection = IndexIgnoringCase(items, itemName);

    cabinet = settings_.ReadString("Current", "Genre", codec::Sjis("常用"));
    record_.SetCabinet(cabinet);
    std::string path = settings_.ReadString("CurrentIni", cabinet, "");
    if (path.empty() && ChooseRecordFileStep()) path = record_.Path();
    settings_.WriteString("CurrentIni", cabinet, path);
    settings_.Flush();
    record_.SetPath(path);
    record_.Flush();
    recordTitle = TitleOf(path);

    ShowCard(record_.ReadInt(kSettingSection, "CurID", 0));
    settings_.Flush();
    ApplySlot(session_.State().slot);
    Refill();
    Load();
    session_.SetInputDialog(this);
    follower_ = session_.Follow([this](EditSession::Change change) { Follow(change); });
}

void EnterDialogModel::Save() {
    const bool changed = exact_text::Read(record_, cardSection, itemName) != itemText;
    if (SaveItem(record_, cardSection, slotPrefix_, itemName,
                 {itemText, position[AxisIndex(Axis::X)], position[AxisIndex(Axis::Y)], print ? 1 : 0}) &&
        changed)
        designs::FollowCategoryChange(settings_, record_, profile::ParseLeadingInt(cardSection), itemName);
}

void EnterDialogModel::Load() {
    const ItemRecord loaded = LoadItem(settings_, record_, cardSection, slotPrefix_, itemName);
    itemText = loaded.text;
    position = {loaded.xpos, loaded.ypos};
    print = loaded.print != 0;
    session_.SelectItem(itemName, follower_);
    UpdateStepButtons();
}

void EnterDialogModel::Refill() {
    const bool hasList = itemSelection >= 0 && static_cast<std::size_t>(itemSelection) < kValueListCount;
    contentList = hasList ? valueLists_[static_cast<std::size_t>(itemSelection)] : std::vector<std::string>{};
}

void EnterDialogModel::RedrawToFront() {
    if (bringToFront_) platform_.BringToFront();
    bringToFront_ = true;
    platform_.RefreshAllViews();
}

void EnterDialogModel::OnItemChosen(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return;
    Save();
    itemSelection = index;
    itemName = items[static_cast<std::size_t>(index)];
    Refill();
    Load();
}

void EnterDialogModel::OnContentEdited() { OnUpdateView(); }

void EnterDialogModel::OnUpdateView() {
    Save();
    RedrawToFront();
}

LabelExtent EnterDialogModel::Label() const { return LabelSize(settings_, slot_); }

std::int32_t EnterDialogModel::Bound(Axis axis) const {
    const LabelExtent label = Label();
    return axis == Axis::X ? label.width : label.height;
}

void EnterDialogModel::UpdateStepButtons() {
    for (const Axis axis : {Axis::X, Axis::Y})
        stepUpEnabled[AxisIndex(axis)] = profile::ParseLeadingInt(position[AxisIndex(axis)]) < Bound(axis);
}

void EnterDialogModel::WriteFreeAlignment() {
    SetAlignment(record_, cardSection, slotPrefix_, itemName, AlignmentCode::Free);
    record_.Flush();
}

void EnterDialogModel::OnPositionEdited(Axis axis) {
    std::string& field = position[AxisIndex(axis)];
    const std::int32_t value = profile::ParseLeadingInt(field);
    if (value < 0 || value > Bound(axis)) {
        platform_.Beep();
        platform_.ShowMessage(codec::Sjis("不正な値です"));
        field = kReplacementPosition;
    }
    // A typed position is free, whatever alignment was chosen before; Y has no such code here.
    if (axis == Axis::X) WriteFreeAlignment();
    UpdateStepButtons();
}

void EnterDialogModel::OnStep(Axis axis, std::int32_t step) {
    std::string& field = position[AxisIndex(axis)];
    field = SteppedText(field, step, 0, Bound(axis));
    if (axis == Axis::X) WriteFreeAlignment();
    UpdateStepButtons();
    ApplyPosition();
}

void EnterDialogModel::OnPositionEntered(Axis axis) {
    OnPositionEdited(axis);
    ApplyPosition();
}

void EnterDialogModel::ApplyPosition() {
    Save();
    record_.Flush();
    platform_.RefreshAllViews();
    session_.StoredChanged(follower_);
}

void EnterDialogModel::OnAlign(AlignmentCode code) {
    if (aligning_) return;
    aligning_ = true;
    std::optional<std::int32_t> x;
    if (code == AlignmentCode::Left) {
        x = 0;
    } else {
        // Centring and right-justifying need the stored text in the item's stored font.
        LogFont font;
        ColorRef color = 0;
        const bool hasFont =
            CFontSetting::Load(cardSection, ItemKey(slotPrefix_, itemName, ""), font, color, record_.Path());
        const std::int32_t width = hasFont ? session_.ItemTextWidth(itemName) : 0;
        const std::int32_t W = Label().width;
        if (width > 0) x = width >= W ? 0 : code == AlignmentCode::Centre ? (W - width) / 2 : W - width;
    }
    if (x) {
        position[AxisIndex(Axis::X)] = std::to_string(*x);
        UpdateStepButtons();
        Save();
        SetAlignment(record_, cardSection, slotPrefix_, itemName, code);
        record_.Flush();
        platform_.RefreshAllViews();
    }
    aligning_ = false;
}

void EnterDialogModel::OnPrintToggled() {
    Save();
    platform_.RefreshAllViews();
}

void EnterDialogModel::OnHideImageToggled() {
    record_.WriteInt("Option", "NoBMPEdit", hideImage ? 1 : 0);
    record_.Flush();
    platform_.RefreshAllViews();
}

void EnterDialogModel::OnFont() {
    const std::string prefix = ItemKey(slotPrefix_, itemName, "");
    LogFont font = DefaultItemFont();
    ColorRef color = 0;
    CFontSetting::Load(cardSection, prefix, font, color, record_.Path());
    // The colour starts at black; the text angle is not the font dialog's to change.
    const std::optional<FontChoice> chosen = platform_.ChooseFont(ToFontChoice(font, 0));
    if (!chosen) return;
    const std::int32_t escapement = font.lfEscapement;
    ApplyFontChoice(*chosen, font);
    font.lfEscapement = escapement;
    CFontSetting::Save(cardSection, prefix, font, chosen->color, record_.Path());
    record_.Flush();
    OnUpdateView();
}

void EnterDialogModel::ApplySlot(std::int32_t slot) {
    slot_ = NormalisedSlot(slot);
    for (std::size_t i = 0; i < slotButtons.size(); ++i) slotButtons[i] = static_cast<std::int32_t>(i) + 1 == slot_;
    slotPrefix_ = std::to_string(slot_);
    SetCurrentSlot(record_, slot_);
    record_.Flush();
    // The view measures and places the item with the slot's keys before it next draws.
    ViewState& state = session_.State();
    state.slot = slot_;
    state.slotPrefix = slotPrefix_;
    state.label = Label();
}

void EnterDialogModel::OnSlot(std::int32_t slot) {
    ApplySlot(slot);
    Refill();
    Load();
    OnUpdateView();
}

void EnterDialogModel::ShowCard(std::int32_t card) {
    card_ = card;
    cardSection = CardSectionName(card_);
    previousEnabled = card_ != 0;
}

void EnterDialogModel::OnNext() {
    Save();
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(settings_, library);
    ShowCard(cards::NextCardInheriting(settings_, record_, ItemList(userItems_), &ruled).current);
    Refill();
    Load();
    RedrawToFront();
}

void EnterDialogModel::OnStoredChanged() {
    ShowCard(record_.ReadInt(kSettingSection, "CurID", 0));
    Refill();
    Load();
}

void EnterDialogModel::OnPrevious() {
    if (card_ == 0) return;
    Save();
    ShowCard(PreviousCard(record_).current);
    Refill();
    Load();
    RedrawToFront();
}

bool EnterDialogModel::ChooseRecordFileStep() {
    const std::optional<std::string> fileName = platform_.ChooseRecordFile(cabinet);
    if (!fileName) return false;
    record_.SetCabinet(cabinet);
    ChooseRecordFile(settings_, record_, *fileName);
    designs::StartCurrentRecordFile(settings_, record_);
    recordTitle = TitleOf(record_.Path());
    return true;
}

void EnterDialogModel::ReloadRecordFile() {
    settings_.Flush();
    record_.Flush();
    recordTitle = TitleOf(record_.Path());
    // A record file keeps its own slot; one that has none yet goes on with the slot in use.
    ApplySlot(StoredSlot(record_) == 0 ? slot_ : CurrentSlot(record_));
    ShowCard(record_.ReadInt(kSettingSection, "CurID", 0));
    Refill();
    Load();
    OnUpdateView();
}

void EnterDialogModel::OnChangeRecordFile() {
    Save();
    settings_.Flush();
    record_.Flush();
    ChooseRecordFileStep();
    settings_.WriteString("CurrentIni", cabinet, record_.Path());
    record_.SetCabinet(cabinet);
    ReloadRecordFile();
}

void EnterDialogModel::OnChangeCabinet() {
    Save();
    settings_.Flush();
    record_.Flush();
    // The cabinet changes only together with a record file in it: a cancelled choice of either
    // leaves both as they were.
    if (const std::optional<std::string> chosen = platform_.ChooseCabinet(cabinet)) {
        if (const std::optional<std::string> fileName = platform_.ChooseRecordFile(*chosen)) {
            cabinet = *chosen;
            settings_.WriteString("Current", "Genre", cabinet);
            record_.SetCabinet(cabinet);
            ChooseRecordFile(settings_, record_, *fileName);
            designs::StartCurrentRecordFile(settings_, record_);
        }
    }
    ReloadRecordFile();
}

void EnterDialogModel::OnRegisterDefaults() {
    platform_.ShowMessage(codec::Sjis(kRegisterDefaultsNote));
    RegisterDefaults(settings_, record_, cardSection, slotPrefix_, [this] { Save(); });
}

void EnterDialogModel::OnLoadDefaults() {
    if (!platform_.AskOkCancel(codec::Sjis(kLoadDefaultsQuestion))) return;
    LoadDefaults(settings_, record_, cardSection, slotPrefix_);
    Refill();
    Load();
    platform_.RefreshAllViews();
}

bool EnterDialogModel::OnOk() {
    record_.WriteString("Current", "ItemName", itemName);
    Save();
    session_.Unfollow(follower_);
    follower_ = EditSession::kNobody;
    session_.InputDialogClosed();
    record_.Flush();
    platform_.RefreshAllViews();
    return true;
}

void EnterDialogModel::SetPosition(ItemPosition at, bool bringToFront) {
    position = {std::to_string(at.x), std::to_string(at.y)};
    UpdateStepButtons();
    platform_.ShowFields();
    Save();
    WriteFreeAlignment();
    bringToFront_ = bringToFront;
    RedrawToFront();
}

ItemPosition EnterDialogModel::GetPosition() const {
    return {profile::ParseLeadingInt(position[AxisIndex(Axis::X)]),
            profile::ParseLeadingInt(position[AxisIndex(Axis::Y)])};
}
