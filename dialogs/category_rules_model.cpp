#include "dialogs/category_rules_model.h"

#include <algorithm>

#include "store/codec.h"
#include "store/cp932.h"

namespace {

std::string Utf8(const std::string& stored) {
    std::string text;
    return codec::Cp932ToUtf8(stored, text) ? text : stored;
}

}  // namespace

CategoryRulesModel::CategoryRulesModel(const SettingsProfile& settings, cards::RecordCards cards,
                                       designs::DesignLibrary library)
    : settings_(settings), cards_(std::move(cards)), library_(std::move(library)) {}

int CategoryRulesModel::DefaultItem() const {
    if (selected >= 0 && selected < static_cast<int>(rows.size())) return rows[static_cast<std::size_t>(selected)].item;
    // The category item, else 所属: never the name, whose every text would be a category.
    for (const char* name : {"区分", "所属"}) {
        const auto item = std::find(items.begin(), items.end(), name);
        if (item != items.end()) return static_cast<int>(item - items.begin());
    }
    return 0;
}

void CategoryRulesModel::OnOpen() {
    items.clear();
    for (const std::string& item : cards_.Items()) items.push_back(Utf8(item));
    designs = {"（そのまま）"};
    designNames_.clear();
    for (const designs::Entry& entry : library_.List()) {
        designs.push_back(Utf8(entry.design.name));
        designNames_.push_back(entry.design.name);
    }
    honorifics = {""};
    for (const std::string& honorific : designs::CommonHonorifics()) honorifics.push_back(honorific);
    rows.clear();
    for (const designs::CategoryRule& rule : designs::ReadRules(cards_.FsPath())) {
        Row row;
        const auto item = std::find(cards_.Items().begin(), cards_.Items().end(), rule.item);
        if (item == cards_.Items().end()) continue;  // an item since removed: the rule is dropped
        row.item = static_cast<int>(item - cards_.Items().begin());
        row.value = Utf8(rule.value);
        const auto design = std::find(designNames_.begin(), designNames_.end(), rule.design);
        row.design = design == designNames_.end() ? 0 : static_cast<int>(design - designNames_.begin()) + 1;
        row.honorific = Utf8(rule.honorific);
        rows.push_back(std::move(row));
    }
    selected = rows.empty() ? -1 : 0;
    if (rows.empty() && std::find(items.begin(), items.end(), "区分") != items.end()) OnReadCategories();
    OnChanged();
}

void CategoryRulesModel::OnChanged() {
    const int count = static_cast<int>(rows.size());
    if (selected >= count) selected = count - 1;
    removeEnabled = selected >= 0;
    problem.clear();
    for (const Row& row : rows) {
        std::string stored, value;
        if (!codec::Utf8ToCp932(row.value + row.honorific, stored)) problem = "保存できない文字があります";
        else if (codec::Utf8ToCp932(row.value, value) && cp932::TrimBlanks(value).empty()) problem = "値が空の行があります";
    }
    if (rows.size() > designs::kMostRules) problem = "区分は" + std::to_string(designs::kMostRules) + "件までです";
    okEnabled = problem.empty();
}

void CategoryRulesModel::OnReadCategories() {
    if (items.empty()) return;
    const int item = DefaultItem();
    const std::string& stored = cards_.Items()[static_cast<std::size_t>(item)];
    for (std::int32_t card = 0, count = cards_.Count(); card < count; ++card) {
        const std::string value = Utf8(std::string(cp932::TrimBlanks(cards_.Text(card, stored))));
        if (value.empty()) continue;
        const bool known = std::any_of(rows.begin(), rows.end(),
                                       [&](const Row& row) { return row.item == item && row.value == value; });
        if (!known) rows.push_back({item, value, 0, ""});
    }
    OnChanged();
}

void CategoryRulesModel::OnAdd() {
    if (items.empty()) return;
    rows.push_back({DefaultItem(), "", 0, ""});
    selected = static_cast<int>(rows.size()) - 1;
    OnChanged();
}

void CategoryRulesModel::OnRemove() {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) return;
    rows.erase(rows.begin() + selected);
    OnChanged();
}

std::vector<designs::CategoryRule> CategoryRulesModel::Rules() const {
    std::vector<designs::CategoryRule> rules;
    for (const Row& row : rows) {
        designs::CategoryRule rule;
        rule.item = cards_.Items().at(static_cast<std::size_t>(row.item));
        codec::Utf8ToCp932(row.value, rule.value);
        if (row.design > 0) rule.design = designNames_.at(static_cast<std::size_t>(row.design - 1));
        codec::Utf8ToCp932(row.honorific, rule.honorific);
        rules.push_back(std::move(rule));
    }
    return rules;
}

std::string CategoryRulesModel::OnOk() {
    if (!okEnabled) return {};
    const designs::RulesOutcome applied = designs::ApplyRules(settings_, cards_, library_, Rules(), {}, true);
    if (applied.refused != designs::RulesRefusal::None) return "区分の設定を保存できません。値が空の行があるか、" + std::to_string(designs::kMostRules) + "件を超えています。";
    if (!applied.outcome) return "記録ファイルに書き込めませんでした。";
    std::string message = std::to_string(applied.outcome.changed) + "枚のカードを区分ごとのデザインにしました。";
    for (const std::string& missing : applied.missingDesigns)
        message += "\nデザイン「" + Utf8(missing) + "」がないため、そのカードはそのままです。";
    return message;
}
