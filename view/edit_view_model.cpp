#include "view/edit_view_model.h"

#include <algorithm>

#include "designs/record_designs.h"
#include "lists/character_check.h"
#include "render/blank_job.h"
#include "render/card.h"
#include "render/sheet.h"
#include "sheets/recorded_sheet.h"
#include "store/card_deck.h"
#include "store/font_setting.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";
// A dragged rectangle sizes the text to its height, up to half an inch.
constexpr std::int32_t kMaxDragHeight = 50;
// A rectangle lower than this is a click, not a drag: it places the item but keeps its font
// (sizing to a flat rectangle would throw the chosen size away).
constexpr std::int32_t kMinDragHeight = 5;
// The font-fitting loop stops here even if measuring never catches up.
constexpr std::int32_t kMaxFittedHeight = 1000;

bool IsNudge(CommandId command) {
    return command >= CommandId::AlignRight && command <= CommandId::MoveDown;
}

bool IsHorizontal(CommandId command) {
    switch (command) {
        case CommandId::AlignRight:
        case CommandId::AlignCenter:
        case CommandId::AlignLeft:
        case CommandId::MoveLeft:
        case CommandId::MoveLeftSmall:
        case CommandId::MoveRightSmall:
        case CommandId::MoveRight:
            return true;
        default:
            return false;
    }
}

}  // namespace

EditViewModel::EditViewModel(ViewPlatform& platform, const std::vector<std::string>& userItems)
    : platform_(platform),
      session_(userItems, [&platform]() -> Surface& { return platform.MeasuringSurface(); }),
      settings_(session_.Settings()),
      record_(session_.Record()),
      view_(session_.State()) {}

void EditViewModel::Start() {
    ViewChoosers choosers;
    choosers.chooseCabinet = [this](const std::string& preset) { return platform_.ChooseCabinet(preset); };
    choosers.chooseRecordFile = [this](const std::string& cabinet) { return platform_.ChooseRecordFile(cabinet); };
    choosers.chooseLabelSlot = [this](std::int32_t current) { return platform_.ChooseLabelSlot(current); };
    view_.slotPrefix = StartView(settings_, record_, choosers);
    designs::StartCurrentRecordFile(settings_, record_);
    view_.slot = CurrentSlot(record_);
    view_.label = LabelSize(settings_, view_.slot);
}

std::int32_t EditViewModel::ScreenPage() const {
    return settings_.ReadInt("CurPage", view_.slotPrefix + record_.Path(), 1);
}

std::int32_t EditViewModel::LastPage() {
    // The sheet pages of the print job, so that "次のページ" is offered before the last page has
    // ever been shown; the backs of a two-sided job are not pages of the screen.
    view_.slotPrefix = record_.ReadString(kSettingSection, "Label", "1");
    return SheetPageCount(view_);
}

bool EditViewModel::PrintsBlankTags() { return !ViewCardList(view_).empty() && !JobDrawsText(view_); }

bool EditViewModel::PrintsMissingCharacters() {
    static const UnihanVariants noSubstitutes = UnihanVariants::FromText("");
    const cards::RecordCards cards(ProfileFile::AtStoredPath(record_.Path()).FsPath(), ItemList(view_.userItems));
    const std::vector<character_check::Finding> findings =
        character_check::Check(cards, character_check::AnyFaceDraws, noSubstitutes);
    return std::any_of(findings.begin(), findings.end(),
                       [](const character_check::Finding& f) { return (f.kinds & character_check::kNoFace) != 0; });
}

bool EditViewModel::SheetShowsNoName() { return view_.mode == ViewMode::SheetMode && !JobDrawsText(view_); }

