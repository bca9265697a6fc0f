#include "designs/category_rules.h"

#include <algorithm>
#include <map>
#include <optional>

#include "designs/record_designs.h"
#include "store/codec.h"
#include "store/cp932.h"
#include "store/items.h"
#include "store/label_sizes.h"

namespace designs {
namespace {

constexpr std::int32_t kMostRules = 200;

std::string Numbered(std::string_view key, std::size_t n) { return std::string(key) + std::to_string(n); }

std::string HonorificKey(std::int32_t slot) { return ItemKey(std::to_string(slot), FixedItems().front(), "Honorific"); }

// The keys a card of a rule takes in every slot: the design scaled to the slot's label and its
// frame as the card's own, and the honorific (an empty value where there is none, to remove it
// from a card that keeps its own design).
cards::Design KeysForRule(const SettingsProfile& settings, const Design* design, const std::string& honorific) {
    cards::Design keys;
    for (const std::int32_t slot : {1, 2, 3}) {
        if (design) {
            const LabelExtent size = LabelSize(settings, slot);
            for (cards::Design part : {CardKeysFor(*design, slot, size), OwnFrameKeysFor(*design, slot, size)})
                keys.insert(keys.end(), part.begin(), part.end());
        }
        if (design == nullptr || !honorific.empty()) keys.push_back({HonorificKey(slot), honorific});
    }
    return keys;
}

}  // namespace

const std::vector<std::string>& CommonHonorifics() {
    static const std::vector<std::string> honorifics = {"様", "さん", "殿", "先生", "くん", "ちゃん"};
    return honorifics;
}

std::vector<CategoryRule> ReadRules(const std::string& recordFsPath) {
    const ProfileFile file(recordFsPath);
    const std::int32_t count = std::clamp(file.ReadInt(kRulesSection, "Count", 0), 0, kMostRules);
    std::vector<CategoryRule> rules;
    for (std::size_t n = 1; n <= static_cast<std::size_t>(count); ++n) {
        CategoryRule rule{file.ReadString(kRulesSection, Numbered("Item", n), ""),
                          file.ReadString(kRulesSection, Numbered("Value", n), ""),
                          file.ReadString(kRulesSection, Numbered("Design", n), ""),
                          file.ReadString(kRulesSection, Numbered("Honorific", n), "")};
        if (!rule.item.empty() && !rule.value.empty()) rules.push_back(std::move(rule));
    }
    return rules;
}

cards::SectionKeys RulesSection(const std::vector<CategoryRule>& rules) {
    cards::SectionKeys section{std::string(kRulesSection), {}};
    const std::size_t count = std::min<std::size_t>(rules.size(), kMostRules);
    section.keys.push_back({"Count", std::to_string(count)});
    for (std::size_t n = 1; n <= count; ++n) {
        const CategoryRule& rule = rules[n - 1];
        section.keys.push_back({Numbered("Item", n), rule.item});
        section.keys.push_back({Numbered("Value", n), rule.value});
        section.keys.push_back({Numbered("Design", n), rule.design});
        section.keys.push_back({Numbered("Honorific", n), rule.honorific});
    }
    return section;
}

void PutRule(std::vector<CategoryRule>& rules, const CategoryRule& rule) {
    const auto same = std::find_if(rules.begin(), rules.end(), [&](const CategoryRule& each) {
        return each.item == rule.item && each.value == rule.value;
    });
    if (same != rules.end())
        *same = rule;
    else
        rules.push_back(rule);
}

const CategoryRule* RuleFor(const std::vector<CategoryRule>& rules,
                            const std::function<std::string(std::string_view)>& text) {
    for (const CategoryRule& rule : rules)
        if (cp932::TrimBlanks(text(rule.item)) == cp932::TrimBlanks(rule.value)) return &rule;
    return nullptr;
}

RulesOutcome ApplyRules(const SettingsProfile& settings, const cards::RecordCards& record, const DesignLibrary& library,
                        const std::vector<CategoryRule>& rules, const std::vector<std::int32_t>& targets,
                        bool storeRules) {
    RulesOutcome result;
    std::map<std::string, std::optional<Design>> found;
    const auto designNamed = [&](const std::string& name) -> const Design* {
        if (name.empty()) return nullptr;
        auto [at, added] = found.try_emplace(name);
        if (added) {
            if (std::optional<Entry> entry = library.Find(name)) at->second = std::move(entry->design);
            else result.missingDesigns.push_back(name);
        }
        return at->second ? &*at->second : nullptr;
    };
    std::vector<std::int32_t> cardsToSee = targets;
    if (cardsToSee.empty())
        for (std::int32_t card = 0, count = record.Count(); card < count; ++card) cardsToSee.push_back(card);
    std::map<const CategoryRule*, cards::Design> keysOfRule;  // worked out once for all its cards
    std::vector<cards::RecordCards::CardDesign> designs;
    for (const std::int32_t card : cardsToSee) {
        const CategoryRule* rule = RuleFor(rules, [&](std::string_view item) { return record.Text(card, item); });
        if (!rule) continue;
        const Design* design = designNamed(rule->design);
        if (!design && !rule->design.empty()) continue;  // a missing design changes nothing
        auto [keys, added] = keysOfRule.try_emplace(rule);
        if (added) keys->second = KeysForRule(settings, design, rule->honorific);
        designs.push_back({card, keys->second, design == nullptr});
    }
    std::vector<cards::SectionKeys> sections;
    if (storeRules) sections.push_back(RulesSection(rules));
    result.outcome = record.SetDesigns(designs, cards::kAllSlots, sections);
    return result;
}

RulesOutcome ApplyStoredRules(const SettingsProfile& settings, const cards::RecordCards& record,
                              const std::vector<std::int32_t>& targets) {
    const std::vector<CategoryRule> rules = ReadRules(record.FsPath());
    if (rules.empty()) return {};
    return ApplyRules(settings, record, DesignLibrary::Installed(), rules, targets, false);
}

RulesOutcome ApplyStoredRulesToNewest(const SettingsProfile& settings, const std::string& recordFsPath,
                                      std::size_t count) {
    const cards::RecordCards record(recordFsPath, CurrentItemList(settings));
    const std::int32_t total = record.Count();
    const std::int32_t first = count >= static_cast<std::size_t>(total) ? 0 : total - static_cast<std::int32_t>(count);
    std::vector<std::int32_t> newest;
    for (std::int32_t card = first; card < total; ++card) newest.push_back(card);
    if (newest.empty()) return {};
    return ApplyStoredRules(settings, record, newest);
}

RulesOutcome FollowCategoryChange(const SettingsProfile& settings, const RecordProfile& record, std::int32_t card,
                                  std::string_view item) {
    const std::vector<CategoryRule> rules = ReadRules(record.ReadFsPath());
    if (std::none_of(rules.begin(), rules.end(), [&](const CategoryRule& rule) { return rule.item == item; })) return {};
    const cards::RecordCards cards(record.ReadFsPath(), CurrentItemList(settings));
    return ApplyRules(settings, cards, DesignLibrary::Installed(), rules, {card}, false);
}

}  // namespace designs
