#include "dialogs/label_chooser_model.h"

LabelChooserModel::LabelChooserModel(const RecordProfile& record, std::int32_t current)
    : record_(record), current_(current) {}

void LabelChooserModel::OnOpen() { CheckOnly(current_ == 2 || current_ == 3 ? current_ : 1); }

// A button that became checked is the new choice; the checked one cannot be cleared by a click.
void LabelChooserModel::OnClick(std::int32_t s) {
    if (s < 1 || s > kLabelSlotCount) return;
    CheckOnly(checked[s - 1] ? s : slot);
}

void LabelChooserModel::OnOk() {
    SetCurrentSlot(record_, slot);
    record_.Flush();
    result_ = slot;
}

void LabelChooserModel::OnCancel() { result_.reset(); }

void LabelChooserModel::CheckOnly(std::int32_t s) {
    slot = s;
    for (std::int32_t i = 0; i < kLabelSlotCount; ++i) checked[i] = i + 1 == s;
}