bool EditViewModel::IsAvailable(CommandId command) {
    const bool sheet = view_.mode == ViewMode::SheetMode;
    if (IsNudge(command)) return sheet ? SheetNudge(command).has_value() : NudgeAvailable(command);
    switch (command) {
        case CommandId::Input:
        case CommandId::AddItem:
        case CommandId::Print:
        case CommandId::PrintPreview:
        case CommandId::ExportPdf:
        case CommandId::ExportProof:
        // While the input dialog edits a card, it alone switches record file, cabinet and label
        // slot (it has buttons of its own for each): a switch from the window would leave it
        // writing to the old slot or file.
        case CommandId::FileOpen:
        case CommandId::SwitchCabinet:
        case CommandId::SwitchLabel:
        // An import may add cards and turn to a new record file; names written into every card
        // would pass under the input dialog's card.
        case CommandId::MergePrint:
        case CommandId::ImportList:
        case CommandId::MakeFromList:
        case CommandId::Romaji:
            return sheet;
        case CommandId::PreviousPage:
            return sheet && ScreenPage() != 1;
        case CommandId::NextPage:
            return sheet && ScreenPage() < LastPage();
        case CommandId::Undo:
            return profile::ProfileService::Instance().CanUndo(ProfileFile::AtStoredPath(record_.Path()).FsPath());
        case CommandId::Redo:
            return profile::ProfileService::Instance().CanRedo(ProfileFile::AtStoredPath(record_.Path()).FsPath());
        case CommandId::FileNew:
        case CommandId::FileSaveAs:
        case CommandId::Cut:
        case CommandId::Copy:
        case CommandId::Paste:
            return false;
        default:
            return true;
    }
}

bool EditViewModel::Execute(CommandId command) {
    if (!IsAvailable(command)) return true;
    if (IsNudge(command)) return Nudge(command);
    switch (command) {
        case CommandId::Input: OpenInput(); return true;
        case CommandId::FileOpen: OpenRecordFile(); return true;
        case CommandId::SwitchCabinet: SwitchCabinet(); return true;
        case CommandId::SwitchLabel: SwitchLabel(); return true;
        case CommandId::GuideLineColor: ChooseGuideLineColor(); return true;
        case CommandId::PreviousPage: StepPage(-1); return true;
        case CommandId::NextPage: StepPage(1); return true;
        case CommandId::HomePage: platform_.OpenHomePage(); return true;
        default: return false;
    }
}

void EditViewModel::OpenInput() {
    view_.mode = ViewMode::CardMode;
    platform_.ScrollToTopLeft();
    platform_.OpenInputDialog();
    platform_.RefreshAllViews();
}

void EditViewModel::InputDialogClosed() {
    session_.InputDialogClosed();
    platform_.RefreshAllViews();
}

void EditViewModel::OpenRecordFile() {
    if (const std::optional<std::string> cabinet = platform_.ChooseCabinet(record_.Cabinet())) {
        settings_.WriteString("Current", "Genre", *cabinet);
        settings_.Flush();
        record_.SetCabinet(*cabinet);
        record_.Flush();
        // The slot is not asked for: the next drawing reads the new file's own.
        if (const std::optional<std::string> fileName = platform_.ChooseRecordFile(*cabinet)) {
            ChooseRecordFile(settings_, record_, *fileName);
            designs::StartCurrentRecordFile(settings_, record_);
        }
    }
    platform_.RefreshAllViews();
}

void EditViewModel::OpenRecordFileAt(const std::string& storedPath) {
    if (!IsAvailable(CommandId::FileOpen)) return;
    const std::size_t slash = storedPath.rfind('/');
    const std::size_t parent = slash == std::string::npos ? std::string::npos : storedPath.rfind('/', slash - 1);
    const std::string folder =
        slash == std::string::npos ? std::string() : storedPath.substr(parent + 1, slash - parent - 1);
    const std::vector<std::string>& folders = CabinetFolders();
    const auto found = std::find(folders.begin(), folders.end(), folder);
    const std::string& cabinet = CabinetNames()[found == folders.end() ? folders.size() - 1 : found - folders.begin()];
    settings_.WriteString("Current", "Genre", cabinet);
    settings_.WriteString("CurrentIni", cabinet, storedPath);
    settings_.Flush();
    record_.SetCabinet(cabinet);
    record_.SetPath(storedPath);
    view_.slotPrefix = SlotPrefix(record_);
    view_.slot = CurrentSlot(record_);
    platform_.RefreshAllViews();
}

