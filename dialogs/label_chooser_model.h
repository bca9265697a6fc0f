#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "store/label_sizes.h"
#include "store/profiles.h"

// The label-size chooser: picks the slot the record file is edited and printed with, and stores
// it in the record file itself.
class LabelChooserModel {
public:
    // current: the record file's slot, 0 while none has been chosen.
    LabelChooserModel(const RecordProfile& record, std::int32_t current);

    // Fields exchanged with the controls: the check buttons of slots 1, 2 and 3, and the slot
    // they stand for. Exactly one button is checked after every event.
    std::array<bool, kLabelSlotCount> checked{};
    std::int32_t slot = 1;

    void OnOpen();
    // The button of slot s (1 to 3) was clicked; checked already holds its new state.
    void OnClick(std::int32_t s);
    // Stores the slot in the record file; the dialog then closes with it.
    void OnOk();
    // Escape or closing the window.
    void OnCancel();

    const std::optional<std::int32_t>& Result() const { return result_; }

private:
    void CheckOnly(std::int32_t s);

    const RecordProfile& record_;
    std::int32_t current_;
    std::optional<std::int32_t> result_;
};
