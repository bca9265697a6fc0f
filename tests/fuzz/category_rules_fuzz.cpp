// Reads arbitrary bytes as a record file's category rules and gives new cards their designs by
// them, checking what must hold for any file: the rules read are usable and at most the most a
// file keeps, they read the same when written back, and a new card takes the keys of the first
// rule its texts match (a rule naming a design the library lacks changing nothing) and no key
// another rule put on the card it inherits from.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "designs/category_rules.h"
#include "store/card_operations.h"
#include "store/cp932.h"
#include "store/items.h"
#include "store/profile_document.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

bool Holds(const cards::Design& design, const cards::DesignKey& wanted) {
    return std::any_of(design.begin(), design.end(), [&](const cards::DesignKey& key) {
        return key.name == wanted.name && key.value == wanted.value;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider choices(data, size);
    const std::string text = choices.ConsumeRandomLengthString(size);
    const profile::ProfileDocument doc = profile::ProfileDocument::Parse(text);
    const std::vector<designs::CategoryRule> rules = designs::RulesIn(doc);
    Require(designs::CheckRules(rules) == designs::RulesRefusal::None, "the rules read are usable");

    profile::ProfileDocument written;
    cards::ReplaceSectionKeys(written, designs::RulesSection(rules));
    Require(designs::RulesIn(written) == rules, "the rules read the same when written back");

    // A new card: texts for the rules' items, inheriting a design with a rule's keys.
    std::vector<std::string> items;
    for (const designs::CategoryRule& rule : rules)
        if (std::find(items.begin(), items.end(), rule.item) == items.end()) items.push_back(rule.item);
    cards::CardTexts texts;
    for (std::size_t item = 0; item < items.size(); ++item) {
        const bool ruleValue = !rules.empty() && choices.ConsumeBool();
        texts.push_back(ruleValue ? rules[choices.ConsumeIntegralInRange<std::size_t>(0, rules.size() - 1)].value
                                  : choices.ConsumeRandomLengthString(16));
    }
    const std::string& name = FixedItems().front();
    const cards::DesignKey own{ItemKey("1", name, "Xpos"), "40"};
    const cards::Design inherited = {{"1Frame", "1"}, {ItemKey("2", name, "Honorific"), "x"}, own};

    const SettingsProfile settings("/nonexistent/settings.ini");
    const designs::DesignLibrary library("/nonexistent/built-in", "/nonexistent/user");
    designs::RuledNewCards ruled(settings, library);
    ruled.Prepare(doc, items);
    const std::optional<cards::Design> design = ruled.Of(texts, inherited);
    if (rules.empty()) {
        Require(design.has_value() && design->size() == inherited.size(), "without rules the design is inherited");
        return 0;
    }
    Require(design.has_value(), "an inherited design stays");
    const designs::CategoryRule* first = nullptr;
    for (const designs::CategoryRule& rule : rules) {
        const auto at = std::find(items.begin(), items.end(), rule.item) - items.begin();
        if (cp932::TrimBlanks(texts[static_cast<std::size_t>(at)]) == cp932::TrimBlanks(rule.value)) {
            first = &rule;
            break;
        }
    }
    const bool honoured = first != nullptr && first->design.empty();
    Require(ruled.Ruled() == (honoured ? 1 : 0), "a card counts as ruled when its rule gave it keys");
    Require(Holds(*design, own), "the design's own keys are inherited");
    for (const cards::DesignKey& key : *design) {
        if (!designs::IsRuleKey(key.name)) continue;
        Require(honoured && !first->honorific.empty() && key.value == first->honorific, "only the card's rule puts its keys on");
    }
    if (honoured && !first->honorific.empty())
        Require(Holds(*design, {ItemKey("3", name, "Honorific"), first->honorific}), "the rule's honorific is put on");
    return 0;
}
