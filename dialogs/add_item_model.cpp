#include "dialogs/add_item_model.h"

#include <algorithm>

#include "dialogs/sorted_list.h"
#include "store/codec.h"
#include "store/cp932.h"
#include "store/items.h"

namespace {

// Names kept from being added, though nothing else uses them.
const std::vector<std::string>& ReservedNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const char* name : {"氏名1", "氏名2", "肩書き1", "肩書き2", "住所1", "住所2", "電話", "携帯電話", "PHS",
                                 "その他1", "その他2", "FAX", "Email", "HomePage"})
            list.push_back(codec::Sjis(name));
        return list;
    }();
    return names;
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// An item name becomes part of profile keys and of the "|"-separated list, so it must not hold
// what those would take for their own syntax. Trail bytes of double-byte characters are not
// single characters and are allowed.
bool WouldCorruptStorage(const std::string& name) {
    if (!name.empty() && name.front() == ';') return true;
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = cp932::CharLength(name, pos);
        if (length == 1 && std::string_view("|=[]\r\n").find(name[pos]) != std::string_view::npos) return true;
        pos += length;
    }
    return false;
}

}  // namespace

AddItemModel::AddItemModel(const SettingsProfile& settings) : settings_(settings) {}

void AddItemModel::OnOpen() {
    names = SplitBarList(settings_.ReadFullString("UserDef", "Items", ""));
    sorted_list::Sort(names);
    selection = -1;
    addEnabled = false;
}

void AddItemModel::OnNameChanged() {
    addEnabled = !name.empty() && !Contains(ReservedNames(), name) && !WouldCorruptStorage(name);
}

void AddItemModel::OnAdd() {
    if (!addEnabled) return;
    const std::string folded = cp932::FoldAsciiCase(name);
    const bool listed = std::any_of(names.begin(), names.end(),
                                    [&](const std::string& entry) { return cp932::FoldAsciiCase(entry) == folded; });
    if (!listed && !Contains(FixedItems(), name)) {
        names.push_back(name);
        sorted_list::Sort(names);
        selection = -1;
    }
    name.clear();
    OnNameChanged();
}

void AddItemModel::OnDoubleClick(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return;
    name = names[static_cast<std::size_t>(index)];
    OnNameChanged();
}

void AddItemModel::OnDelete() {
    if (selection < 0 || static_cast<std::size_t>(selection) >= names.size()) return;
    names.erase(names.begin() + selection);
    selection = -1;
}

void AddItemModel::OnOk() {
    settings_.WriteString("UserDef", "Items", JoinBarList(names));
    settings_.Flush();
}
