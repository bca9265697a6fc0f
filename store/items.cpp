#include "store/items.h"

#include "store/codec.h"
#include "store/cp932.h"
#include "store/exact_text.h"
#include "store/font_setting.h"

namespace {

constexpr const char* kDefaultSection = "Default";

}  // namespace

const std::vector<std::string>& FixedItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> list;
        for (const char* name : {"氏名", "肩書き", "所属", "読み", "その他1", "その他2", "その他3", "その他4"})
            list.push_back(codec::Sjis(name));
        return list;
    }();
    return items;
}

std::vector<std::string> ItemList(const std::vector<std::string>& userItems) {
    std::vector<std::string> list = FixedItems();
    list.insert(list.end(), userItems.begin(), userItems.end());
    return list;
}

std::vector<std::string> SplitBarList(std::string_view stored) {
    // "|" (0x7C) is also a trail byte of some double-byte characters, so split character-aware.
    std::vector<std::string> names;
    std::string current;
    for (std::size_t pos = 0; pos < stored.size();) {
        const std::size_t len = cp932::CharLength(stored, pos);
        if (len == 1 && stored[pos] == '|') {
            if (!current.empty()) names.push_back(std::move(current));
            current.clear();
        } else {
            current.append(stored, pos, len);
        }
        pos += len;
    }
    if (!current.empty()) names.push_back(std::move(current));
    return names;
}

std::string JoinBarList(const std::vector<std::string>& names) {
    std::string stored;
    for (const std::string& name : names) stored += name + "|";
    return stored;
}

void UserItemList::ReloadUserItems(const SettingsProfile& settings) {
    // Every name lives in this one value: a cut read would drop the names past the cut, and the
    // next confirmed add-item dialog would then store the list without them.
    names_ = SplitBarList(settings.ReadFullString("UserDef", "Items", ""));
}

std::vector<std::string> CurrentItemList(const SettingsProfile& settings) {
    UserItemList userItems;
    userItems.ReloadUserItems(settings);
    return ItemList(userItems.UserItems());
}

std::string ItemKey(std::string_view slot, std::string_view item, std::string_view suffix) {
    return std::string(slot) + std::string(item) + std::string(suffix);
}

std::string IsPrintKey(std::string_view slot, std::string_view item) {
    return std::string(slot) + "IsPrint" + std::string(item);
}

ItemRecord LoadItem(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                    std::string_view slot, std::string_view item) {
    const std::string xKey = ItemKey(slot, item, "Xpos");
    const std::string yKey = ItemKey(slot, item, "Ypos");
    ItemRecord values;
    values.text = exact_text::Read(record, card, item);
    values.xpos = record.ReadString(card, xKey, settings.ReadString(kDefaultSection, xKey, "0"));
    values.ypos = record.ReadString(card, yKey, settings.ReadString(kDefaultSection, yKey, "0"));
    values.print = record.ReadInt(card, IsPrintKey(slot, item), 1);
    return values;
}

bool SaveItem(const RecordProfile& record, std::string_view card, std::string_view slot, std::string_view item,
              const ItemRecord& values) {
    const auto write = [&](const std::string& key, const std::string& value, const char* drawnWhenMissing) {
        return record.ReadString(card, key, drawnWhenMissing) == value || record.WriteString(card, key, value);
    };
    bool stored = exact_text::Read(record, card, item) == values.text || exact_text::Write(record, card, item, values.text);
    stored = write(ItemKey(slot, item, "Xpos"), values.xpos, "0") && stored;
    stored = write(ItemKey(slot, item, "Ypos"), values.ypos, "0") && stored;
    stored = write(IsPrintKey(slot, item), std::to_string(values.print), "0") && stored;
    return record.Flush() && stored;
}

bool SetAlignment(const RecordProfile& record, std::string_view card, std::string_view slot, std::string_view item,
                  AlignmentCode code) {
    return record.WriteInt(card, ItemKey(slot, item, "PrintPos"), static_cast<std::int32_t>(code));
}

void RegisterDefaults(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                      std::string_view slot, const std::function<void()>& saveOpenItem) {
    for (const std::string& item : FixedItems()) {
        settings.WriteInt(kDefaultSection, std::string(slot) + "Set", 1);
        saveOpenItem();
        for (const char* suffix : {"Font", "FontFace"}) {
            const std::string key = ItemKey(slot, item, suffix);
            settings.WriteString(kDefaultSection, key, record.ReadString(card, key, ""));
        }
        for (const char* suffix : {"Xpos", "Ypos"}) {
            const std::string key = ItemKey(slot, item, suffix);
            settings.WriteString(kDefaultSection, key, record.ReadString(card, key, "0"));
        }
        const std::string printKey = IsPrintKey(slot, item);
        settings.WriteInt(kDefaultSection, printKey, record.ReadInt(card, printKey, 0));
    }
    settings.Flush();
    record.Flush();
}

std::vector<std::pair<std::string, std::string>> RegisteredDefaults(const SettingsProfile& settings,
                                                                    std::string_view slot) {
    std::vector<std::pair<std::string, std::string>> keys;
    if (settings.ReadInt(kDefaultSection, std::string(slot) + "Set", 0) != 1) return keys;
    for (const std::string& item : FixedItems()) {
        const auto copy = [&](const std::string& key, std::string_view defaultValue) {
            keys.emplace_back(key, settings.ReadString(kDefaultSection, key, defaultValue));
        };
        copy(ItemKey(slot, item, "Font"), kRegisteredFontRecord);
        copy(ItemKey(slot, item, "FontFace"), kRegisteredFaceName);
        copy(ItemKey(slot, item, "Xpos"), "0");
        copy(ItemKey(slot, item, "Ypos"), "0");
        const std::string printKey = IsPrintKey(slot, item);
        keys.emplace_back(printKey, std::to_string(settings.ReadInt(kDefaultSection, printKey, 0)));
    }
    return keys;
}

void LoadDefaults(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                  std::string_view slot) {
    for (const auto& [key, value] : RegisteredDefaults(settings, slot)) record.WriteString(card, key, value);
    settings.Flush();
    record.Flush();
}
