#include "dialogs/list_import_model.h"

#include "designs/category_rules.h"
#include <algorithm>
#include <filesystem>

#include "designs/category_rules.h"
#include "designs/record_designs.h"
#include "lists/card_import.h"
#include "lists/unihan_variants.h"
#include "store/codec.h"
#include "store/label_sizes.h"
#include "store/items.h"
#include "store/locations.h"
#include "store/plain_name.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kNotImported = "（取り込まない）";
constexpr std::size_t kListedProblems = 20;
// The folder of the list chosen last.
constexpr const char* kListFolderKey = "ListFolder";

std::string ColumnLetters(std::size_t column) {
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string Cp932(const std::string& utf8) {
    std::string stored;
    return codec::Utf8ToCp932(utf8, stored) ? stored : std::string();
}

}  // namespace

ListImportModel::ListImportModel(const SettingsProfile& settings, RecordProfile& record, ListImportPlatform& platform)
    : settings_(settings), record_(record), platform_(platform) {}

void ListImportModel::OnOpen() {
    items_ = ItemListUtf8(settings_);
    encodingChoices = {"自動判別", "UTF-8", "UTF-16", "CP932 (Shift_JIS)"};
    kanaChoices = {"そのまま", "ひらがなにする", "カタカナにする"};
    newFileName = "名簿.ini";
    designCard = std::to_string(record_.ReadInt("#Setting#", "CurID", 0));
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    library_ = library.List();
    const std::optional<designs::Design> preset = designs::DefaultDesign(settings_, library);
    for (const designs::Entry& entry : library_) {
        if (preset && entry.design.name == preset->name) libraryDesign = static_cast<int>(libraryDesigns.size());
        libraryDesigns.push_back(codec::Utf8(entry.design.name));
    }
    UpdateEnabled();
}

std::string MergeFolder(const SettingsProfile& settings) {
    std::string folder;
    std::string stored = settings.ReadString("Sashikomi", "Dir", "");
    if (stored.empty()) stored = locations::ProgramFolder() + codec::Sjis("差し込み");
    std::error_code ignored;
    if (!locations::StoredPathToFs(stored, folder) || !std::filesystem::is_directory(folder, ignored))
        folder = locations::DataFolder();
    return folder;
}

std::string ListFolder(const SettingsProfile& settings) {
    std::string folder;
    std::error_code ignored;
    if (locations::StoredPathToFs(settings.ReadString("Option", kListFolderKey, ""), folder) && !folder.empty() &&
        std::filesystem::is_directory(folder, ignored))
        return folder;
    return MergeFolder(settings);
}

void ListImportModel::OnBrowse() {
    const std::optional<std::string> chosen = platform_.ChooseListFile(ListFolder(settings_));
    if (!chosen) return;
    // A folder code page 932 cannot name is not kept: the next time starts where this one did.
    std::string folder;
    if (locations::FsPathToStored(std::filesystem::path(*chosen).parent_path().string(), folder)) {
        settings_.WriteString("Option", kListFolderKey, folder);
        settings_.Flush();
    }
    path = *chosen;
    OnPathEntered();
}

void ListImportModel::OnPathEntered() {
    encoding = 0;
    sheet = 0;
    sheetChoices.clear();
    Load();
}

void ListImportModel::OnEncodingChanged() { Load(); }
void ListImportModel::OnSheetChanged() { Load(); }