void EditViewModel::SwitchCabinet() {
    if (const std::optional<std::string> cabinet = platform_.ChooseCabinet(record_.Cabinet())) {
        const RecordFileChooser chooseFile = [this](const std::string& name) { return platform_.ChooseRecordFile(name); };
        if (ChooseCabinet(settings_, record_, *cabinet, chooseFile) && StoredSlot(record_) == 0) {
            if (const std::optional<std::int32_t> slot = platform_.ChooseLabelSlot(0)) SetCurrentSlot(record_, *slot);
        }
    }
    record_.Flush();
    designs::StartCurrentRecordFile(settings_, record_);
    view_.slotPrefix = SlotPrefix(record_);
    view_.slot = CurrentSlot(record_);
    settings_.Flush();
    record_.Flush();
    platform_.RefreshAllViews();
}

void EditViewModel::SwitchLabel() {
    const std::optional<std::int32_t> slot = platform_.ChooseLabelSlot(CurrentSlot(record_));
    if (!slot) return;
    SetCurrentSlot(record_, *slot);
    record_.Flush();
    view_.slot = *slot;
    view_.slotPrefix = SlotPrefix(record_);
    platform_.RefreshAllViews();
}

void EditViewModel::ChooseGuideLineColor() {
    if (const std::optional<ColorRef> color = platform_.ChooseColor(0)) {
        CColorSetting::SaveToSettings("Edit Options", "EditLineColor", *color);
        settings_.Flush();
    }
}

void EditViewModel::ShowCardPage(std::int32_t card) {
    view_.slotPrefix = record_.ReadString(kSettingSection, "Label", "1");
    const std::vector<std::string>& cards = ViewCardList(view_);
    const auto found = std::find(cards.begin(), cards.end(), CardSectionName(card));
    if (found != cards.end()) {
        const SheetLayout layout = ReadSheetLayout(view_);
        const std::int32_t perPage = layout.columns * layout.rows;
        const std::int32_t page = static_cast<std::int32_t>(found - cards.begin()) / perPage + 1;
        if (page != ScreenPage()) {
            settings_.WriteInt("CurPage", view_.slotPrefix + record_.Path(), page);
            settings_.Flush();
        }
    }
    platform_.RefreshAllViews();
}

std::string EditViewModel::Save() {
    const bool record = record_.Flush();
    const bool settings = settings_.Flush();
    return record && settings ? "変更はすべて保存されています" : "ファイルに書き込めませんでした";
}

void EditViewModel::StepPage(std::int32_t step) {
    settings_.WriteInt("CurPage", view_.slotPrefix + record_.Path(), ScreenPage() + step);
    settings_.Flush();
    platform_.RefreshAllViews();
}

bool EditViewModel::NudgeAvailable(CommandId command) {
    InputDialogLink* const inputDialog = session_.InputDialog();
    if (inputDialog == nullptr) return false;
    const ItemPosition at = inputDialog->GetPosition();
    const std::string& item = session_.SelectedItem();
    const auto roomRight = [&] {
        const std::int32_t w = session_.ItemTextWidth(item);
        return !(w > 0 && view_.label.width - w - at.x <= 0);
    };
    const auto roomBelow = [&] {
        session_.ItemTextWidth(item);  // sets the current card and the label size
        const std::int32_t h = session_.ItemTextHeight(item);
        return !(h > 0 && view_.label.height - h - at.y <= 0);
    };
    switch (command) {
        case CommandId::MoveLeft:
        case CommandId::MoveLeftSmall:
        case CommandId::AlignLeft:
            return at.x > 0;
        case CommandId::MoveRightSmall:
        case CommandId::MoveRight:
        case CommandId::AlignRight:
            return roomRight();
        case CommandId::MoveUp:
        case CommandId::MoveUpSmall:
            return at.y > 0;
        case CommandId::AlignTop:
            return at.y != 0;
        case CommandId::MoveDownSmall:
        case CommandId::MoveDown:
        case CommandId::AlignBottom:
            return roomBelow();
        default:
            return true;  // the centring commands
    }
}

void EditViewModel::NudgeRepeated(CommandId command, std::int32_t times) {
    if (IsNudge(command) && IsAvailable(command)) Nudge(command, times);
}

std::optional<LogicalPoint> EditViewModel::SheetNudge(CommandId command) const {
    if (!sheetSelection_ || session_.SelectedItem().empty()) return std::nullopt;
    switch (command) {
        case CommandId::MoveLeft: return LogicalPoint{-10, 0};
        case CommandId::MoveLeftSmall: return LogicalPoint{-1, 0};
        case CommandId::MoveRightSmall: return LogicalPoint{1, 0};
        case CommandId::MoveRight: return LogicalPoint{10, 0};
        case CommandId::MoveUp: return LogicalPoint{0, -10};
        case CommandId::MoveUpSmall: return LogicalPoint{0, -1};
        case CommandId::MoveDownSmall: return LogicalPoint{0, 1};
        case CommandId::MoveDown: return LogicalPoint{0, 10};
        default: return std::nullopt;
    }
}

