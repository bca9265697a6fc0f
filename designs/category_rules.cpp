#include "designs/category_rules.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "designs/record_designs.h"
#include "store/codec.h"
#include "store/cp932.h"
#include "store/items.h"
#include "store/label_sizes.h"
#include "store/profile_service.h"
#include "store/profile_value.h"

namespace designs {
namespace {

std::string Numbered(std::string_view key, std::size_t n) { return std::string(key) + std::to_string(n); }

std::string HonorificKey(std::int32_t slot) { return ItemKey(std::to_string(slot), FixedItems().front(), "Honorific"); }

bool StartsFolded(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && cp932::CompareFolded(text.substr(0, start.size()), start) == 0;
}

// The rules of one write, what each puts on a card worked out once, and the rule a card takes
// found by its texts without walking every rule.
class RuleBook {
public:
    RuleBook(const SettingsProfile& settings, const DesignLibrary& library, std::vector<CategoryRule> rules)
        : settings_(settings), library_(library), rules_(std::move(rules)), keys_(rules_.size()) {
        for (std::size_t n = 0; n < rules_.size(); ++n) {
            auto item = std::find(items_.begin(), items_.end(), rules_[n].item);
            if (item == items_.end()) {
                items_.push_back(rules_[n].item);
                byValue_.emplace_back();
                item = items_.end() - 1;
            }
            byValue_[static_cast<std::size_t>(item - items_.begin())].try_emplace(
                std::string(cp932::TrimBlanks(rules_[n].value)), n);
        }
    }

    const std::vector<CategoryRule>& Rules() const { return rules_; }
    bool Empty() const { return rules_.empty(); }
    // The items the rules are about.
    const std::vector<std::string>& Items() const { return items_; }

    // The first rule a card matches, given its text of each of Items(), or none.
    std::optional<std::size_t> Match(const std::function<std::string(std::size_t)>& textOfItem) const {
        std::optional<std::size_t> first;
        for (std::size_t item = 0; item < items_.size(); ++item) {
            const auto found = byValue_[item].find(std::string(cp932::TrimBlanks(textOfItem(item))));
            if (found != byValue_[item].end() && (!first || found->second < *first)) first = found->second;
        }
        return first;
    }

    // What rule n puts on a card: its design's keys in every slot, or (overCurrent, a rule that
    // keeps each card's design) the honorific over the card's own. None when its design is missing.
    const cards::Design* KeysOf(std::size_t n, bool& overCurrent) {
        Keys& keys = keys_[n];
        if (!keys.worked) {
            keys.worked = true;
            const CategoryRule& rule = rules_[n];
            std::optional<Entry> entry;
            if (!rule.design.empty() && !(entry = library_.Find(rule.design))) {
                missing_.push_back(rule.design);
                keys.missing = true;
            }
            for (const std::int32_t slot : {1, 2, 3}) {
                if (entry) {
                    const LabelExtent size = LabelSize(settings_, slot);
                    for (cards::Design part : {CardKeysFor(entry->design, slot, size), OwnFrameKeysFor(entry->design, slot, size)})
                        keys.keys.insert(keys.keys.end(), part.begin(), part.end());
                }
                if (!entry || !rule.honorific.empty()) keys.keys.push_back({HonorificKey(slot), rule.honorific});
            }
            keys.overCurrent = !entry;
        }
        overCurrent = keys.overCurrent;
        return keys.missing ? nullptr : &keys.keys;
    }