void ListImportModel::Load() {
    ListReadOptions options;
    if (encoding == 1) options.encoding = TextEncoding::Utf8;
    if (encoding == 2) options.encoding = TextEncoding::Utf16Le;
    if (encoding == 3) options.encoding = TextEncoding::Cp932;
    if (sheet > 0 && static_cast<std::size_t>(sheet) < sheetChoices.size()) options.sheet = sheetChoices[static_cast<std::size_t>(sheet)];
    options.progress = [this](double share) { return platform_.Progress(share); };
    ListFile list;
    ListError error;
    list_.reset();
    formatText.clear();
    const bool read = !path.empty() && ReadListFile(path, options, list, error);
    platform_.Progress(1.0);
    if (!read) {
        columnNames.clear();
        columnChoices.clear();
        columnTargets.clear();
        targets_.clear();
        preview.clear();
        if (!path.empty()) platform_.ShowMessage(error.Describe(FileName(path)));
        UpdateEnabled();
        tagPreview_.Remove();
        return;
    }
    formatText = FormatLabel(list.format);
    if (list.format == ListFormat::Csv || list.format == ListFormat::Tsv) {
        formatText += std::string("・") + EncodingLabel(list.encoding);
        if (list.encodingAmbiguous) formatText += " (CP932 としても読めます。文字化けしていたら選び直してください)";
    } else {
        formatText += "・シート「" + list.sheet + "」";
    }
    formatText += "・" + std::to_string(list.table.rows.size()) + " 行";
    sheetChoices = list.sheetNames;
    const auto chosen = std::find(sheetChoices.begin(), sheetChoices.end(), list.sheet);
    sheet = chosen == sheetChoices.end() ? 0 : static_cast<int>(chosen - sheetChoices.begin());
    list_ = std::move(list);
    GuessColumns();
    UpdatePreview();
    UpdateEnabled();
    UpdateTagPreview();
}

void ListImportModel::GuessColumns() {
    const ListTable& table = list_->table;
    const std::size_t width = table.Width();
    const std::vector<std::string> firstRow = table.rows.empty() ? std::vector<std::string>() : table.rows[0].cells;
    const HeaderGuess guess = GuessMapping(firstRow, width, items_);
    hasHeader = guess.hasHeader;
    columnNames.assign(width, "");
    columnChoices.assign(width, {});
    targets_.assign(width, {});
    columnTargets.assign(width, 0);
    for (std::size_t c = 0; c < width; ++c) {
        std::vector<ColumnTarget>& targets = targets_[c];
        targets.push_back({});
        for (const std::string& item : items_) targets.push_back({TargetKind::Item, item});
        for (const TargetKind kind : {TargetKind::FamilyName, TargetKind::GivenName, TargetKind::FamilyReading,
                                      TargetKind::GivenReading})
            targets.push_back({kind, ""});
        const std::string header = c < firstRow.size() ? firstRow[c] : std::string();
        const bool known = std::any_of(targets.begin(), targets.end(), [&](const ColumnTarget& target) {
            return target.kind == TargetKind::Item && target.item == header;
        });
        // A column whose header names no item can make a new user-defined item of that name.
        if (hasHeader && !header.empty() && !known && header.find_first_of("|[]=\r\n") == std::string::npos)
            targets.push_back({TargetKind::Item, header});
        for (const ColumnTarget& target : targets) {
            if (target.kind == TargetKind::None) columnChoices[c].push_back(kNotImported);
            else if (target.kind == TargetKind::Item && std::find(items_.begin(), items_.end(), target.item) == items_.end())
                columnChoices[c].push_back("新しい項目「" + target.item + "」");
            else columnChoices[c].push_back(TargetLabel(target));
        }
        const auto at = std::find(targets.begin(), targets.end(), guess.mapping[c]);
        columnTargets[c] = at == targets.end() ? 0 : static_cast<int>(at - targets.begin());
        columnNames[c] = ColumnLetters(c) + (hasHeader && !header.empty() ? ": " + header : "");
    }
}

void ListImportModel::OnHeaderToggled() {
    if (!list_) return;
    const std::vector<int> kept = columnTargets;
    const bool header = hasHeader;
    GuessColumns();
    hasHeader = header;
    const std::vector<std::string> firstRow = list_->table.rows.empty() ? std::vector<std::string>() : list_->table.rows[0].cells;
    for (std::size_t c = 0; c < columnNames.size(); ++c) {
        const std::string text = c < firstRow.size() ? firstRow[c] : std::string();
        columnNames[c] = ColumnLetters(c) + (hasHeader && !text.empty() ? ": " + text : "");
        if (c < kept.size() && static_cast<std::size_t>(kept[c]) < targets_[c].size()) columnTargets[c] = kept[c];
    }
    UpdatePreview();
    UpdateEnabled();
    UpdateTagPreview();
}

