#include "dialogs/list_to_tags_model.h"

#include <algorithm>
#include <filesystem>

#include "designs/category_rules.h"
#include "designs/record_designs.h"
#include "sheets/recorded_sheet.h"
#include "sheets/slot_sheet.h"
#include "store/codec.h"
#include "store/items.h"
#include "store/locations.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kPageTitles[] = {"名簿ファイル", "列の割り当て", "デザイン", "用紙", "仕上げ"};
constexpr const char* kExtension = ".ini";

bool EndsWithExtension(const std::string& name) {
    const std::size_t length = std::string(kExtension).size();
    if (name.size() < length) return false;
    std::string end = name.substr(name.size() - length);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return end == kExtension;
}

// The report says more than how many rows were read and cards made.
bool ReportHasNotes(const std::string& report) {
    return std::count(report.begin(), report.end(), '\n') > 2;
}

}  // namespace

ListToTagsModel::ListToTagsModel(sheets::SheetCatalogue& catalogue,
                                 const SettingsProfile& settings, RecordProfile& record, ListToTagsPlatform& platform)
    : importPlatform_(platform),
      slot_(std::clamp(record.ReadInt("#Setting#", "Label", 1), 1, 3)),
      list(settings, record, importPlatform_),
      sheet(catalogue, settings, record, slot_, platform),
      settings_(settings),
      record_(record),
      platform_(platform) {}

void ListToTagsModel::OnOpen() {
    list.OnOpen();
    list.destination = ListImportModel::kNewFile;
    list.design = ListImportModel::kNoDesign;
    sheet.OnOpen();
    designs.clear();
    for (const designs::Entry& entry : list.LibraryDesigns()) designs.push_back(DesignRowOf(entry));
    design = list.libraryDesign;
    page = kListPage;
    Update();
}

void ListToTagsModel::OnBrowse() {
    list.OnBrowse();
    AfterListChosen();
}

void ListToTagsModel::OnPathEntered() {
    list.OnPathEntered();
    AfterListChosen();
}

void ListToTagsModel::AfterListChosen() {
    if (list.okEnabled) {
        recordName = FreeRecordName(std::filesystem::path(list.path).stem().string());
        page = kColumnsPage;
    }
    Update();
}

std::string ListToTagsModel::FreeRecordName(const std::string& stem) const {
    std::string stored;
    const std::string base = codec::Utf8ToCp932(stem, stored) && !stem.empty() ? stem : "名簿";
    for (int counter = 1;; ++counter) {
        const std::string name = counter == 1 ? base : base + " (" + std::to_string(counter) + ")";
        std::string fsPath;
        std::error_code ignored;
        if (!codec::Utf8ToCp932(name + kExtension, stored) ||
            !locations::StoredPathToFs(RecordFilePath(record_.Cabinet(), stored), fsPath) ||
            !std::filesystem::exists(fsPath, ignored))
            return name;
    }
}

void ListToTagsModel::OnNext() {
    Update();
    if (!nextEnabled) return;
    ++page;
    Update();
}

void ListToTagsModel::OnBack() {
    if (page > kListPage) --page;
    Update();
}

void ListToTagsModel::DrawDesigns() {
    std::vector<designs::Design> looks;
    for (const designs::Entry& entry : list.LibraryDesigns()) looks.push_back(entry.design);
    // The list's first person, as the import plans the card.
    previews_.Make(settings_, cards::RecordCards(list.TagPreview(), CurrentItemList(settings_)), slot_, 0, looks);
    drawnFrom_ = list.TagPreviewVersion();
    ++designVersion;
}

void ListToTagsModel::OnSelectDesign(int row) {
    design = row >= 0 && row < static_cast<int>(designs.size()) ? row : -1;
    Update();
}

void ListToTagsModel::OnDesignChosen(int row) {
    OnSelectDesign(row);
    if (page == kDesignPage) OnNext();
}

const designs::Entry* ListToTagsModel::ChosenDesign() const {
    const std::vector<designs::Entry>& entries = list.LibraryDesigns();
    return design >= 0 && design < static_cast<int>(entries.size()) ? &entries[static_cast<std::size_t>(design)] : nullptr;
}

