#include "dialogs/design_chooser_model.h"

#include <algorithm>

#include "designs/record_designs.h"
#include "store/codec.h"

namespace {

std::string LibraryProblem(const designs::LibraryResult& result) {
    switch (result.failure) {
        case designs::LibraryFailure::NotFound: return "そのデザインはありません。";
        case designs::LibraryFailure::BuiltIn: return "付属のデザインは変更できません。";
        case designs::LibraryFailure::NameTaken: return "その名前のデザインはすでにあります。";
        case designs::LibraryFailure::BadName: return "名前を1行で入力してください。";
        case designs::LibraryFailure::Unreadable: return "デザインのファイルとして読めません。\n" + result.detail;
        case designs::LibraryFailure::NotWritten: return "ファイルに書き込めませんでした。\n" + result.detail;
        case designs::LibraryFailure::None: break;
    }
    return {};
}

std::string OutcomeProblem(const cards::Outcome& outcome) {
    switch (outcome.failure) {
        case cards::Failure::NoSuchCard: return "そのカードはありません。";
        case cards::Failure::TooManyCards:
        case cards::Failure::CardLimit: return "カードが多すぎるため操作できません。";
        case cards::Failure::UnknownItem:
        case cards::Failure::NotWritten:
        case cards::Failure::None: break;
    }
    return "ファイルに書き込めませんでした。";
}

// A name typed by the user, in code page 932; nothing when cancelled or not storable (told).
std::optional<std::string> AskStoredName(DesignChooserPlatform& platform, const std::string& title,
                                         const std::string& current) {
    const std::optional<std::string> typed = platform.AskName(title, current);
    if (!typed) return std::nullopt;
    std::string name;
    if (!codec::Utf8ToCp932(*typed, name)) {
        platform.ShowMessage("この名前には使えない文字があります。");
        return std::nullopt;
    }
    return name;
}

}  // namespace

DesignRow DesignRowOf(const designs::Entry& entry) {
    return {codec::Utf8(entry.design.name), codec::Utf8(entry.design.description), entry.origin == designs::Origin::BuiltIn};
}

DesignChooserModel::DesignChooserModel(const designs::DesignLibrary& library, const SettingsProfile& settings,
                                       DesignTarget target, DesignChooserPlatform& platform)
    : library_(library), settings_(settings), target_(std::move(target)), platform_(platform) {}

void DesignChooserModel::OnOpen() {
    std::sort(target_.selectedCards.begin(), target_.selectedCards.end());
    const auto count = static_cast<std::int32_t>(target_.selectedCards.size());
    selectionEnabled = count > 0;
    selectionCaption = "選択したカード (" + std::to_string(count) + "枚)";
    // One row selected is the current card itself: as the roster does, the design then goes to everyone.
    toSelection = count > 1;
    allSizes = false;
    Reload({});
}

void DesignChooserModel::Reload(const std::string& name) {
    entries_ = library_.List();
    rows.clear();
    std::vector<designs::Design> looks;
    selected = -1;
    for (const designs::Entry& entry : entries_) {
        if (entry.design.name == name) selected = static_cast<int>(rows.size());
        rows.push_back(DesignRowOf(entry));
        looks.push_back(entry.design);
    }
    previews_.Make(settings_, target_.cards, target_.slot, target_.currentCard, looks);
    ++listVersion;
    Show();
}

void DesignChooserModel::OnSelect(int row) {
    selected = row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
    Show();
}

const designs::Entry* DesignChooserModel::Chosen() const {
    return selected >= 0 && selected < static_cast<int>(entries_.size()) ? &entries_[static_cast<std::size_t>(selected)]
                                                                        : nullptr;
}

void DesignChooserModel::Show() {
    const designs::Entry* chosen = Chosen();
    if (!selectionEnabled) toSelection = false;
    const bool mine = chosen != nullptr && chosen->origin == designs::Origin::User;
    okEnabled = exportEnabled = chosen != nullptr;
    renameEnabled = deleteEnabled = mine;
    description = "デザインを選んでください。";
    if (chosen == nullptr) return;
    const DesignRow& row = rows[static_cast<std::size_t>(selected)];
    description = row.description.empty() ? row.name : row.name + ": " + row.description;
    description += mine ? " (保存したデザイン)" : " (付属のデザイン)";
}

