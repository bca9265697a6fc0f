#include "dialogs/romaji_model.h"

#include <algorithm>

#include "store/codec.h"

namespace {

constexpr const char* kSection = "Option";

std::string Utf8(const std::string& stored) {
    std::string text;
    return codec::Cp932ToUtf8(stored, text) ? text : stored;
}

}  // namespace

RomajiModel::RomajiModel(const SettingsProfile& settings, cards::RecordCards cards)
    : settings_(settings), cards_(std::move(cards)) {}

std::string RomajiModel::Stored(int index) const { return cards_.Items().at(static_cast<std::size_t>(index)); }

void RomajiModel::OnOpen() {
    items.clear();
    for (const std::string& item : cards_.Items()) items.push_back(Utf8(item));
    const auto indexOf = [this](const std::string& stored, const char* fallback) {
        const std::vector<std::string>& stores = cards_.Items();
        auto found = std::find(stores.begin(), stores.end(), stored);
        if (found == stores.end()) found = std::find(stores.begin(), stores.end(), codec::Sjis(fallback));
        return found == stores.end() ? 0 : static_cast<int>(found - stores.begin());
    };
    from = indexOf(settings_.ReadString(kSection, "RomajiFrom", ""), "読み");
    to = indexOf(settings_.ReadString(kSection, "RomajiTo", ""), "その他1");
    givenFirst = settings_.ReadInt(kSection, "RomajiOrder", 0) == 0;
    OnChanged();
}

void RomajiModel::OnChanged() {
    const int count = static_cast<int>(items.size());
    okEnabled = from >= 0 && from < count && to >= 0 && to < count && from != to;
    example.clear();
    if (from < 0 || from >= count) return;
    for (std::int32_t card = 0; card < cards_.Count(); ++card) {
        const std::string reading = Utf8(cards_.Text(card, Stored(from)));
        const std::string name = RomanisedName(reading, Order());
        if (name.empty()) continue;
        example = reading + " → " + name;
        return;
    }
    example = "読みのあるカードがありません";
}

std::string RomajiModel::OnOk() {
    if (!okEnabled) return {};
    settings_.WriteString(kSection, "RomajiFrom", Stored(from));
    settings_.WriteString(kSection, "RomajiTo", Stored(to));
    settings_.WriteInt(kSection, "RomajiOrder", givenFirst ? 0 : 1);
    settings_.Flush();
    const cards::Outcome outcome = FillRomanisedNames(cards_, Stored(from), Stored(to), Order());
    if (!outcome) return "書き込めませんでした。";
    return std::to_string(outcome.changed) + "枚のカードの「" + items[static_cast<std::size_t>(to)] + "」に書き込みました。";
}