bool EditViewModel::Nudge(CommandId command, std::int32_t times) {
    if (view_.mode == ViewMode::SheetMode) {
        const std::optional<LogicalPoint> step = SheetNudge(command);
        if (step && tagEditor_.Nudge(step->x * times, step->y * times)) platform_.RefreshAllViews();
        return true;
    }
    InputDialogLink* const inputDialog = session_.InputDialog();
    if (inputDialog == nullptr) return true;
    // The cards that share the design follow the item, as with a drag.
    ScopedDesignChange change(session_);
    for (std::int32_t i = 0; i < times; ++i)
        if (!NudgeOnce(command, *inputDialog)) return false;
    change.Commit();
    session_.StoredChanged();
    return true;
}

bool EditViewModel::NudgeOnce(CommandId command, InputDialogLink& inputDialog) {
    const std::string& item = session_.SelectedItem();
    ItemPosition at = inputDialog.GetPosition();
    const std::int32_t w = session_.ItemTextWidth(item);
    const std::int32_t h = session_.ItemTextHeight(item);
    const std::int32_t W = view_.label.width, H = view_.label.height;
    std::int32_t code = 0;
    bool moves = true;
    switch (command) {
        case CommandId::MoveLeft: at.x = at.x - 10 <= 0 ? 0 : at.x - 10; break;
        case CommandId::MoveLeftSmall:
            moves = w > 0;
            at.x = at.x - 1 <= 0 ? 0 : at.x - 1;
            break;
        case CommandId::MoveRightSmall: at.x = std::min(at.x + 1, W - w); break;
        case CommandId::MoveRight: at.x = std::min(at.x + 10, W - w); break;
        case CommandId::MoveUp: at.y = std::max(at.y - 10, 0); break;
        case CommandId::MoveUpSmall: at.y = std::max(at.y - 1, 0); break;
        case CommandId::MoveDownSmall: at.y = std::min(at.y + 1, H - h); break;
        case CommandId::MoveDown: at.y = std::min(at.y + 10, H - h); break;
        case CommandId::AlignLeft: at.x = 0; code = 3; break;
        case CommandId::AlignCenter:
            moves = w > 0;
            at.x = (W - w) / 2;
            code = 2;
            break;
        case CommandId::AlignRight:
            moves = w > 0;
            at.x = W - w;
            code = 1;
            break;
        case CommandId::AlignTop: at.y = 0; code = 1; break;
        case CommandId::AlignMiddle:
            moves = h > 0;
            at.y = (H - h) / 2;
            code = 2;
            break;
        case CommandId::AlignBottom:
            moves = h > 0;
            at.y = H - h;
            code = 3;
            break;
        default: return false;
    }
    if (!moves) return true;
    const std::string suffix = IsHorizontal(command) ? "PrintPos" : "PrintVPos";
    record_.WriteInt(view_.CurrentSection, ItemKey(view_.slotPrefix, item, suffix), code);
    record_.Flush();
    inputDialog.SetPosition(at, false);
    return true;
}

std::string EditViewModel::FollowRecordedSheets() {
    const sheets::AdoptedSheets adopted = sheets::AdoptRecordedSheets(settings_, record_);
    settings_.Flush();
    const auto slotNames = [](const std::vector<std::int32_t>& slots, const auto& nameOf) {
        std::string names;
        for (const std::int32_t slot : slots) names += (names.empty() ? "" : "、") + nameOf(slot);
        return names;
    };
    const auto plain = [](std::int32_t slot) { return "ラベル" + std::to_string(slot); };
    const auto withSheet = [this, &plain](std::int32_t slot) {
        return plain(slot) + ": " + sheets::SheetSummary(sheets::SlotSettings(settings_, slot));
    };
    std::string note;
    if (!adopted.slots.empty()) note = "用紙の設定を記録ファイルに合わせました（" + slotNames(adopted.slots, withSheet) + "）";
    if (!adopted.damaged.empty())
        note += (note.empty() ? "" : "。") + std::string("記録ファイルの用紙の記録が読めないため、設定のままです（") +
                slotNames(adopted.damaged, plain) + "）";
    return note;
}

