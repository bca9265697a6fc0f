#pragma once

#include <string>
#include <vector>

#include "store/profiles.h"

// The add-item dialog: the user's own item names, added by typing and removed from a sorted
// list; OK stores them as "UserDef" "Items". Texts are stored text (code page 932).
class AddItemModel {
public:
    explicit AddItemModel(const SettingsProfile& settings);

    // Fields exchanged with the controls.
    std::string name;                // the name field
    std::vector<std::string> names;  // the list, sorted
    int selection = -1;              // index into names, -1 for none
    bool addEnabled = false;         // "追加"

    void OnOpen();
    void OnNameChanged();
    void OnAdd();
    void OnDoubleClick(int index);
    void OnDelete();
    void OnOk();

private:
    const SettingsProfile& settings_;
};
