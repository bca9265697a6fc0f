#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/surface.h"
#include "sheets/catalogue.h"
#include "store/profiles.h"

// What the sheet chooser needs from the window system; tests put their own in its place.
class SheetChooserPlatform {
public:
    virtual ~SheetChooserPlatform() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // A name for the sheet to save; nothing when cancelled.
    virtual std::optional<std::string> AskSheetName() = 0;
};

// "用紙を選ぶ": finds a label product and puts it into one label slot in one step: the label
// size and the print options of the slot, and the record file's start offsets. Texts are UTF-8.
class SheetChooserModel {
public:
    // slot: the slot to fill, 1 to 3 (anything else is 1).
    SheetChooserModel(sheets::SheetCatalogue& catalogue, const SettingsProfile& settings, const RecordProfile& record,
                      std::int32_t slot, SheetChooserPlatform& platform);

    // Fields exchanged with the controls.
    std::string heading;            // which slot is filled
    std::string search;             // "検索"
    std::vector<std::string> rows;  // the products found, one line each
    int selected = -1;              // the row chosen, -1 for none
    std::string details;            // the chosen product, and what the slot would hold
    bool okEnabled = false;         // a usable product is chosen

    void OnOpen();
    void OnSearchEdited();
    void OnSelect(int row);
    // Stores the chosen product and tells what changed; true when the dialog closes.
    bool OnOk();
    // "この設定を用紙として保存": the slot's current settings become a sheet of the user's.
    void OnSaveCurrent();

    const sheets::SheetProduct* Chosen() const;
    std::int32_t Slot() const { return slot_; }

private:
    void Find();
    // Chooses the first product that is what the slot holds now, so that the slot's sheet is
    // kept by going on.
    void SelectSlotSheet();

    sheets::SheetCatalogue& catalogue_;
    const SettingsProfile& settings_;
    const RecordProfile& record_;
    std::int32_t slot_;
    SheetChooserPlatform& platform_;
    std::vector<std::size_t> found_;
};

// The slot as the dialogs name it: "名刺ｻｲｽﾞ", "ﾕｰｻﾞｰ(1)", "ﾕｰｻﾞｰ(2)".
std::string SlotCaption(std::int32_t slot);

// A picture of the product's sheet: the paper's outline and each label's, in hundredths of an
// inch from the paper's top-left corner (y upward, as every surface draws).
void DrawSheetPicture(const sheets::SheetProduct& product, Surface& surface);