void EditViewModel::ReadOffsets() {
    view_.label = LabelSize(settings_, view_.slot);
    top_ = record_.ReadInt("Option", "Top", 10);
    left_ = record_.ReadInt("Option", "Left", 10);
}

void EditViewModel::DoubleClick(std::int32_t x, std::int32_t y) {
    if (view_.mode == ViewMode::SheetMode) {
        OpenInput();
        return;
    }
    ReadOffsets();
    const bool inside = left_ <= x && x <= left_ + view_.label.width && top_ <= y && y <= top_ + view_.label.height;
    if (inside && session_.InputDialog() != nullptr) session_.InputDialog()->SetPosition({x - left_, y - top_}, true);
}

void EditViewModel::PressMouse(std::int32_t x, std::int32_t y) {
    ReadOffsets();
    if (view_.mode != ViewMode::CardMode) {
        sheetSelection_ = PressOnSheet(x, y);
        if (sheetSelection_) platform_.RefreshAllViews();
        return;
    }
    // On an item's text the press takes the item; elsewhere it starts the rectangle that places
    // and sizes the selected item.
    dragOrigin_ = {left_, top_};
    if (tagEditor_.Press(x - left_, y - top_, gripReach_)) {
        platform_.RefreshAllViews();
        return;
    }
    dragStart_ = LogicalPoint{x, y};
}

std::optional<LogicalPoint> EditViewModel::TagOrigin() {
    if (view_.mode == ViewMode::CardMode) return LogicalPoint{left_, top_};
    view_.slotPrefix = SlotPrefix(record_);
    const std::vector<std::string>& cards = ViewCardList(view_);
    const auto found = std::find(cards.begin(), cards.end(), session_.CurrentSection());
    const SheetLayout layout = ReadSheetLayout(view_);
    const std::int64_t perPage = std::int64_t{layout.columns} * layout.rows;
    const std::int64_t index = found - cards.begin();
    if (found == cards.end() || index / perPage + 1 != ScreenPage()) return std::nullopt;
    const std::int64_t row = index % perPage / layout.columns, column = index % layout.columns;
    // A folded card is edited on its upright face.
    const LabelExtent cell = CellExtent(layout);
    const LogicalPoint face = UprightFaceOffset(layout);
    return LogicalPoint{static_cast<std::int32_t>(layout.left + column * (cell.width + layout.gapH) + face.x),
                        static_cast<std::int32_t>(layout.top + row * (cell.height + layout.gapV) + face.y)};
}

bool EditViewModel::PressOnSheet(std::int32_t x, std::int32_t y) {
    view_.slotPrefix = SlotPrefix(record_);
    const SheetLayout layout = ReadSheetLayout(view_);
    const LabelExtent cell = CellExtent(layout);
    const std::int32_t stepX = cell.width + layout.gapH, stepY = cell.height + layout.gapV;
    if (x < layout.left || y < layout.top || stepX <= 0 || stepY <= 0) return false;
    const std::int32_t column = (x - layout.left) / stepX, row = (y - layout.top) / stepY;
    // Items are found on a folded card's upright face.
    const LogicalPoint face = UprightFaceOffset(layout);
    const LogicalPoint origin{layout.left + column * stepX + face.x, layout.top + row * stepY + face.y};
    if (column >= layout.columns || row >= layout.rows || x - origin.x > layout.label.width ||
        y - origin.y > layout.label.height)
        return false;
    const std::vector<std::string>& cards = ViewCardList(view_);
    const std::int64_t index = (std::int64_t{ScreenPage()} - 1) * layout.columns * layout.rows + row * layout.columns + column;
    if (index < 0 || index >= static_cast<std::int64_t>(cards.size())) return false;
    const std::string section = cards[static_cast<std::size_t>(index)];
    const std::vector<ItemBox> boxes = session_.ItemBoxesOf(session_.CardValueOf(section));
    const bool onItem = std::any_of(boxes.begin(), boxes.end(),
                                    [&](const ItemBox& box) { return box.Contains(x - origin.x, y - origin.y); });
    const std::optional<std::int32_t> card = cards::CardNumberOf(section);
    if (!onItem || !card) return false;
    record_.WriteInt(kSettingSection, "CurID", *card);
    record_.Flush();
    dragOrigin_ = origin;
    return tagEditor_.Press(x - origin.x, y - origin.y, gripReach_);
}

