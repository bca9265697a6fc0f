#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "designs/design_library.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// Designs by category: rules kept in the record file that give each card the design (and the
// honorific after the name) of its category, e.g. 区分 来賓 → 来賓 (赤) with 様. The file holds
//
//   [CategoryDesigns]
//   Count=2
//   Item1=区分      the item whose text is the category
//   Value1=来賓     the text a card's item holds
//   Design1=来賓 (赤)  a design of the library; empty: each card keeps its own
//   Honorific1=様   set after the name; empty: none
//
// A card takes the first rule its text matches; a card no rule matches keeps its design. A design
// taken from a rule brings its frame into the card's own keys ("1Frame", "1Frame1Inside" …), as
// cards of several categories cannot share the label slot's frame.
namespace designs {

inline constexpr std::string_view kRulesSection = "CategoryDesigns";

struct CategoryRule {
    std::string item, value, design, honorific;  // code page 932
    bool operator==(const CategoryRule& other) const {
        return item == other.item && value == other.value && design == other.design && honorific == other.honorific;
    }
};

// The honorifics offered, UTF-8, in the order a list shows them.
const std::vector<std::string>& CommonHonorifics();

std::vector<CategoryRule> ReadRules(const std::string& recordFsPath);
// The rules as the section that holds them.
cards::SectionKeys RulesSection(const std::vector<CategoryRule>& rules);
// rules with `rule` in place of the one for the same item and value, or added after them.
void PutRule(std::vector<CategoryRule>& rules, const CategoryRule& rule);

// The rule a card with texts `text` (item → stored text) takes, or none.
const CategoryRule* RuleFor(const std::vector<CategoryRule>& rules, const std::function<std::string(std::string_view)>& text);

struct RulesOutcome {
    cards::Outcome outcome;
    std::vector<std::string> missingDesigns;  // rules naming a design the library does not have
};

// The rules put on the target cards (none: every card), in every label slot scaled to its label
// size; with storeRules, the rules are written into the file in the same write, so that keeping
// and applying them is one undo step.
RulesOutcome ApplyRules(const SettingsProfile& settings, const cards::RecordCards& record, const DesignLibrary& library,
                        const std::vector<CategoryRule>& rules, const std::vector<std::int32_t>& targets,
                        bool storeRules);
// The record file's own rules put on the target cards, with the installed designs; nothing is
// written while the file has no rules.
RulesOutcome ApplyStoredRules(const SettingsProfile& settings, const cards::RecordCards& record,
                              const std::vector<std::int32_t>& targets);

// The same for the last `count` cards of the file at recordFsPath: those an import just made.
RulesOutcome ApplyStoredRulesToNewest(const SettingsProfile& settings, const std::string& recordFsPath,
                                      std::size_t count);

// After a card's text of item changed (and was flushed): the card takes the record file's rules
// when one of them is about that item.
RulesOutcome FollowCategoryChange(const SettingsProfile& settings, const RecordProfile& record, std::int32_t card,
                                  std::string_view item);

}  // namespace designs