void ListImportModel::OnMappingChanged() {
    UpdatePreview();
    UpdateEnabled();
    UpdateTagPreview();
}

void ListImportModel::OnDestinationChanged() {
    UpdateEnabled();
    UpdateTagPreview();
}

const designs::Entry* ListImportModel::LibraryDesign() const {
    if (design != kLibraryDesign || libraryDesign < 0 || libraryDesign >= static_cast<int>(library_.size())) return nullptr;
    return &library_[static_cast<std::size_t>(libraryDesign)];
}

std::int32_t ListImportModel::Slot() const { return std::clamp(record_.ReadInt("#Setting#", "Label", 1), 1, 3); }

bool ListImportModel::ChosenDesign(std::optional<cards::Design>& chosen) const {
    if (design == kLibraryDesign) {
        const designs::Entry* entry = LibraryDesign();
        if (entry == nullptr) return false;
        chosen = designs::CardKeysFor(entry->design, Slot(), LabelSize(settings_, Slot()));
        return true;
    }
    const cards::RecordCards current(RecordFsPath(), CurrentItemList(settings_));
    std::int32_t sourceCard = record_.ReadInt("#Setting#", "CurID", 0);
    if (design == kChosenCard) {
        const bool digits = !designCard.empty() && designCard.size() < 8 &&
                            designCard.find_first_not_of("0123456789") == std::string::npos;
        sourceCard = digits ? std::stoi(designCard) : -1;
        if (sourceCard < 0 || sourceCard >= current.Count()) return false;
    }
    const DesignSource source = design == kDefaults ? DesignSource::Defaults
                                : design == kNoDesign ? DesignSource::None
                                                      : DesignSource::Card;
    chosen = ChooseDesign(settings_, current, source, sourceCard);
    return true;
}

void ListImportModel::UpdateTagPreview() {
    ++tagPreviewVersion_;
    tagPreview_.Remove();
    if (!list_ || !okEnabled) return;
    // The header and the first person are enough to plan the first card.
    ListTable firstRows;
    const std::vector<ListRow>& rows = list_->table.rows;
    firstRows.rows.assign(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(rows.size(), hasHeader ? 2 : 1)));
    ImportOptions options = CurrentOptions();
    options.unencodable = UnencodablePolicy::Keep;
    const ImportPlan plan = PlanImport(firstRows, options);
    std::optional<cards::Design> chosen;
    std::string ignored;
    if (plan.cards.empty() || !ChosenDesign(chosen)) return;
    std::vector<cards::SectionKeys> frame;
    if (const designs::Entry* entry = LibraryDesign())
        frame.push_back(designs::FrameSectionFor(entry->design, Slot(), LabelSize(settings_, Slot())));
    if (!tagPreview_.Make(RecordFsPath(), plan, chosen, ignored, frame)) tagPreview_.Remove();
}

void ListImportModel::UpdatePreview() {
    preview.clear();
    if (!list_) return;
    const std::vector<ListRow>& rows = list_->table.rows;
    const std::size_t width = list_->table.Width();
    for (std::size_t r = hasHeader ? 1 : 0; r < rows.size() && preview.size() < kPreviewRows; ++r) {
        std::vector<std::string> cells = rows[r].cells;
        cells.resize(width);
        preview.push_back(std::move(cells));
    }
}

void ListImportModel::UpdateEnabled() {
    encodingEnabled = list_ && (list_->format == ListFormat::Csv || list_->format == ListFormat::Tsv);
    sheetEnabled = list_ && sheetChoices.size() > 1;
    newFileNameEnabled = destination == kNewFile;
    designCardEnabled = design == kChosenCard;
    libraryDesignEnabled = design == kLibraryDesign;
    okEnabled = list_ && std::any_of(columnTargets.begin(), columnTargets.end(), [](int target) { return target > 0; });
}

