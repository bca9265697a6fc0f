#pragma once

#include <cstdint>
#include <string>

#include "dialogs/slot_buttons.h"
#include "store/profiles.h"

// "ﾗﾍﾞﾙｻｲｽﾞ設定": the width and height of the three label slots. A size is stored as soon as it
// is typed, so cancelling keeps it. Texts are stored text (code page 932), stored as typed. The
// sizes live in the settings file; their changes are steps of the record file's undo.
class LabelSizeModel {
public:
    // slot: the slot to start on; anything but 2 or 3 is the first.
    LabelSizeModel(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot);

    // Fields exchanged with the controls.
    SlotButtons slotButtons;  // "名刺ｻｲｽﾞ", "ﾕｰｻﾞｰ(1)", "ﾕｰｻﾞｰ(2)"
    std::string width;        // "幅", hundredths of an inch
    std::string height;       // "高さ"

    void OnOpen();
    // Shows the slot's stored size; writes nothing.
    void OnSlot(std::int32_t slot);
    // "幅" or "高さ" changed.
    void OnSizeEdited();
    void OnDefault();  // "ﾃﾞﾌｫｰﾙﾄ設定"
    void OnOk();
    std::int32_t Slot() const { return slot_; }

private:
    void Load();
    void Store() const;

    const SettingsProfile& settings_;
    const RecordProfile& record_;
    std::int32_t slot_;
};
