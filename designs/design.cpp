#include "designs/design.h"

#include <algorithm>

#include "designs/design_scaling.h"
#include "store/cp932.h"
#include "store/profile_document.h"
#include "store/profile_value.h"

namespace designs {
namespace {

constexpr std::string_view kDesignSection = "Design";
constexpr std::string_view kCardSection = "Card";
constexpr std::string_view kFrameSection = "Frame";
// No tag is larger than a sheet of paper, and no sheet larger than a metre.
constexpr std::int32_t kLargestSide = 3937;

// The keys of a section, the first of each name, in file order; each value as a read of it gives
// it (cut at a NUL, without surrounding blanks), so that the design reads the same once written
// into a card, and no key a card could not hold.
cards::Design KeysOf(const profile::ProfileDocument& doc, std::string_view name) {
    const std::size_t section = doc.FindSection(name);
    if (section == profile::ProfileDocument::kNoSection) return {};
    cards::Design keys = cards::DesignOf(doc, section, cards::TextKeys({}), cards::kAllSlots);
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [](const cards::DesignKey& key) { return !profile::ProfileDocument::IsStorableKey(key.name); }),
               keys.end());
    for (cards::DesignKey& key : keys)
        key.value = std::string(cp932::TrimBlanks(std::string_view(key.value).substr(0, key.value.find('\0'))));
    return keys;
}

void AppendSection(std::string_view name, const cards::Design& keys, std::string& out) {
    out += "[";
    out += name;
    out += "]\r\n";
    cards::AppendDesignLines(keys, out);
}

cards::Design Scaled(const cards::Design& keys, const std::string& prefix,
                     std::string (*scale)(std::string_view, std::string_view, const Ratios&), const Ratios& ratios) {
    cards::Design out;
    out.reserve(keys.size());
    for (const cards::DesignKey& key : keys) out.push_back({prefix + key.name, scale(key.name, key.value, ratios)});
    return out;
}

}  // namespace

std::optional<Design> ParseDesign(std::string bytes, std::string& problem) {
    const profile::ProfileDocument doc = profile::ProfileDocument::Parse(std::move(bytes));
    Design design;
    // Without surrounding blanks, as the name reads once written.
    const auto text = [&](std::string_view key) {
        return std::string(cp932::TrimBlanks(profile::StringResult(doc.Find(kDesignSection, key), "")));
    };
    design.name = text("Name");
    design.description = text("Description");
    design.size.width = profile::IntResult(doc.Find(kDesignSection, "Width"), 0);
    design.size.height = profile::IntResult(doc.Find(kDesignSection, "Height"), 0);
    if (design.name.empty()) {
        problem = "not a design: no [Design] Name";
        return std::nullopt;
    }
    const auto usable = [](std::int32_t side) { return side > 0 && side <= kLargestSide; };
    if (!usable(design.size.width) || !usable(design.size.height)) {
        problem = "the design's Width and Height must be 1 to " + std::to_string(kLargestSide) + " hundredths of an inch";
        return std::nullopt;
    }
    design.card = KeysOf(doc, kCardSection);
    design.frame = KeysOf(doc, kFrameSection);
    if (design.card.size() + design.frame.size() > kMostDesignKeys) {
        problem = "more than " + std::to_string(kMostDesignKeys) + " keys: not the design of a tag";
        return std::nullopt;
    }
    return design;
}

std::string SerializeDesign(const Design& design) {
    std::string out = "[Design]\r\nName=" + profile::Quoted(profile::CleanValue(design.name)) +
                      "\r\nDescription=" + profile::Quoted(profile::CleanValue(design.description)) +
                      "\r\nWidth=" + std::to_string(design.size.width) +
                      "\r\nHeight=" + std::to_string(design.size.height) + "\r\n";
    AppendSection(kCardSection, design.card, out);
    if (!design.frame.empty()) AppendSection(kFrameSection, design.frame, out);
    return out;
}

Design DesignFromCard(const cards::Design& card, std::int32_t slot, const cards::Design& frame, LabelExtent size) {
    Design design;
    design.size = size;
    const char digit = static_cast<char>('0' + slot);
    cards::Design own;  // a frame the card has of its own stands for the slot's
    for (const cards::DesignKey& key : card) {
        if (key.name.size() <= 1 || key.name.front() != digit) continue;
        std::string name = key.name.substr(1);
        (name.rfind(kFrameSection, 0) == 0 ? own : design.card).push_back({std::move(name), key.value});
    }
    design.frame = own.empty() ? frame : std::move(own);
    return design;
}

cards::Design CardKeysFor(const Design& design, std::int32_t slot, LabelExtent target) {
    return ScaleCardKeys(design.card, std::to_string(slot), RatiosBetween(design.size, target));
}

cards::Design FrameKeysFor(const Design& design, LabelExtent target) {
    return Scaled(design.frame, "", ScaleFrameValue, RatiosBetween(design.size, target));
}

cards::Design OwnFrameKeysFor(const Design& design, std::int32_t slot, LabelExtent target) {
    if (design.frame.empty()) return {{std::to_string(slot) + std::string(kFrameSection), "0"}};
    return Scaled(design.frame, std::to_string(slot), ScaleFrameValue, RatiosBetween(design.size, target));
}

std::string FrameSectionName(std::int32_t slot) { return std::to_string(slot) + "Frame"; }

cards::SectionKeys FrameSectionFor(const Design& design, std::int32_t slot, LabelExtent target) {
    return {FrameSectionName(slot), FrameKeysFor(design, target)};
}

}  // namespace designs
