#include "lists/card_import.h"

#include <algorithm>

#include "store/card_deck.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/failure_reason.h"
#include "store/items.h"
#include "store/profile_service.h"

namespace {

// Why the cards could not be written into the record file.
std::string ImportFailure(const std::string& recordFsPath, const cards::Outcome& outcome) {
    switch (outcome.failure) {
        case cards::Failure::CardLimit:
            return "取り込むとカードが" + std::to_string(cards::CardDeck::kMostCards) + "枚を超えるため取り込めません。";
        case cards::Failure::TooManyCards:
            return "「" + recordFsPath + "」のカードの数が上限の" + std::to_string(cards::CardDeck::kMostCards) +
                   "枚を超えています。";
        case cards::Failure::NoSuchCard:
        case cards::Failure::UnknownItem:
        case cards::Failure::NotWritten:
        case cards::Failure::None: break;
    }
    return profile::NotWrittenMessage(recordFsPath);
}

// Adds the new item names to "UserDef" "Items". False when a name cannot be stored.
bool AddUserItems(const SettingsProfile& settings, const std::vector<std::string>& names, std::string& error) {
    std::vector<std::string> stored = SplitBarList(settings.ReadString("UserDef", "Items", ""));
    for (const std::string& name : names) {
        std::string cp932;
        if (!codec::Utf8ToCp932(name, cp932) || cp932.find_first_of("|[]=\r\n") != std::string::npos) {
            error = "項目名「" + name + "」は使えません";
            return false;
        }
        stored.push_back(cp932);
    }
    if (!settings.WriteString("UserDef", "Items", JoinBarList(stored)) || !settings.Flush()) {
        error = profile::NotWrittenMessage(settings.FsPath());
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> ItemListUtf8(const SettingsProfile& settings) {
    std::vector<std::string> items;
    for (const std::string& item : CurrentItemList(settings)) items.push_back(codec::Utf8(item));
    return items;
}

cards::Design DefaultsDesign(const SettingsProfile& settings) {
    cards::Design design;
    for (const char* slot : {"1", "2", "3"})
        for (auto& [key, value] : RegisteredDefaults(settings, slot)) design.push_back({std::move(key), std::move(value)});
    return design;
}

std::optional<cards::Design> ChooseDesign(const SettingsProfile& settings, const cards::RecordCards& record,
                                          DesignSource source, std::int32_t card) {
    switch (source) {
        case DesignSource::Card: return record.DesignOf(card, cards::kAllSlots);
        case DesignSource::Defaults: return DefaultsDesign(settings);
        case DesignSource::None: return std::nullopt;
    }
    return std::nullopt;
}

ImportResult ImportIntoRecord(const SettingsProfile& settings, const std::string& recordFsPath, const ImportPlan& plan,
                              ImportMode mode, const std::optional<cards::Design>& design, cards::NewCardDesigns* designs) {
    ImportResult result;
    if (plan.refused) {
        result.error = "名札に保存できない文字があるため取り込みませんでした";
        return result;
    }
    std::vector<std::string> items = ItemListUtf8(settings);
    std::vector<std::string> named;
    for (const PlannedCard& card : plan.cards)
        for (const auto& [item, text] : card.texts)
            if (std::find(named.begin(), named.end(), item) == named.end()) named.push_back(item);
    ColumnMapping mapping;
    for (const std::string& item : named) mapping.push_back({TargetKind::Item, item});
    result.newItems = NewItems(mapping, items);
    if (!result.newItems.empty()) {
        if (!AddUserItems(settings, result.newItems, result.error)) return result;
        items = ItemListUtf8(settings);
    }

    std::vector<cards::CardTexts> rows;
    rows.reserve(plan.cards.size());
    for (const PlannedCard& card : plan.cards) {
        cards::CardTexts texts(items.size());
        for (const auto& [item, text] : card.texts) {
            const auto at = std::find(items.begin(), items.end(), item);
            exact_text::FromUtf8(text, texts[static_cast<std::size_t>(at - items.begin())]);
        }
        rows.push_back(std::move(texts));
    }
    const cards::RecordCards record(recordFsPath, CurrentItemList(settings));
    const cards::Outcome outcome =
        mode == ImportMode::Replace ? record.Replace(rows, design, designs) : record.AppendPeople(rows, design, designs);
    if (!outcome) {
        result.error = ImportFailure(recordFsPath, outcome);
        return result;
    }
    result.written = true;
    result.cardsMade = rows.size();
    return result;
}

std::string ImportReport(const ImportPlan& plan, const ImportResult& result) {
    std::string text = "読み込んだ行: " + std::to_string(plan.rowsRead) + "\n";
    text += "作成したカード: " + std::to_string(result.cardsMade) + "\n";
    if (!result.written && !result.error.empty()) text += result.error + "\n";
    for (const std::string& item : result.newItems) text += "追加した項目: " + item + "\n";
    if (!plan.skipped.empty()) {
        text += "飛ばした行: " + std::to_string(plan.skipped.size()) + "\n";
        for (const ImportNote& note : plan.skipped) text += "  " + DescribeNote(note) + "\n";
    }
    if (!plan.unencodable.empty()) {
        text += "保存できない文字:\n";
        for (const ImportNote& note : plan.unencodable) text += "  " + DescribeNote(note) + "\n";
    }
    if (!plan.notes.empty()) {
        text += "お知らせ:\n";
        for (const ImportNote& note : plan.notes) text += "  " + DescribeNote(note) + "\n";
    }
    return text;
}

ListRows CardsAsList(const cards::RecordCards& record) {
    ListRows list;
    for (const std::string& item : record.Items()) list.header.push_back(codec::Utf8(item));
    const std::int32_t count = record.Count();
    for (std::int32_t card = 0; card < count; ++card) {
        const cards::CardTexts texts = record.Texts(card);
        if (std::all_of(texts.begin(), texts.end(), [](const std::string& text) { return text.empty(); })) continue;
        std::vector<std::string> row;
        row.reserve(texts.size());
        for (const std::string& text : texts) row.push_back(exact_text::ToUtf8(text));
        list.rows.push_back(std::move(row));
        list.cards.push_back(card);
    }
    return list;
}
