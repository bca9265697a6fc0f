#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
// A record file keeps at most this many rules.
inline constexpr std::size_t kMostRules = 200;

struct CategoryRule {
    std::string item, value, design, honorific;  // code page 932
    bool operator==(const CategoryRule& other) const {
        return item == other.item && value == other.value && design == other.design && honorific == other.honorific;
    }
};

// Why rules are not kept: a rule whose item or value is empty (or blanks only), or more than
// kMostRules of them.
enum class RulesRefusal { None, EmptyValue, TooMany };
RulesRefusal CheckRules(const std::vector<CategoryRule>& rules);

// The honorifics offered, UTF-8, in the order a list shows them.
const std::vector<std::string>& CommonHonorifics();

std::vector<CategoryRule> ReadRules(const std::string& recordFsPath);
std::vector<CategoryRule> RulesIn(const profile::ProfileDocument& record);
// The rules as the section that holds them.
cards::SectionKeys RulesSection(const std::vector<CategoryRule>& rules);
// rules with `rule` in place of the one for the same item and value, or added after them.
void PutRule(std::vector<CategoryRule>& rules, const CategoryRule& rule);

// Whether a card key is one a rule puts on, not its design's: the honorific after the name and
// the card's own frame, in any label slot.
bool IsRuleKey(std::string_view key);

struct RulesOutcome {
    cards::Outcome outcome;
    std::vector<std::string> missingDesigns;  // rules naming a design the library does not have
    RulesRefusal refused = RulesRefusal::None;  // nothing written
    std::size_t rules = 0;                      // the rules applied
};

// Every rules change below is worked out from the record file as it is while the write holds
// its lock: the rules it keeps then, and the texts of its cards then. A card a rule matches takes
// the rule's keys in every label slot (the design scaled to the slot's label size); a target card
// no rule matches loses the keys a rule put on (IsRuleKey) and keeps the rest of its design.

// The rules put on the target cards (none: every card); with storeRules, the rules are written
// into the file in the same write, so that keeping and applying them is one undo step.
RulesOutcome ApplyRules(const SettingsProfile& settings, const cards::RecordCards& record, const DesignLibrary& library,
                        const std::vector<CategoryRule>& rules, const std::vector<std::int32_t>& targets,
                        bool storeRules);
// rule put among the file's rules (PutRule), kept, and the rules put on every card.
RulesOutcome PutRuleAndApply(const SettingsProfile& settings, const cards::RecordCards& record,
                             const DesignLibrary& library, const CategoryRule& rule);
// The record file's own rules put on the target cards; nothing is written while it has none.
RulesOutcome ApplyStoredRules(const SettingsProfile& settings, const cards::RecordCards& record,
                              const DesignLibrary& library, const std::vector<std::int32_t>& targets);

// After a card's text of item changed (and was flushed): the card takes the record file's rules
// when one of them is about that item.
RulesOutcome FollowCategoryChange(const SettingsProfile& settings, const RecordProfile& record, std::int32_t card,
                                  std::string_view item);

// The designs of new cards (added, inserted or imported) in a record file with rules: the keys a
// rule put on the card they inherit from are left out, and a new card of a category takes its
// rule. Cards of a file without rules take the design they inherit.
class RuledNewCards : public cards::NewCardDesigns {
public:
    RuledNewCards(const SettingsProfile& settings, const DesignLibrary& library);
    ~RuledNewCards() override;
    void Prepare(const profile::ProfileDocument& doc, const std::vector<std::string>& items) override;
    std::optional<cards::Design> Of(const cards::CardTexts& texts, const std::optional<cards::Design>& design) override;
    // The new cards a rule gave its keys in the last write.
    std::int32_t Ruled() const { return ruled_; }

private:
    struct Keys;
    const SettingsProfile& settings_;
    const DesignLibrary& library_;
    std::unique_ptr<Keys> keys_;
    std::int32_t ruled_ = 0;
};

}  // namespace designs
