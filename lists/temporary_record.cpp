#include "lists/temporary_record.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "lists/card_import.h"
#include "store/card_deck.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"

namespace {

// Written out in pieces of about this size, so that the whole text is never held at once.
constexpr std::size_t kChunk = 1 << 16;

bool Replaced(std::string_view name, const std::vector<cards::SectionKeys>& sections) {
    return std::any_of(sections.begin(), sections.end(),
                       [&](const cards::SectionKeys& section) { return section.section == name; });
}

// Every section of the record file but its cards, with `sections` in place of the source's, for
// `count` cards printed in list order from the first: the print order and the current card
// start afresh.
std::string SettingsSections(const profile::ProfileDocument& source, std::size_t count,
                             const std::vector<cards::SectionKeys>& sections) {
    std::string settings;
    for (std::size_t section = 0; section < source.SectionCount(); ++section) {
        const std::string_view name = source.SectionName(section);
        if (cards::CardNumberOf(name) || Replaced(name, sections)) continue;
        settings += source.HeaderContent(section);
        settings += source.HeaderLineEnd(section);
        source.AppendBody(section, settings);
    }
    profile::ProfileDocument copy = profile::ProfileDocument::Parse(std::move(settings));
    copy.Set("Current", "PrintOrder", "");
    copy.Set("#Setting#", "CurID", "0");
    copy.Set("#Setting#", "Max", std::to_string(count == 0 ? 0 : count - 1));
    for (const cards::SectionKeys& section : sections)
        for (const cards::DesignKey& key : section.keys) copy.Set(section.section, key.name, key.value);
    return copy.Serialize();
}

// A card section: the texts in item-list order (items are UTF-8, keys code page 932), then the design.
void AppendCard(std::size_t number, const PlannedCard& card, const std::vector<std::string>& items,
                const std::vector<std::string>& keys, const std::optional<cards::Design>& design, std::string& out) {
    out += '[' + CardSectionName(static_cast<std::int32_t>(number)) + "]\r\n";
    cards::CardTexts texts(items.size());
    for (std::size_t item = 0; item < items.size(); ++item) {
        const auto text = std::find_if(card.texts.rbegin(), card.texts.rend(),
                                       [&](const auto& entry) { return entry.first == items[item]; });
        if (text != card.texts.rend()) exact_text::FromUtf8(text->second, texts[item]);
    }
    cards::AppendTextLines(keys, texts, out);
    if (design) cards::AppendDesignLines(*design, out);
}

}  // namespace

void TemporaryRecord::Remove() { file_.Remove(); }

bool TemporaryRecord::Make(const std::string& sourceFsPath, const ImportPlan& plan,
                           const std::optional<cards::Design>& design, std::string& problem,
                           const std::vector<cards::SectionKeys>& sections) {
    return Make(profile::ProfileService::Instance().Document(sourceFsPath), plan, design, problem, sections);
}

bool TemporaryRecord::Make(const profile::ProfileDocument& source, const ImportPlan& plan,
                           const std::optional<cards::Design>& design, std::string& problem,
                           const std::vector<cards::SectionKeys>& sections) {
    Remove();
    const SettingsProfile settings;
    const std::vector<std::string> items = ItemListUtf8(settings);
    std::vector<std::string> keys(items.size());
    for (std::size_t item = 0; item < items.size(); ++item) codec::Utf8ToCp932(items[item], keys[item]);

    if (!file_.Make("zulname-list")) {
        problem = "cannot make a temporary record file";
        return false;
    }
    std::string out = SettingsSections(source, plan.cards.size(), sections);
    bool written = true;
    for (std::size_t number = 0; number < plan.cards.size() && written; ++number) {
        AppendCard(number, plan.cards[number], items, keys, design, out);
        if (out.size() >= kChunk) {
            written = file_.Append(out);
            out.clear();
        }
    }
    if (!written || !file_.Append(out)) {
        file_.Remove();
        problem = "cannot write the temporary record file";
        return false;
    }
    return true;
}