ImportOptions ListImportModel::CurrentOptions() const {
    ImportOptions options;
    options.hasHeader = hasHeader;
    // Characters beyond code page 932 are shown to the user, who chooses what becomes of them.
    options.unencodable = UnencodablePolicy::Refuse;
    for (std::size_t c = 0; c < targets_.size(); ++c) {
        const std::size_t choice = c < columnTargets.size() ? static_cast<std::size_t>(std::max(columnTargets[c], 0)) : 0;
        options.mapping.push_back(choice < targets_[c].size() ? targets_[c][choice] : ColumnTarget{});
    }
    options.readingKana = kana == 1 ? ReadingKana::Hiragana : kana == 2 ? ReadingKana::Katakana : ReadingKana::Keep;
    return options;
}

std::string ListImportModel::RecordFsPath() const {
    std::string fsPath;
    return locations::StoredPathToFs(record_.Path(), fsPath) ? fsPath : std::string();
}

bool ListImportModel::OnOk() {
    UpdateEnabled();
    if (!okEnabled) {
        platform_.ShowMessage("名簿ファイルを選び、取り込む列を決めてください");
        return false;
    }
    ImportOptions options = CurrentOptions();
    ImportPlan plan = PlanImport(list_->table, options);
    if (plan.refused) {
        std::string listing;
        for (std::size_t i = 0; i < plan.unencodable.size() && i < kListedProblems; ++i)
            listing += DescribeNote(plan.unencodable[i]) + "\n";
        if (plan.unencodable.size() > kListedProblems)
            listing += "ほか " + std::to_string(plan.unencodable.size() - kListedProblems) + " 件\n";
        const std::optional<UnencodablePolicy> choice = platform_.AskUnencodable(listing);
        if (!choice) return false;
        options.unencodable = *choice;
        options.variants = &UnihanVariants::Installed();
        plan = PlanImport(list_->table, options);
    }
    if (plan.cards.empty()) {
        platform_.ShowMessage("取り込める行がありません");
        return false;
    }

    std::optional<cards::Design> chosenDesign;
    if (!ChosenDesign(chosenDesign)) {
        platform_.ShowMessage(design == kLibraryDesign ? "デザインを選んでください" : "デザインを使うカードの番号が正しくありません");
        return false;
    }

    std::string target = RecordFsPath();
    std::string newFileStored;
    if (destination == kNewFile) {
        newFileStored = Cp932(newFileName);
        if (newFileStored.empty() || !IsPlainFileName(newFileStored)) {
            platform_.ShowMessage("新しい記録ファイルの名前が正しくありません");
            return false;
        }
        std::error_code ignored;
        if (!locations::StoredPathToFs(RecordFilePath(record_.Cabinet(), newFileStored), target) ||
            std::filesystem::exists(target, ignored)) {
            platform_.ShowMessage("同じ名前のファイルがあります");
            return false;
        }
        // The new file prints on the same label size as the current one.
        const ProfileFile created(target);
        if (!created.WriteString("#Setting#", "Label", record_.ReadString("#Setting#", "Label", "1")) || !created.Flush() ||
            !designs::StartRecordFile(settings_, target, designs::DesignLibrary::Installed())) {
            platform_.ShowMessage("新しい記録ファイルを作れません");
            return false;
        }
    }
    const designs::DesignLibrary installed = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(settings_, installed);
    const ImportResult result = ImportIntoRecord(settings_, target, plan,
                                                 destination == kAppend ? ImportMode::Append : ImportMode::Replace,
                                                 chosenDesign, &ruled);
    report_ = ImportReport(plan, result);
    if (const designs::Entry* entry = LibraryDesign(); entry != nullptr && result.written) {
        // The design's frame is the label slot's, which the new cards draw unless a rule gave them their own.
        const cards::RecordCards cards(target, CurrentItemList(settings_));
        if (!cards.SetDesigns({}, Slot(), {designs::FrameSectionFor(entry->design, Slot(), LabelSize(settings_, Slot()))}))
            report_ += "デザインの枠を付けられませんでした\n";
    }
    if (result.written && ruled.Ruled() > 0)
        report_ += "区分ごとのデザインにしたカード: " + std::to_string(ruled.Ruled()) + "\n";
    platform_.ShowReport(report_);
    if (!result.written) return false;
    if (destination == kNewFile) ChooseRecordFile(settings_, record_, newFileStored);
    writtenRecord_ = target;
    return true;
}
