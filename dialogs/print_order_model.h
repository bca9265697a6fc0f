#pragma once

#include <string>
#include <vector>

#include "store/profiles.h"

// "印刷順序指定": which cards a sheet prints, in which order. Entries show a card as its section
// and its "氏名", e.g. "0003|山田" (stored text, code page 932); a card may be put in the order
// more than once. Only "OK" stores the order, as "Current" "PrintOrder" of the record file.
//
// The window moves its controls' selections into the fields before calling a handler and shows
// the fields afterwards.
class PrintOrderModel {
public:
    explicit PrintOrderModel(const RecordProfile& record);

    // Fields exchanged with the controls.
    std::vector<std::string> registered;  // "登録内容", sorted
    std::vector<std::string> order;       // "印刷順序"
    // Selected rows of each list; the moves empty them.
    std::vector<int> registeredSelection;
    std::vector<int> orderSelection;
    bool moveAllEnabled = false;    // ">>"
    bool returnAllEnabled = false;  // "<<" and "ｸﾘｱ"

    void OnOpen();
    void OnMove();       // ">"
    void OnMoveAll();    // ">>"
    void OnReturn();     // "<"
    void OnReturnAll();  // "<<" and "ｸﾘｱ"
    // A double-click on an entry of "登録内容": one more print of that card.
    void OnRegisteredDoubleClick(int row);
    void OnOk();

    // The order as it is stored: each entry's card section followed by "|".
    std::string StoredOrder() const;

private:
    // Puts entries back into "登録内容".
    void Register(std::vector<std::string> entries);
    void UpdateButtons();

    const RecordProfile& record_;
};
