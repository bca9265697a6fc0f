#include "tools/list_record.h"

#include <algorithm>

#include "lists/card_import.h"
#include "store/card_deck.h"
#include "store/items.h"
#include "store/profile_service.h"
#include "store/profile_value.h"

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
    // A column that names no item of the settings (区分 of a list made for the import, which would
    // add it) has no place on the tags: it is left out, unless a --map asked for it.
    const auto known = [&](const std::string& item) { return std::find(items.begin(), items.end(), item) != items.end(); };
    std::vector<std::string> unknown;
    bool named = false;
    for (PlannedCard& card : plan.cards) {
        for (const auto& text : card.texts) {
            const std::string& item = text.first;
            if (known(item) || std::find(unknown.begin(), unknown.end(), item) != unknown.end()) continue;
            const bool mapped = std::any_of(options.maps.begin(), options.maps.end(),
                                            [&](const auto& map) { return map.second == item; });
            if (mapped) {
                problem = "--map names no item \"" + item + "\"; add it to the record's items first";
                return false;
            }
            unknown.push_back(item);
            notes.push_back(listPath + ": the column \"" + item + "\" is no item of the settings; not printed");
        }
        card.texts.erase(std::remove_if(card.texts.begin(), card.texts.end(), [&](const auto& text) { return !known(text.first); }),
                         card.texts.end());
        named |= std::any_of(card.texts.begin(), card.texts.end(), [](const auto& text) { return text.first == "氏名"; });
    }
    // Only cards with a 氏名 print.
    if (!named) {
        problem = listPath + ": no row has a 氏名 to print";
        return false;
    }
    return true;
}

}  // namespace

bool ReadRecordDocument(const std::string& fsPath, const std::function<bool(std::int32_t)>& wanted, RecordSections& read,
                        std::string& problem) {
    if (ReadRecordSections(fsPath, profile::kMaxFileBytes, wanted, read) != 0) {
        problem = "cannot read the record file " + fsPath;
        return false;
    }
    return true;
}

bool ListRecord::Make(const std::string& sourceFsPath, const std::string& listPath,
                      const list_tool::ListOptions& options, std::int32_t designCard, std::string& problem,
                      std::vector<std::string>& notes) {
    ImportPlan plan;
    if (!PlanPeople(listPath, options, plan, problem, notes)) return false;
    // The file's settings first, then the one card whose design the rows take.
    RecordSections read;
    const auto count = [&read] {
        cards::CardDeck deck;
        return deck.Load(read.doc) ? std::max(deck.Count(), read.highestCard + 1) : 0;
    };
    if (designCard < 0) {
        if (!ReadRecordDocument(sourceFsPath, [](std::int32_t) { return false; }, read, problem)) return false;
        designCard = std::clamp(profile::IntResult(read.doc.Find("#Setting#", "CurID"), 0), 0, std::max(count() - 1, 0));
    }
    if (!ReadRecordDocument(sourceFsPath, [designCard](std::int32_t card) { return card == designCard; }, read, problem))
        return false;
    const profile::ProfileDocument& source = read.doc;
    cards::CardDeck deck;
    if (designCard >= count() || !deck.Load(source)) {
        problem = "--design-card " + std::to_string(designCard) + ": the record file has " + std::to_string(count()) + " cards";
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
