#pragma once

#include <string>
#include <vector>

#include "lists/romaji.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// "読みからローマ字": fills an item of every card with the name in Latin letters made from the
// card's reading, for guests from abroad. The items and the order are remembered in the settings
// file ("Option" "RomajiFrom", "RomajiTo", "RomajiOrder"). Texts are UTF-8.
class RomajiModel {
public:
    RomajiModel(const SettingsProfile& settings, cards::RecordCards cards);

    // Fields exchanged with the controls.
    std::vector<std::string> items;  // both lists: the record's items
    int from = 0, to = 0;            // indexes into items
    bool givenFirst = true;          // "Taro YAMADA", else "YAMADA Taro"
    std::string example;             // the first card with a reading, as it will be written
    bool okEnabled = false;

    void OnOpen();
    void OnChanged();
    // Writes every card and remembers the choice; the message to show.
    std::string OnOk();

private:
    std::string Stored(int index) const;
    NameOrder Order() const { return givenFirst ? NameOrder::GivenFirst : NameOrder::FamilyFirst; }

    SettingsProfile settings_;
    cards::RecordCards cards_;
};
