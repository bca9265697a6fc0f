#include "dialogs/label_size_model.h"

#include "sheets/recorded_sheet.h"
#include "store/profile_service.h"

LabelSizeModel::LabelSizeModel(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot)
    : settings_(settings), record_(record), slot_(slot) {}

void LabelSizeModel::OnOpen() {
    slot_ = slotButtons.Select(slot_);
    Load();
}

void LabelSizeModel::OnSlot(std::int32_t slot) {
    slot_ = slotButtons.Select(slot);
    Load();
}

void LabelSizeModel::OnSizeEdited() { Store(); }

void LabelSizeModel::OnDefault() {
    const LabelSizeTexts size = DefaultLabelSize();
    width = size.width;
    height = size.height;
    Store();
}

void LabelSizeModel::OnOk() { Store(); }

void LabelSizeModel::Load() {
    LabelSizeTexts size = StoredLabelSize(settings_, slot_);
    width = std::move(size.width);
    height = std::move(size.height);
}

void LabelSizeModel::Store() const {
    const profile::JoinedUndo intoRecord(settings_.FsPath(), record_.ReadFsPath());
    StoreLabelSize(settings_, slot_, {width, height});
    sheets::RecordSlotSheet(settings_, record_, slot_);
    settings_.Flush();
    record_.Flush();
}
