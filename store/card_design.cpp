#include "store/card_design.h"

#include "store/exact_text.h"

#include <algorithm>

#include "store/cp932.h"

namespace cards {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a == b || cp932::CompareFolded(a, b) == 0);
}

bool FoldedLess(const KeyView& a, const KeyView& b) { return cp932::CompareFolded(a.name, b.name) < 0; }

// Sorted by folded name; of keys with the same name only the first in file order stays.
void Normalise(DesignView& keys) {
    std::stable_sort(keys.begin(), keys.end(), FoldedLess);
    keys.erase(std::unique(keys.begin(), keys.end(),
                           [](const KeyView& a, const KeyView& b) { return SameName(a.name, b.name); }),
               keys.end());
}

template <typename Visit>
void ForEachDesignKey(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts, std::int32_t slot,
                      Visit&& visit) {
    doc.ForEachLine(section, [&](const profile::ProfileDocument::LineView& line) {
        if (line.isKey && InDesign(line.name, texts, slot)) visit(line);
    });
}

}  // namespace

bool SameKeyName(std::string_view a, std::string_view b) { return SameName(a, b); }

bool TextKeys::IsText(std::string_view key) const {
    return std::any_of(items_.begin(), items_.end(), [&](const std::string& item) {
        return SameName(item, key) || exact_text::IsKeyOf(key, item);
    });
}

bool InDesign(std::string_view key, const TextKeys& texts, std::int32_t slot) {
    if (key.empty()) return false;
    if (slot != kAllSlots && key.front() != static_cast<char>('0' + slot)) return false;
    return !texts.IsText(key);
}

DesignView ViewOfSection(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts, std::int32_t slot) {
    DesignView keys;
    ForEachDesignKey(doc, section, texts, slot,
                     [&](const profile::ProfileDocument::LineView& line) { keys.push_back({line.name, line.value}); });
    return keys;
}

DesignView ViewOfDesign(const Design& design) {
    DesignView keys;
    keys.reserve(design.size());
    for (const DesignKey& key : design) keys.push_back({key.name, key.value});
    return keys;
}

bool SameDesign(const DesignView& a, const DesignView& b) {
    // Cards written by the program store their keys in the same order and spelling: then the
    // values decide, and no sorting is needed.
    const bool sameNames = std::equal(a.begin(), a.end(), b.begin(), b.end(),
                                      [](const KeyView& x, const KeyView& y) { return x.name == y.name; });
    if (sameNames)
        return std::equal(a.begin(), a.end(), b.begin(), [](const KeyView& x, const KeyView& y) { return x.value == y.value; });
    DesignView left = a, right = b;
    Normalise(left);
    Normalise(right);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](const KeyView& x, const KeyView& y) {
        return x.value == y.value && SameName(x.name, y.name);
    });
}

bool SameDesign(const Design& a, const Design& b) { return SameDesign(ViewOfDesign(a), ViewOfDesign(b)); }

Design DesignOf(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts, std::int32_t slot) {
    DesignView first = ViewOfSection(doc, section, texts, slot);
    Normalise(first);
    Design design;
    design.reserve(first.size());
    // File order, keeping only the keys that survived as the first of their name.
    ForEachDesignKey(doc, section, texts, slot, [&](const profile::ProfileDocument::LineView& line) {
        const auto found = std::lower_bound(first.begin(), first.end(), KeyView{line.name, {}}, FoldedLess);
        if (found != first.end() && found->name.data() == line.name.data())
            design.push_back({std::string(line.name), std::string(line.value)});
    });
    return design;
}

void AppendDesignLines(const Design& design, std::string& out) {
    for (const DesignKey& key : design) {
        out += key.name;
        out += '=';
        out += key.value;
        out += "\r\n";
    }
}

std::string BodyWithDesign(const profile::ProfileDocument& doc, std::size_t section, const TextKeys& texts,
                           std::int32_t slot, const Design& design) {
    std::string body;
    std::size_t endOfContent = 0;  // after the last non-blank line kept
    doc.ForEachLine(section, [&](const profile::ProfileDocument::LineView& line) {
        if (line.isKey && InDesign(line.name, texts, slot)) return;
        body.append(line.content);
        body.append(line.lineEnd.empty() ? std::string_view("\r\n") : line.lineEnd);
        if (!cp932::TrimBlanks(line.content).empty()) endOfContent = body.size();
    });
    std::string lines;
    AppendDesignLines(design, lines);
    body.insert(endOfContent, lines);
    return body;
}

}  // namespace cards
