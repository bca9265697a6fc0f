#include "dialogs/cabinet_chooser_model.h"

#include "dialogs/sorted_list.h"
#include "store/storage_layout.h"

CabinetChooserModel::CabinetChooserModel(std::string preset) : preset_(std::move(preset)) {}

void CabinetChooserModel::OnOpen() {
    entries = CabinetNames();
    sorted_list::Sort(entries);
    const std::string& wanted = preset_.empty() ? CabinetNames().front() : preset_;
    const int found = sorted_list::FindPrefix(entries, wanted);
    selection = found >= 0 ? found : 0;
}

void CabinetChooserModel::OnSelect(int index) {
    selection = index >= 0 && index < static_cast<int>(entries.size()) ? index : -1;
}

bool CabinetChooserModel::OnDoubleClick(int index) {
    OnSelect(index);
    return OnOk();
}

bool CabinetChooserModel::OnOk() {
    if (selection < 0) return false;
    result_ = entries[selection];
    return true;
}

void CabinetChooserModel::OnCancel() { result_.reset(); }
