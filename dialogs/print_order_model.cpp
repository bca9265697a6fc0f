#include "dialogs/print_order_model.h"

#include <algorithm>

#include "dialogs/sorted_list.h"
#include "render/sheet.h"
#include "store/items.h"

namespace {

std::string NameOf(const RecordProfile& record, const std::string& section) {
    return record.ReadString(section, FixedItems().front(), "");
}

std::string Entry(const std::string& section, const std::string& name) { return section + "|" + name; }

// Takes the selected rows out of entries, in list order. Rows out of range are ignored.
std::vector<std::string> TakeRows(std::vector<std::string>& entries, std::vector<int>& rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> taken;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row < 0 || static_cast<std::size_t>(*row) >= entries.size()) continue;
        const auto at = entries.begin() + *row;
        taken.insert(taken.begin(), std::move(*at));
        entries.erase(at);
    }
    rows.clear();
    return taken;
}

}  // namespace

PrintOrderModel::PrintOrderModel(const RecordProfile& record) : record_(record) {}

void PrintOrderModel::OnOpen() {
    // The whole value: an order of many cards is longer than an ordinary read.
    for (const std::string& section : SplitBarList(record_.ReadFullString("Current", "PrintOrder", ""))) {
        const std::string name = NameOf(record_, section);
        if (!name.empty()) order.push_back(Entry(section, name));
    }
    for (const std::string& section : NamedCards(record_)) {
        std::string entry = Entry(section, NameOf(record_, section));
        if (sorted_list::FindPrefix(order, entry) < 0) registered.push_back(std::move(entry));
    }
    sorted_list::Sort(registered);
    UpdateButtons();
}

void PrintOrderModel::OnMove() {
    for (std::string& entry : TakeRows(registered, registeredSelection)) order.push_back(std::move(entry));
    UpdateButtons();
}

void PrintOrderModel::OnMoveAll() {
    order.insert(order.end(), registered.begin(), registered.end());
    registered.clear();
    registeredSelection.clear();
    UpdateButtons();
}

void PrintOrderModel::OnReturn() { Register(TakeRows(order, orderSelection)); }

void PrintOrderModel::OnReturnAll() {
    orderSelection.clear();
    Register(std::move(order));
    order.clear();
}

void PrintOrderModel::OnRegisteredDoubleClick(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= registered.size()) return;
    order.push_back(registered[static_cast<std::size_t>(row)]);
    UpdateButtons();
}

void PrintOrderModel::OnOk() {
    record_.WriteString("Current", "PrintOrder", StoredOrder());
    record_.Flush();
}

std::string PrintOrderModel::StoredOrder() const {
    std::vector<std::string> sections;
    for (const std::string& entry : order) sections.push_back(entry.substr(0, entry.find('|')));
    return JoinBarList(sections);
}

// A card put in the order several times comes back to "登録内容" once.
void PrintOrderModel::Register(std::vector<std::string> entries) {
    for (std::string& entry : entries)
        if (std::find(registered.begin(), registered.end(), entry) == registered.end())
            registered.push_back(std::move(entry));
    sorted_list::Sort(registered);
    UpdateButtons();
}

void PrintOrderModel::UpdateButtons() {
    moveAllEnabled = !registered.empty();
    returnAllEnabled = !order.empty();
}
