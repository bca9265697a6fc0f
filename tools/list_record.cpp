#include "tools/list_record.h"

#include <algorithm>

#include "lists/card_import.h"
#include "store/card_deck.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profile_value.h"
#include "store/regular_file.h"

namespace {

// The list read and planned for the settings' items; false, with the problem, when it gives
// nothing to print.
bool PlanPeople(const std::string& listPath, const list_tool::ListOptions& options, ImportPlan& plan,
                std::string& problem, std::vector<std::string>& notes) {
    const std::vector<std::string> items = ItemListUtf8(SettingsProfile());
    {
        ListFile list;  // its cells are in the plan now
        if (!list_tool::PlanList(listPath, options, items, list, plan, problem)) return false;
    }
    for (const ImportNote& note : plan.unencodable) notes.push_back(listPath + ": " + DescribeNote(note));
    if (plan.refused) {
        problem = listPath + ": text that code page 932 cannot hold; choose --unencodable keep, skip or replace";
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
    return true;
}

}  // namespace

bool ReadRecordDocument(const std::string& fsPath, profile::ProfileDocument& doc, std::string& problem) {
    std::string bytes;
    if (ReadRegularFile(fsPath, profile::kMaxFileBytes, bytes) != 0) {
        problem = "cannot read the record file " + fsPath;
        return false;
    }
    doc = profile::ProfileDocument::Parse(std::move(bytes));
    return true;
}

bool ListRecord::Make(const std::string& sourceFsPath, const std::string& listPath,
                      const list_tool::ListOptions& options, std::int32_t designCard, std::string& problem,
                      std::vector<std::string>& notes) {
    ImportPlan plan;
    if (!PlanPeople(listPath, options, plan, problem, notes)) return false;
    profile::ProfileDocument source;
    if (!ReadRecordDocument(sourceFsPath, source, problem)) return false;
    cards::CardDeck deck;
    const std::int32_t count = deck.Load(source) ? deck.Count() : 0;
    if (designCard < 0) designCard = std::clamp(profile::IntResult(source.Find("#Setting#", "CurID"), 0), 0, std::max(count - 1, 0));
    if (designCard >= count) {
        problem = "--design-card " + std::to_string(designCard) + ": the record file has " + std::to_string(count) + " cards";
        return false;
    }
    UserItemList userItems;
    userItems.ReloadUserItems(SettingsProfile());
    const cards::Design design = cards::DesignOfCard(source, deck, designCard,
                                                     cards::TextKeys(ItemList(userItems.UserItems())), cards::kAllSlots);
    return record_.Make(source, plan, design, problem);
}

bool ListRecord::Make(const profile::ProfileDocument& source, const std::string& listPath,
                      const list_tool::ListOptions& options, const cards::Design& design,
                      const std::vector<cards::SectionKeys>& sections, std::string& problem,
                      std::vector<std::string>& notes) {
    ImportPlan plan;
    return PlanPeople(listPath, options, plan, problem, notes) && record_.Make(source, plan, design, problem, sections);
}
