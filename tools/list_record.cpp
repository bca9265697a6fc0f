#include "tools/list_record.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "lists/card_import.h"
#include "store/atomic_file.h"
#include "store/card_deck.h"
#include "store/items.h"
#include "store/profile_service.h"

ListRecord::~ListRecord() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

bool ListRecord::Make(const std::string& sourceFsPath, const std::string& listPath,
                      const list_tool::ListOptions& options, std::int32_t designCard, std::string& problem,
                      std::vector<std::string>& notes) {
    const SettingsProfile settings;
    const std::vector<std::string> items = ItemListUtf8(settings);
    ListFile list;
    ImportPlan plan;
    if (!list_tool::PlanList(listPath, options, items, list, plan, problem)) return false;
    for (const ImportNote& note : plan.unencodable) notes.push_back(listPath + ": " + DescribeNote(note));
    if (plan.refused) {
        problem = listPath + ": text that code page 932 cannot hold; choose --unencodable skip or replace";
        return false;
    }
    for (const ImportNote& note : plan.skipped) notes.push_back(listPath + ": " + DescribeNote(note));
    for (const ImportNote& note : plan.notes) notes.push_back(listPath + ": " + DescribeNote(note));
    bool named = false;
    for (const PlannedCard& card : plan.cards) {
        for (const auto& [item, text] : card.texts) {
            if (std::find(items.begin(), items.end(), item) == items.end()) {
                problem = "--map names no item \"" + item + "\"; add it to the record's items first";
                return false;
            }
            named |= item == "氏名";
        }
    }
    // Only cards with a 氏名 print.
    if (!named) {
        problem = listPath + ": no row has a 氏名 to print";
        return false;
    }

    UserItemList userItems;
    userItems.ReloadUserItems(settings);
    const cards::RecordCards source(sourceFsPath, ItemList(userItems.UserItems()));
    const std::int32_t count = source.Count();
    if (designCard < 0) designCard = std::clamp(ProfileFile(sourceFsPath).ReadInt("#Setting#", "CurID", 0), 0, std::max(count - 1, 0));
    if (designCard >= count) {
        problem = "--design-card " + std::to_string(designCard) + ": the record file has " + std::to_string(count) + " cards";
        return false;
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "zulname-list-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        problem = "cannot make a temporary folder";
        return false;
    }
    folder_ = pattern;
    fsPath_ = (std::filesystem::path(folder_) / std::filesystem::path(sourceFsPath).filename()).string();
    // The copy starts with every section of the record file but its cards.
    const profile::ProfileDocument& doc = profile::ProfileService::Instance().Document(sourceFsPath);
    std::string settingsOnly;
    for (std::size_t section = 0; section < doc.SectionCount(); ++section) {
        if (cards::CardNumberOf(doc.SectionName(section))) continue;
        settingsOnly += doc.HeaderContent(section);
        settingsOnly += doc.HeaderLineEnd(section);
        doc.AppendBody(section, settingsOnly);
    }
    if (!ReplaceFileAtomically(fsPath_, settingsOnly)) {
        problem = "cannot write the temporary record file " + fsPath_;
        return false;
    }
    const ImportResult result = ImportIntoRecord(settings, fsPath_, plan, ImportMode::Replace,
                                                 source.DesignOf(designCard, cards::kAllSlots));
    // Every row prints, in list order, from the first.
    const ProfileFile copy(fsPath_);
    if (!result.written || !copy.WriteString("Current", "PrintOrder", "") || !copy.WriteString("#Setting#", "CurID", "0") ||
        !copy.Flush()) {
        problem = "cannot write the temporary record file " + fsPath_;
        return false;
    }
    return true;
}