ItemBox EditViewModel::OnView(ItemBox box, LogicalPoint origin) const {
    box.left += origin.x;
    box.right += origin.x;
    box.top += origin.y;
    box.bottom += origin.y;
    return box;
}

std::optional<ItemBox> EditViewModel::SelectionOnView() {
    if (view_.mode == ViewMode::SheetMode && !sheetSelection_) return std::nullopt;
    if (itemDrag_) return itemDrag_->box;
    const std::optional<LogicalPoint> origin = TagOrigin();
    const std::optional<ItemBox> box = origin ? tagEditor_.SelectedBox() : std::nullopt;
    return box ? std::optional<ItemBox>(OnView(*box, *origin)) : std::nullopt;
}

DragRect EditViewModel::DragRectTo(std::int32_t x, std::int32_t y) const {
    DragRect rect{std::min(dragStart_->x, x), std::min(dragStart_->y, y), std::max(dragStart_->x, x),
                  std::max(dragStart_->y, y)};
    if (rect.Height() > kMaxDragHeight) rect.bottom = rect.top + kMaxDragHeight;
    return rect;
}

std::optional<DragRect> EditViewModel::MoveMouse(std::int32_t x, std::int32_t y) {
    if (tagEditor_.Dragging()) {
        itemDrag_ = tagEditor_.Drag(x - dragOrigin_.x, y - dragOrigin_.y, snapReach_);
        if (itemDrag_) {
            itemDrag_->box = OnView(itemDrag_->box, dragOrigin_);
            for (SnapGuide& guide : itemDrag_->guides) guide.at += guide.vertical ? dragOrigin_.x : dragOrigin_.y;
        }
        return std::nullopt;
    }
    if (view_.mode != ViewMode::CardMode || !dragStart_) return std::nullopt;
    return DragRectTo(x, y);
}

void EditViewModel::ReleaseMouse(std::int32_t x, std::int32_t y) {
    if (tagEditor_.Dragging()) {
        itemDrag_.reset();
        tagEditor_.Release(x - dragOrigin_.x, y - dragOrigin_.y, snapReach_);
        platform_.RefreshAllViews();
        return;
    }
    if (view_.mode != ViewMode::CardMode || !dragStart_) return;
    const DragRect rect = DragRectTo(x, y);
    dragStart_.reset();
    if (rect.Height() >= kMinDragHeight) FitFontToDrag(rect);
    platform_.RefreshAllViews();
    if (session_.InputDialog() != nullptr)
        session_.InputDialog()->SetPosition({rect.left - left_ - 5, rect.top - top_ + 5}, true);
}

void EditViewModel::FitFontToDrag(const DragRect& rect) {
    const std::string section = CardSectionName(record_.ReadInt(kSettingSection, "CurID", 0));
    const std::string text = record_.ReadString(section, session_.SelectedItem(), "");
    const std::string prefix = ItemKey(view_.slotPrefix, session_.SelectedItem(), "");
    LogFont font;
    ColorRef color = 0;
    if (text.empty() || !CFontSetting::Load(section, prefix, font, color, record_.Path())) return;
    Surface& surface = platform_.MeasuringSurface();
    const LogFont previous = surface.GetFont();
    const auto heightAt = [&](std::int32_t size) {
        font.lfHeight = -size;
        surface.SetFont(font);
        return surface.MeasureText(text).height;
    };
    std::int32_t size = 1;
    std::int32_t measured = heightAt(size);
    if (measured != rect.Height()) {
        // Grow the characters until the text is as high as the rectangle, then take the last
        // size that still fitted.
        while (rect.Height() > measured && size < kMaxFittedHeight) {
            platform_.PumpMessages();
            measured = heightAt(++size);
        }
        font.lfHeight = -(size - 1);
        CFontSetting::Save(section, prefix, font, color, record_.Path());
        record_.Flush();
    }
    surface.SetFont(previous);
}