    std::vector<std::string> TakeMissing() { return std::move(missing_); }

private:
    struct Keys {
        bool worked = false, missing = false, overCurrent = false;
        cards::Design keys;
    };
    const SettingsProfile& settings_;
    const DesignLibrary& library_;
    std::vector<CategoryRule> rules_;
    std::vector<std::string> items_;
    std::vector<std::unordered_map<std::string, std::size_t>> byValue_;  // by item: trimmed value → first rule
    std::vector<Keys> keys_;
    std::vector<std::string> missing_;
};

// The rules a write works with, from the file as it is under its lock; a refusal writes nothing.
using RulesUnderLock = std::function<RulesRefusal(const profile::ProfileDocument&, std::vector<CategoryRule>&)>;

RulesOutcome Apply(const SettingsProfile& settings, const cards::RecordCards& record, const DesignLibrary& library,
                   const RulesUnderLock& rulesOf, const std::vector<std::int32_t>& targets, bool storeRules) {
    RulesOutcome result;
    result.outcome = record.PlanDesigns(
        [&](const profile::ProfileDocument& doc, const cards::CardDeck& deck, cards::RecordCards::DesignPlan& plan) {
            std::vector<CategoryRule> rules;
            result = RulesOutcome();
            result.refused = rulesOf(doc, rules);
            if (result.refused != RulesRefusal::None) return cards::Outcome{cards::Failure::NotWritten};
            result.rules = rules.size();
            if (storeRules) plan.sections.push_back(RulesSection(rules));
            if (rules.empty()) return cards::Outcome();
            RuleBook book(settings, library, std::move(rules));
            std::vector<std::int32_t> cardsToSee = targets;
            if (cardsToSee.empty())
                for (std::int32_t card = 0; card < deck.Count(); ++card) cardsToSee.push_back(card);
            // Cards no rule matches lose a rule's keys: design 0, nothing over their own.
            plan.leaveOut = IsRuleKey;
            plan.designs.emplace_back();
            plan.overCurrent.push_back(true);
            std::vector<std::optional<std::size_t>> planned(book.Rules().size());
            for (const std::int32_t card : cardsToSee) {
                if (card < 0 || card >= deck.Count()) return cards::Outcome{cards::Failure::NoSuchCard, 0, 0, card};
                const std::optional<std::size_t> rule =
                    book.Match([&](std::size_t item) { return cards::TextOfCard(doc, deck, card, book.Items()[item]); });
                if (!rule) {
                    plan.cards.emplace_back(card, 0);
                    continue;
                }
                if (!planned[*rule]) {
                    bool overCurrent = false;
                    const cards::Design* keys = book.KeysOf(*rule, overCurrent);
                    if (!keys) continue;  // a missing design changes nothing
                    planned[*rule] = plan.designs.size();
                    plan.designs.push_back(*keys);
                    plan.overCurrent.push_back(overCurrent);
                }
                plan.cards.emplace_back(card, *planned[*rule]);
            }
            result.missingDesigns = book.TakeMissing();
            return cards::Outcome();
        },
        cards::kAllSlots);
    return result;
}

}  // namespace

RulesRefusal CheckRules(const std::vector<CategoryRule>& rules) {
    for (const CategoryRule& rule : rules)
        if (cp932::TrimBlanks(rule.item).empty() || cp932::TrimBlanks(rule.value).empty()) return RulesRefusal::EmptyValue;
    return rules.size() > kMostRules ? RulesRefusal::TooMany : RulesRefusal::None;
}

bool IsRuleKey(std::string_view key) {
    if (key.size() < 2 || key.front() < '1' || key.front() > '3') return false;
    const std::string_view rest = key.substr(1);
    static const std::string honorific = ItemKey("", FixedItems().front(), "Honorific");
    static const std::string size = ItemKey("", FixedItems().front(), "HonorificSize");
    return StartsFolded(rest, "Frame") || cards::SameKeyName(rest, honorific) || cards::SameKeyName(rest, size);
}

const std::vector<std::string>& CommonHonorifics() {
    static const std::vector<std::string> honorifics = {"様", "さん", "殿", "先生", "くん", "ちゃん"};
    return honorifics;
}

std::vector<CategoryRule> RulesIn(const profile::ProfileDocument& record) {
    const std::size_t section = record.FindSection(kRulesSection);
    if (section == profile::ProfileDocument::kNoSection) return {};
    // Without surrounding blanks, as a rule is matched and as it reads once written back.
    const auto read = [&](std::string_view key, std::size_t n) {
        return std::string(cp932::TrimBlanks(profile::StringResult(record.FindIn(section, Numbered(key, n)), "")));
    };
    const std::int32_t count =
        std::clamp(profile::IntResult(record.FindIn(section, "Count"), 0), 0, static_cast<std::int32_t>(kMostRules));
    std::vector<CategoryRule> rules;
    for (std::size_t n = 1; n <= static_cast<std::size_t>(count); ++n) {
        CategoryRule rule{read("Item", n), read("Value", n), read("Design", n), read("Honorific", n)};
        if (CheckRules({rule}) == RulesRefusal::None) rules.push_back(std::move(rule));
    }
    return rules;
}

std::vector<CategoryRule> ReadRules(const std::string& recordFsPath) {
    return RulesIn(profile::ProfileService::Instance().Document(recordFsPath));
}

cards::SectionKeys RulesSection(const std::vector<CategoryRule>& rules) {
    cards::SectionKeys section{std::string(kRulesSection), {}};
    const std::size_t count = std::min<std::size_t>(rules.size(), kMostRules);
    section.keys.push_back({"Count", std::to_string(count)});
    for (std::size_t n = 1; n <= count; ++n) {
        const CategoryRule& rule = rules[n - 1];
        section.keys.push_back({Numbered("Item", n), profile::Quoted(rule.item)});
        section.keys.push_back({Numbered("Value", n), profile::Quoted(rule.value)});
        section.keys.push_back({Numbered("Design", n), profile::Quoted(rule.design)});
        section.keys.push_back({Numbered("Honorific", n), profile::Quoted(rule.honorific)});
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

RulesOutcome ApplyRules(const SettingsProfile& settings, const cards::RecordCards& record, const DesignLibrary& library,
                        const std::vector<CategoryRule>& rules, const std::vector<std::int32_t>& targets,
                        bool storeRules) {
    if (const RulesRefusal refused = CheckRules(rules); refused != RulesRefusal::None) {
        RulesOutcome result;
        result.refused = refused;
        result.outcome.failure = cards::Failure::NotWritten;
        return result;
    }
    return Apply(
        settings, record, library,
        [&](const profile::ProfileDocument&, std::vector<CategoryRule>& under) {
            under = rules;
            return RulesRefusal::None;
        },
        targets, storeRules);
}

RulesOutcome PutRuleAndApply(const SettingsProfile& settings, const cards::RecordCards& record,
                             const DesignLibrary& library, const CategoryRule& rule) {
    return Apply(
        settings, record, library,
        [&](const profile::ProfileDocument& doc, std::vector<CategoryRule>& rules) {
            rules = RulesIn(doc);
            PutRule(rules, rule);
            return CheckRules(rules);
        },
        {}, true);
}

RulesOutcome ApplyStoredRules(const SettingsProfile& settings, const cards::RecordCards& record,
                              const DesignLibrary& library, const std::vector<std::int32_t>& targets) {
    return Apply(
        settings, record, library,
        [](const profile::ProfileDocument& doc, std::vector<CategoryRule>& rules) {
            rules = RulesIn(doc);
            return RulesRefusal::None;
        },
        targets, false);
}

RulesOutcome FollowCategoryChange(const SettingsProfile& settings, const RecordProfile& record, std::int32_t card,
                                  std::string_view item) {
    const std::vector<CategoryRule> rules = ReadRules(record.ReadFsPath());
    if (std::none_of(rules.begin(), rules.end(), [&](const CategoryRule& rule) { return rule.item == item; })) return {};
    const cards::RecordCards cards(record.ReadFsPath(), CurrentItemList(settings));
    return ApplyStoredRules(settings, cards, DesignLibrary::Installed(), {card});
}

struct RuledNewCards::Keys {
    std::optional<RuleBook> book;
    std::vector<std::size_t> itemIndex;  // by item of the book: its index in the card's texts, or npos
};

RuledNewCards::RuledNewCards(const SettingsProfile& settings, const DesignLibrary& library)
    : settings_(settings), library_(library), keys_(std::make_unique<Keys>()) {}

RuledNewCards::~RuledNewCards() = default;

void RuledNewCards::Prepare(const profile::ProfileDocument& doc, const std::vector<std::string>& items) {
    ruled_ = 0;
    keys_->book.reset();
    keys_->itemIndex.clear();
    std::vector<CategoryRule> rules = RulesIn(doc);
    if (rules.empty()) return;
    keys_->book.emplace(settings_, library_, std::move(rules));
    for (const std::string& item : keys_->book->Items()) {
        const auto at = std::find(items.begin(), items.end(), item);
        keys_->itemIndex.push_back(at == items.end() ? std::string::npos : static_cast<std::size_t>(at - items.begin()));
    }
}

std::optional<cards::Design> RuledNewCards::Of(const cards::CardTexts& texts, const std::optional<cards::Design>& design) {
    if (!keys_->book) return design;
    cards::Design own = design.value_or(cards::Design());
    own.erase(std::remove_if(own.begin(), own.end(), [](const cards::DesignKey& key) { return IsRuleKey(key.name); }),
              own.end());
    const std::optional<std::size_t> rule = keys_->book->Match([&](std::size_t item) {
        const std::size_t at = keys_->itemIndex[item];
        return at < texts.size() ? texts[at] : std::string();
    });
    bool overCurrent = false;
    const cards::Design* keys = rule ? keys_->book->KeysOf(*rule, overCurrent) : nullptr;
    if (!keys) return design ? std::optional<cards::Design>(std::move(own)) : std::nullopt;
    ++ruled_;
    if (!overCurrent) return *keys;
    for (const cards::DesignKey& key : *keys)
        if (!key.value.empty()) own.push_back(key);
    return own;
}

}  // namespace designs
