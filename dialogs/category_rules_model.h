#pragma once

#include <string>
#include <vector>

#include "designs/category_rules.h"
#include "designs/design_library.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// "区分ごとのデザイン": the record file's rules that give the cards of each category (the text of
// an item such as 区分) a design and an honorific after the name. OK keeps the rules and puts them
// on every card, as one step of the record file's undo. Texts are UTF-8.
class CategoryRulesModel {
public:
    struct Row {
        int item = 0;           // index into items
        std::string value;      // the category, as the cards hold it
        int design = 0;         // index into designs; 0 keeps each card's own
        std::string honorific;  // empty: none
    };

    CategoryRulesModel(const SettingsProfile& settings, cards::RecordCards cards, designs::DesignLibrary library);

    // Fields exchanged with the controls.
    std::vector<std::string> items;
    std::vector<std::string> designs;     // "（そのまま）", then the library's designs
    std::vector<std::string> honorifics;  // "" (なし), then 様, さん, 殿, 先生, くん, ちゃん
    std::vector<Row> rows;
    int selected = -1;
    bool removeEnabled = false;
    bool okEnabled = true;
    std::string problem;  // why OK cannot be pressed

    void OnOpen();
    void OnChanged();
    // A row for each category the cards hold that no rule names yet, in card order; the item is
    // the selected row's, else 区分, else 所属. Done on opening while there are no rules and
    // the cards have the item 区分.
    void OnReadCategories();
    void OnAdd();
    void OnRemove();
    // Keeps and applies the rules; the message to show.
    std::string OnOk();

private:
    int DefaultItem() const;
    std::vector<designs::CategoryRule> Rules() const;

    SettingsProfile settings_;
    cards::RecordCards cards_;
    designs::DesignLibrary library_;
    std::vector<std::string> designNames_;  // stored names, parallel to designs from index 1
};
