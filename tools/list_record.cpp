#include "tools/list_record.h"

#include <algorithm>

#include "lists/card_import.h"
#include "store/items.h"

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

    return record_.Make(sourceFsPath, plan, source.DesignOf(designCard, cards::kAllSlots), problem);
}