bool DesignChooserModel::OnOk() {
    Show();
    const designs::Entry* chosen = Chosen();
    if (chosen == nullptr) return false;
    const std::vector<std::int32_t> targets = toSelection ? target_.selectedCards : std::vector<std::int32_t>();
    const cards::Outcome outcome =
        designs::ApplyToRecord(settings_, target_.cards, chosen->design, targets, allSizes ? cards::kAllSlots : Slot());
    if (!outcome) {
        platform_.ShowMessage(OutcomeProblem(outcome));
        return false;
    }
    const std::string name = rows[static_cast<std::size_t>(selected)].name;
    platform_.ShowMessage(outcome.changed == 0 ? "どのカードもすでにデザイン「" + name + "」です。"
                                               : std::to_string(outcome.changed) + "枚のカードをデザイン「" + name +
                                                     "」にしました。");
    return true;
}

void DesignChooserModel::OnRename() {
    const designs::Entry* chosen = Chosen();
    if (chosen == nullptr) return;
    const std::string old = chosen->design.name;
    const std::optional<std::string> name = AskStoredName(platform_, "名前を変更", codec::Utf8(old));
    if (!name || *name == old) return;
    const designs::LibraryResult result = library_.Rename(old, *name);
    if (!result) platform_.ShowMessage(LibraryProblem(result));
    Reload(result ? *name : old);
}

void DesignChooserModel::OnDelete() {
    const designs::Entry* chosen = Chosen();
    if (chosen == nullptr) return;
    const std::string name = chosen->design.name;
    if (!platform_.Confirm("デザイン「" + codec::Utf8(name) + "」を削除しますか？")) return;
    const designs::LibraryResult result = library_.Delete(name);
    if (!result) platform_.ShowMessage(LibraryProblem(result));
    Reload(result ? std::string() : name);
}

void DesignChooserModel::OnExport() {
    const designs::Entry* chosen = Chosen();
    if (chosen == nullptr) return;
    const std::optional<std::string> path = platform_.AskExportPath(rows[static_cast<std::size_t>(selected)].name + ".ini");
    if (!path) return;
    const designs::LibraryResult result = library_.Export(chosen->design.name, *path);
    platform_.ShowMessage(result ? "デザイン「" + rows[static_cast<std::size_t>(selected)].name + "」を書き出しました。"
                                 : LibraryProblem(result));
}

void DesignChooserModel::OnImport() {
    const std::optional<std::string> path = platform_.AskImportPath();
    if (!path) return;
    const designs::LibraryResult result = library_.Import(*path);
    if (!result) {
        platform_.ShowMessage(LibraryProblem(result));
        return;
    }
    Reload(result.name);
    platform_.ShowMessage("デザイン「" + codec::Utf8(result.name) + "」を取り込みました。");
}

void DesignChooserModel::OnSaveCurrent() {
    if (const std::optional<std::string> name = SaveCardDesign(library_, settings_, target_, platform_)) Reload(*name);
}

const std::string& DesignChooserModel::PreviewFsPath(int row) const {
    return previews_.FsPath(row < 0 ? rows.size() : static_cast<std::size_t>(row));
}

std::optional<std::string> SaveCardDesign(const designs::DesignLibrary& library, const SettingsProfile& settings,
                                          const DesignTarget& target, DesignChooserPlatform& platform) {
    if (target.currentCard < 0 || target.currentCard >= target.cards.Count()) {
        platform.ShowMessage("保存するカードがありません。");
        return std::nullopt;
    }
    const std::optional<std::string> name = AskStoredName(platform, "デザインとして保存", "");
    if (!name) return std::nullopt;
    if (const std::optional<designs::Entry> same = library.Find(*name);
        same && same->origin == designs::Origin::User &&
        !platform.Confirm("デザイン「" + codec::Utf8(*name) + "」はすでにあります。置き換えますか？"))
        return std::nullopt;
    designs::Design design = designs::DesignOfCard(settings, target.cards, target.currentCard);
    design.name = *name;
    const designs::LibraryResult result = library.Save(design);
    if (!result) {
        platform.ShowMessage(LibraryProblem(result));
        return std::nullopt;
    }
    platform.ShowMessage("今のカードのデザインを「" + codec::Utf8(*name) + "」として保存しました。");
    return name;
}