const std::string& ListToTagsModel::DesignPreviewFsPath(int row) const {
    return previews_.FsPath(row < 0 ? designs.size() : static_cast<std::size_t>(row));
}

bool ListToTagsModel::PageDone(int which) const {
    switch (which) {
        case kListPage:
        case kColumnsPage: return list.okEnabled;
        case kDesignPage: return ChosenDesign() != nullptr;
        case kSheetPage: return sheet.okEnabled;
        default: return !recordName.empty();
    }
}

void ListToTagsModel::Update() {
    page = std::clamp(page, static_cast<int>(kListPage), static_cast<int>(kFinishPage));
    if (page > kListPage && drawnFrom_ != list.TagPreviewVersion()) DrawDesigns();
    pageTitle = std::to_string(page + 1) + "/" + std::to_string(kPageCount) + " " + kPageTitles[page];
    backEnabled = page > kListPage;
    nextEnabled = page < kFinishPage && PageDone(page);
    finishEnabled = page == kFinishPage;
    for (int done = kListPage; done <= kFinishPage; ++done) finishEnabled = finishEnabled && PageDone(done);
    const designs::Entry* chosen = ChosenDesign();
    designDescription = chosen == nullptr ? "デザインを選んでください。"
                                          : designs[static_cast<std::size_t>(design)].name + ": " +
                                                designs[static_cast<std::size_t>(design)].description;
    const sheets::SheetProduct* product = sheet.Chosen();
    summary = "記録ファイル: " + recordName + kExtension + " (" + codec::Utf8(record_.Cabinet()) + ")\n";
    summary += "名簿: " + std::filesystem::path(list.path).filename().string() + " (" + list.formatText + ")\n";
    summary += "デザイン: " + (chosen == nullptr ? std::string("なし") : designs[static_cast<std::size_t>(design)].name) + "\n";
    summary += "用紙: " + (product == nullptr ? std::string("なし")
                                               : product->maker + " " + product->part + " (" +
                                                     sheets::LabelSizeText(*product) + " " +
                                                     std::to_string(product->PerSheet()) + "面)") + "\n";
    summary += SlotCaption(slot_) + " の用紙とデザインが変わります。";
}

bool ListToTagsModel::OnFinish(Then then) {
    Update();
    if (!finishEnabled) return false;
    std::string name = recordName;
    if (!EndsWithExtension(name)) name += kExtension;
    list.destination = ListImportModel::kNewFile;
    list.design = ListImportModel::kNoDesign;
    list.newFileName = name;
    importPlatform_.report.clear();
    // The rules of the event before carry over: the new cards of each category take their design.
    const std::vector<designs::CategoryRule> rules =
        record_.Path().empty() ? std::vector<designs::CategoryRule>() : designs::ReadRules(record_.ReadFsPath());
    if (!list.OnOk()) {
        if (!importPlatform_.report.empty()) platform_.ShowReport(importPlatform_.report);
        return false;
    }
    const std::string made = list.WrittenRecord();
    const cards::RecordCards cards(made, CurrentItemList(settings_));
    const designs::Entry& chosen = *ChosenDesign();
    const cards::Outcome styled = designs::ApplyToRecord(settings_, cards, chosen.design, {}, cards::kAllSlots);
    const designs::RulesOutcome ruled =
        rules.empty() ? designs::RulesOutcome()
                      : designs::ApplyRules(settings_, cards, designs::DesignLibrary::Installed(), rules, {}, true);
    const sheets::SheetProduct& product = *sheet.Chosen();
    sheets::ApplySlotSheet(settings_, record_, slot_, sheets::ToSlotSheet(product));
    if (!styled) static_cast<ListImportPlatform&>(platform_).ShowMessage("デザインを付けられませんでした。デザインを選ぶ…で選び直してください。");
    if (ReportHasNotes(importPlatform_.report)) platform_.ShowReport(importPlatform_.report);
    finished_ = name + " に " + std::to_string(cards.Count()) + " 人の名札を作りました (デザイン「" +
                designs[static_cast<std::size_t>(design)].name + "」、用紙 " + product.maker + " " + product.part + ")";
    if (ruled.outcome.changed > 0)
        finished_ += "。区分ごとのデザイン: " + std::to_string(ruled.outcome.changed) + " 人";
    then_ = then;
    return true;
}
