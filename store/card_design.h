#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/profile_document.h"

// The design of a card: every key of its card section except the item texts (the keys named by
// a fixed or user-defined item), for one label slot or for all of them. Names and values are
// kept as stored (code page 932).
namespace cards {

// Label slot 1, 2 or 3: the keys that start with its digit; kAllSlots: every key but the texts.
constexpr std::int32_t kAllSlots = 0;

struct DesignKey {
    std::string name, value;
};
using Design = std::vector<DesignKey>;

// The item names whose keys are texts, compared as keys are (ASCII case folded); an item's
// exact-text key (store/exact_text.h) is text too.
class TextKeys {
public:
    explicit TextKeys(std::vector<std::string> items) : items_(std::move(items)) {}
    bool IsText(std::string_view key) const;

private:
    std::vector<std::string> items_;
};

// Whether two key names are the same, as keys compare (ASCII case folded).
bool SameKeyName(std::string_view a, std::string_view b);

// Whether a key belongs to the design of the slot.
bool InDesign(std::string_view key, const TextKeys& texts, std::int32_t slot);

// A design as views into a document or a Design, in stored order: the form in which designs
// are compared.
struct KeyView {
    std::string_view name, value;
};
using DesignView = std::vector<KeyView>;

DesignView ViewOfSection(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts, std::int32_t slot);
DesignView ViewOfDesign(const Design& design);
// Whether two designs read the same, whatever the order and letter case of their keys.
bool SameDesign(const DesignView& a, const DesignView& b);
bool SameDesign(const Design& a, const Design& b);

// The design keys of a section of doc in file order, the first of each name.
Design DesignOf(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts, std::int32_t slot);

// The lines of the section with the slot's design replaced by design: other keys, comments and
// blank lines stay as they are; the design's keys follow the section's last non-blank line.
std::string BodyWithDesign(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts,
                           std::int32_t slot, const Design& design);

// key=value lines of a design, as the writer writes new keys.
void AppendDesignLines(const Design& design, std::string& out);

}  // namespace cards
