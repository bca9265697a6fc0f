#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/profiles.h"

// The items of a tag: eight fixed ones and the user's own, and how a card stores each of them.
// Names are stored text (code page 932); positions are kept as the decimal text they are
// stored as.

// "氏名", "肩書き", "所属", "読み", "その他1" … "その他4", in list order.
const std::vector<std::string>& FixedItems();

// The fixed items followed by the user-defined ones: the order of every item list.
std::vector<std::string> ItemList(const std::vector<std::string>& userItems);
// The same with the user-defined items the settings file holds now.
std::vector<std::string> CurrentItemList(const SettingsProfile& settings);

// Lists stored as one value, each name followed by "|" ("UserDef" "Items", the print order);
// empty pieces are dropped when reading.
std::vector<std::string> SplitBarList(std::string_view stored);
std::string JoinBarList(const std::vector<std::string>& names);

// The application's list of user-defined item names.
class UserItemList {
public:
    const std::vector<std::string>& UserItems() const { return names_; }
    // Replaces the list with the names stored in the settings file.
    void ReloadUserItems(const SettingsProfile& settings);

private:
    std::vector<std::string> names_;
};

// How an item's text is placed horizontally ("PrintPos").
enum class AlignmentCode : std::int32_t { Free = 0, Right = 1, Centre = 2, Left = 3 };

// Keys of an item in a card section, for slot prefix S and item I: S + I + suffix
// ("1氏名Xpos", suffixes "Xpos", "Ypos", "PrintPos", "Font", "FontFace", …).
std::string ItemKey(std::string_view slot, std::string_view item, std::string_view suffix);
// S + "IsPrint" + I: the print flag puts the item name last.
std::string IsPrintKey(std::string_view slot, std::string_view item);

struct ItemRecord {
    std::string text;
    std::string xpos;
    std::string ypos;
    std::int32_t print = 1;
};

// An item as the input dialog loads it: missing positions come from the registered defaults
// (else "0"), a missing print flag is 1.
ItemRecord LoadItem(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                    std::string_view slot, std::string_view item);
// Writes the text, both positions and the print flag where they differ from what the card draws
// with now (a missing key draws as no text, 0 and not printed), then flushes the record file.
// Keys that would change nothing are left out, so that saving an item the user only looked at
// keeps the card's design the same as that of the cards it was copied to.
bool SaveItem(const RecordProfile& record, std::string_view card, std::string_view slot, std::string_view item,
              const ItemRecord& values);
bool SetAlignment(const RecordProfile& record, std::string_view card, std::string_view slot, std::string_view item,
                  AlignmentCode code);

// Copies the fonts, positions and print flags of the fixed items of a card into the settings
// file's "Default" section for one slot. saveOpenItem stores the item being edited first.
void RegisterDefaults(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                      std::string_view slot, const std::function<void()>& saveOpenItem);
// The card keys and values the registered defaults of one slot give: font, face, positions and
// print flag of the fixed items. Empty when none are registered for the slot.
std::vector<std::pair<std::string, std::string>> RegisteredDefaults(const SettingsProfile& settings,
                                                                    std::string_view slot);
// Copies the registered defaults of one slot into a card; nothing when none are registered.
void LoadDefaults(const SettingsProfile& settings, const RecordProfile& record, std::string_view card,
                  std::string_view slot);
