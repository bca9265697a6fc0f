#include "store/card_operations.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "store/card_deck.h"
#include "store/collation.h"
#include "store/exact_text.h"
#include "store/profile_service.h"
#include "store/profile_value.h"
#include "store/storage_layout.h"

namespace cards {
namespace {

profile::ProfileService& Service() { return profile::ProfileService::Instance(); }

// Changes the rest of the file after the cards were rewritten; whether it changed anything.
using FileChange = std::function<bool(profile::ProfileDocument&)>;

// Runs change on the cards of the file as it is when its lock is held, then finish on the whole
// file, and writes the result under that lock, unless change reports a failure or neither
// changes anything.
Outcome Transact(const std::string& fsPath, const std::function<Outcome(const profile::ProfileDocument&, CardDeck&)>& change,
                 const FileChange& finish = {}) {
    if (fsPath.empty()) return {Failure::NotWritten};
    Outcome outcome;
    const auto rewrite = [&](const profile::ProfileDocument& doc) -> std::optional<profile::ProfileDocument> {
        CardDeck deck;
        if (!deck.Load(doc)) {
            outcome = {Failure::TooManyCards};
            return std::nullopt;
        }
        outcome = change(doc, deck);
        outcome.count = deck.Count();
        if (!outcome) return std::nullopt;
        if (!finish) {
            if (outcome.changed == 0) return std::nullopt;
            return deck.Rewrite(doc);
        }
        profile::ProfileDocument result = outcome.changed == 0 ? doc : deck.Rewrite(doc);
        if (!finish(result) && outcome.changed == 0) return std::nullopt;
        return result;
    };
    if (!Service().Rewrite(fsPath, rewrite)) return {Failure::NotWritten};
    return outcome;
}

bool InRange(const CardDeck& deck, std::int32_t card) { return card >= 0 && card < deck.Count(); }

// NoSuchCard for the first of cards that is not in the deck, or nothing when all are.
std::optional<Outcome> Missing(const CardDeck& deck, const std::vector<std::int32_t>& cards) {
    for (const std::int32_t card : cards)
        if (!InRange(deck, card)) return Outcome{Failure::NoSuchCard, 0, 0, card};
    return std::nullopt;
}

bool AllInRange(const CardDeck& deck, const std::vector<std::int32_t>& cards) { return !Missing(deck, cards); }

void SortUnique(std::vector<std::int32_t>& cards) {
    std::sort(cards.begin(), cards.end());
    cards.erase(std::unique(cards.begin(), cards.end()), cards.end());
}

std::string TextLines(const std::vector<std::string>& items, const CardTexts& texts) {
    std::string lines;
    AppendTextLines(items, texts, lines);
    return lines;
}

// New cards for rows, each with its texts and design (or that designs gives it).
std::vector<Card> NewCards(const profile::ProfileDocument& doc, const std::vector<std::string>& items,
                           const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                           NewCardDesigns* designs) {
    if (designs) designs->Prepare(doc, items);
    std::vector<Card> made;
    made.reserve(rows.size());
    for (const CardTexts& row : rows) {
        Card card;
        card.body = TextLines(items, row);
        const std::optional<Design> own = designs ? designs->Of(row, design) : design;
        if (own) AppendDesignLines(*own, *card.body);
        made.push_back(std::move(card));
    }
    return made;
}

// New cards with the texts of rows before card `before`.
Outcome AddCards(const profile::ProfileDocument& doc, CardDeck& deck, std::int32_t before,
                 const std::vector<std::string>& items, const std::vector<CardTexts>& rows,
                 const std::optional<Design>& design, NewCardDesigns* designs) {
    if (static_cast<std::size_t>(deck.Count()) + rows.size() > static_cast<std::size_t>(CardDeck::kMostCards))
        return {Failure::CardLimit};
    std::vector<Card> added = NewCards(doc, items, rows, design, designs);
    std::vector<Card>& list = deck.Cards();
    list.insert(list.begin() + before, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    return {Failure::None, static_cast<std::int32_t>(rows.size())};
}

// The design put on one card (in range) for the slot; whether that changed it.
bool PutCardDesign(const profile::ProfileDocument& doc, CardDeck& deck, std::int32_t target, const TextKeys& texts,
                   std::int32_t slot, const Design& design, const DesignView& designView) {
    Card& card = deck.Cards()[static_cast<std::size_t>(target)];
    if (card.section == kNoSection) {
        if (design.empty()) return false;
        card.body.emplace();
        AppendDesignLines(design, *card.body);
    } else {
        if (SameDesign(ViewOfSection(doc, card.section, texts, slot), designView)) return false;
        card.body = BodyWithDesign(doc, card.section, texts, slot, design);
    }
    return true;
}

// The design put on the target cards (sorted, in range) for the slot; the card `keep` is left
// as it is. Returns how many cards changed.
std::int32_t PutDesign(const profile::ProfileDocument& doc, CardDeck& deck, const std::vector<std::int32_t>& targets,
                       const TextKeys& texts, std::int32_t slot, const Design& design, std::int32_t keep) {
    const DesignView designView = ViewOfDesign(design);
    std::int32_t changed = 0;
    for (const std::int32_t target : targets)
        if (target != keep && PutCardDesign(doc, deck, target, texts, slot, design, designView)) ++changed;
    return changed;
}

bool Named(const Design& design, std::string_view name) {
    return std::any_of(design.begin(), design.end(), [&](const DesignKey& key) { return SameKeyName(key.name, name); });
}

// Whether putting design over the card's own keys (own) changes any: a key it names with
// another value, or one that leaveOut names.
bool ChangesOwn(const DesignView& own, const Design& design, const std::function<bool(std::string_view)>& leaveOut) {
    if (leaveOut && std::any_of(own.begin(), own.end(), [&](const KeyView& key) { return leaveOut(key.name); })) return true;
    return std::any_of(design.begin(), design.end(), [&](const DesignKey& key) {
        const auto found = std::find_if(own.begin(), own.end(), [&](const KeyView& each) { return SameKeyName(each.name, key.name); });
        return found == own.end() ? !key.value.empty() : found->value != key.value;
    });
}

// design put over the card's own design: its keys of the same names replaced, those given an
// empty value and those leaveOut names removed, the rest kept. Whether that changed the card.
bool PutOverCurrent(const profile::ProfileDocument& doc, CardDeck& deck, std::int32_t card, const TextKeys& texts,
                    std::int32_t slot, const Design& design, const std::function<bool(std::string_view)>& leaveOut) {
    const std::size_t section = deck.Cards()[static_cast<std::size_t>(card)].section;
    if (section == kNoSection ? design.empty() : !ChangesOwn(ViewOfSection(doc, section, texts, slot), design, leaveOut))
        return false;
    Design merged = DesignOfCard(doc, deck, card, texts, slot);
    merged.erase(std::remove_if(merged.begin(), merged.end(),
                                [&](const DesignKey& own) {
                                    return (leaveOut && leaveOut(own.name)) || Named(design, own.name);
                                }),
                 merged.end());
    for (const DesignKey& key : design)
        if (!key.value.empty()) merged.push_back(key);
    return PutCardDesign(doc, deck, card, texts, slot, merged, ViewOfDesign(merged));
}

// Whether any card of the deck holds a text.
bool AnyText(const profile::ProfileDocument& doc, const CardDeck& deck, const TextKeys& texts) {
    for (const Card& card : deck.Cards()) {
        if (card.section == kNoSection) continue;
        bool found = false;
        doc.ForEachLine(card.section, [&](const profile::ProfileDocument::LineView& line) {
            if (!found && line.isKey && !line.value.empty() && texts.IsText(line.name)) found = true;
        });
        if (found) return true;
    }
    return false;
}

// The change that gives each of sections its keys.
FileChange ReplacingSections(const std::vector<SectionKeys>& sections) {
    return [&sections](profile::ProfileDocument& doc) {
        bool changed = false;
        for (const SectionKeys& section : sections) changed = ReplaceSectionKeys(doc, section) || changed;
        return changed;
    };
}

}  // namespace

bool ReplaceSectionKeys(profile::ProfileDocument& doc, const SectionKeys& replacement,
                        const std::function<bool(std::string_view)>& replaced) {
    std::vector<std::string> old;
    if (const std::size_t section = doc.FindSection(replacement.section); section != profile::ProfileDocument::kNoSection)
        doc.ForEachLine(section, [&](const profile::ProfileDocument::LineView& line) {
            if (line.isKey && !line.name.empty() && (!replaced || replaced(line.name))) old.emplace_back(line.name);
        });
    const auto kept = [&](const std::string& name) {
        return std::any_of(replacement.keys.begin(), replacement.keys.end(),
                           [&](const DesignKey& key) { return key.name == name; });
    };
    bool changed = false;
    for (const std::string& name : old)
        if (!kept(name)) changed = doc.Remove(replacement.section, name) || changed;
    for (const DesignKey& key : replacement.keys) changed = doc.Set(replacement.section, key.name, key.value) || changed;
    return changed;
}

void AppendTextLines(const std::vector<std::string>& items, const CardTexts& texts, std::string& out) {
    const auto line = [&out](std::string_view key, std::string_view value) {
        out += key;
        out += '=';
        out += value;
        out += "\r\n";
    };
    for (std::size_t index = 0; index < items.size() && index < texts.size(); ++index) {
        const std::string value = profile::CleanValue(texts[index]);
        if (value.empty()) continue;
        line(items[index], exact_text::Plain(value));
        if (exact_text::HasEscapes(value)) line(exact_text::KeyOf(items[index]), value);
    }
}

RecordCards::RecordCards(std::string fsPath, std::vector<std::string> items)
    : fsPath_(std::move(fsPath)), items_(std::move(items)), textKeys_(items_) {}

std::int32_t RecordCards::Count() const {
    if (fsPath_.empty()) return 0;
    CardDeck deck;
    return deck.Load(Service().Document(fsPath_)) ? deck.Count() : 0;
}

std::string RecordCards::Text(std::int32_t card, std::string_view item) const {
    return exact_text::Read(ProfileFile(fsPath_), CardSectionName(card), item);
}

Outcome RecordCards::DeriveItem(std::string_view from, std::string_view to,
                                const std::function<std::optional<std::string>(const std::string&)>& make) const {
    const auto known = [this](std::string_view item) { return std::find(items_.begin(), items_.end(), item) != items_.end(); };
    if (!known(from) || !known(to)) return {Failure::UnknownItem};
    if (fsPath_.empty()) return {Failure::NotWritten};
    const std::int32_t count = Count();
    std::int32_t changed = 0;
    for (std::int32_t card = 0; card < count; ++card) {
        const std::optional<std::string> made = make(Text(card, from));
        if (!made || *made == Text(card, to)) continue;
        if (!exact_text::Write(ProfileFile(fsPath_), CardSectionName(card), to, *made)) return {Failure::NotWritten};
        ++changed;
    }
    if (changed > 0 && !Service().Flush(fsPath_)) return {Failure::NotWritten};
    return {Failure::None, changed, count};
}

CardTexts RecordCards::Texts(std::int32_t card) const {
    CardTexts texts;
    texts.reserve(items_.size());
    for (const std::string& item : items_) texts.push_back(Text(card, item));
    return texts;
}

Design RecordCards::DesignOf(std::int32_t card, std::int32_t slot) const {
    if (fsPath_.empty()) return {};
    const profile::ProfileDocument& doc = Service().Document(fsPath_);
    CardDeck deck;
    if (!deck.Load(doc) || !InRange(deck, card)) return {};
    return DesignOfCard(doc, deck, card, textKeys_, slot);
}

std::string TextOfCard(const profile::ProfileDocument& doc, const CardDeck& deck, std::int32_t card, std::string_view item) {
    const std::size_t section = deck.Cards()[static_cast<std::size_t>(card)].section;
    if (section == kNoSection) return {};
    const auto full = [&](std::string_view key) {
        return profile::StringResult(doc.FindIn(section, key), "", static_cast<std::size_t>(-1));
    };
    return exact_text::FromStored(full(item), full(exact_text::KeyOf(item)));
}

Design DesignOfCard(const profile::ProfileDocument& doc, const CardDeck& deck, std::int32_t card, const TextKeys& texts,
                    std::int32_t slot) {
    const std::size_t section = deck.Cards()[static_cast<std::size_t>(card)].section;
    return section == kNoSection ? Design() : DesignOf(doc, section, texts, slot);
}

std::vector<DesignView> RecordCards::DesignViews(const profile::ProfileDocument& doc, const CardDeck& deck,
                                                 std::int32_t slot) const {
    std::vector<DesignView> views;
    for (const Card& card : deck.Cards())
        views.push_back(card.section == kNoSection ? DesignView() : ViewOfSection(doc, card.section, textKeys_, slot));
    return views;
}

std::int32_t RecordCards::DesignChanges(std::int32_t from, const std::vector<std::int32_t>& targets, std::int32_t slot) const {
    if (fsPath_.empty()) return 0;
    const profile::ProfileDocument& doc = Service().Document(fsPath_);
    CardDeck deck;
    if (!deck.Load(doc) || !InRange(deck, from) || !AllInRange(deck, targets)) return 0;
    const std::vector<DesignView> views = DesignViews(doc, deck, slot);
    const DesignView& source = views[static_cast<std::size_t>(from)];
    std::vector<std::int32_t> unique = targets;
    SortUnique(unique);
    return static_cast<std::int32_t>(std::count_if(unique.begin(), unique.end(), [&](std::int32_t card) {
        return card != from && !SameDesign(views[static_cast<std::size_t>(card)], source);
    }));
}

std::vector<std::int32_t> RecordCards::SharingDesign(std::int32_t card, std::int32_t slot) const {
    if (fsPath_.empty()) return {};
    const profile::ProfileDocument& doc = Service().Document(fsPath_);
    CardDeck deck;
    if (!deck.Load(doc) || !InRange(deck, card)) return {};
    const std::vector<DesignView> views = DesignViews(doc, deck, slot);
    std::vector<std::int32_t> sharing;
    for (std::size_t i = 0; i < views.size(); ++i)
        if (SameDesign(views[i], views[static_cast<std::size_t>(card)])) sharing.push_back(static_cast<std::int32_t>(i));
    return sharing;
}

Outcome RecordCards::Insert(std::int32_t before, const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                            NewCardDesigns* designs) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
        if (before < 0 || before > deck.Count()) return {Failure::NoSuchCard, 0, 0, before};
        return AddCards(doc, deck, before, items_, rows, design, designs);
    });
}

Outcome RecordCards::Append(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                            NewCardDesigns* designs) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) {
        return AddCards(doc, deck, deck.Count(), items_, rows, design, designs);
    });
}

Outcome RecordCards::Replace(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                             NewCardDesigns* designs) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
        if (rows.size() > static_cast<std::size_t>(CardDeck::kMostCards)) return {Failure::CardLimit};
        const auto replaced = deck.Count();
        deck.Cards() = NewCards(doc, items_, rows, design, designs);
        return {Failure::None, std::max(replaced, static_cast<std::int32_t>(rows.size()))};
    });
}

Outcome RecordCards::Duplicate(std::vector<std::int32_t> selected) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument&, CardDeck& deck) -> Outcome {
        if (const std::optional<Outcome> missing = Missing(deck, selected)) return *missing;
        SortUnique(selected);
        if (deck.Count() + static_cast<std::int32_t>(selected.size()) > CardDeck::kMostCards) return {Failure::CardLimit};
        std::vector<Card>& list = deck.Cards();
        // From the last, so that the earlier numbers still name their cards.
        for (auto card = selected.rbegin(); card != selected.rend(); ++card) {
            Card copy = list[static_cast<std::size_t>(*card)];
            copy.origin = -1;
            list.insert(list.begin() + *card + 1, std::move(copy));
        }
        return {Failure::None, static_cast<std::int32_t>(selected.size())};
    });
}

Outcome RecordCards::Delete(std::vector<std::int32_t> selected) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument&, CardDeck& deck) -> Outcome {
        if (const std::optional<Outcome> missing = Missing(deck, selected)) return *missing;
        SortUnique(selected);
        std::vector<Card>& list = deck.Cards();
        std::vector<bool> gone(list.size(), false);
        for (const std::int32_t card : selected) gone[static_cast<std::size_t>(card)] = true;
        std::size_t kept = 0;
        for (std::size_t index = 0; index < list.size(); ++index)
            if (!gone[index]) list[kept++] = std::move(list[index]);
        list.resize(kept);
        return {Failure::None, static_cast<std::int32_t>(selected.size())};
    });
}

Outcome RecordCards::Move(std::int32_t from, std::int32_t to) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument&, CardDeck& deck) -> Outcome {
        if (const std::optional<Outcome> missing = Missing(deck, {from, to})) return *missing;
        std::vector<Card>& list = deck.Cards();
        if (from < to)
            std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
        else
            std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
        return {Failure::None, std::abs(to - from) + (from == to ? 0 : 1)};
    });
}

Outcome RecordCards::Sort(std::string_view item) const {
    if (std::find(items_.begin(), items_.end(), item) == items_.end()) return {Failure::UnknownItem};
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
        const JapaneseCollation collation;
        std::vector<Card>& list = deck.Cards();
        std::vector<std::string> keys(list.size());
        std::vector<char> empty(list.size(), 1);
        for (std::size_t index = 0; index < list.size(); ++index) {
            const std::string section = CardSectionName(list[index].origin);
            const auto whole = [&](std::string_view key) {
                return profile::StringResult(doc.Find(section, key), "", static_cast<std::size_t>(-1));
            };
            // By the exact text: 𠮷田 sorts as よしだ's kanji, not as the 〓 of its plain form.
            const std::string text = exact_text::FromStored(whole(item), whole(exact_text::KeyOf(item)));
            empty[index] = text.empty() ? 1 : 0;
            if (!text.empty()) keys[index] = collation.SortKey(text);
        }
        std::vector<std::size_t> order(list.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            if (empty[a] != empty[b]) return empty[b] != 0;
            return keys[a] < keys[b];
        });
        std::vector<Card> sorted;
        sorted.reserve(list.size());
        std::int32_t moved = 0;
        for (std::size_t index = 0; index < order.size(); ++index) {
            if (order[index] != index) ++moved;
            sorted.push_back(std::move(list[order[index]]));
        }
        list = std::move(sorted);
        return {Failure::None, moved};
    });
}

Outcome RecordCards::ApplyDesign(std::int32_t from, std::vector<std::int32_t> targets, std::int32_t slot) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
        if (const std::optional<Outcome> missing = Missing(deck, {from})) return *missing;
        if (const std::optional<Outcome> missing = Missing(deck, targets)) return *missing;
        SortUnique(targets);
        return {Failure::None, PutDesign(doc, deck, targets, textKeys_, slot, DesignOfCard(doc, deck, from, textKeys_, slot), from)};
    });
}

Outcome RecordCards::SetDesign(std::vector<std::int32_t> targets, std::int32_t slot, const Design& design,
                               const std::vector<SectionKeys>& sections) const {
    return Transact(
        fsPath_,
        [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
            if (const std::optional<Outcome> missing = Missing(deck, targets)) return *missing;
            if (targets.empty()) {
                targets.resize(static_cast<std::size_t>(deck.Count()));
                std::iota(targets.begin(), targets.end(), 0);
            }
            SortUnique(targets);
            return {Failure::None, PutDesign(doc, deck, targets, textKeys_, slot, design, -1)};
        },
        ReplacingSections(sections));
}

Outcome RecordCards::SetDesigns(const std::vector<CardDesign>& designs, std::int32_t slot,
                                const std::vector<SectionKeys>& sections) const {
    return PlanDesigns(
        [&](const profile::ProfileDocument&, const CardDeck&, DesignPlan& plan) {
            for (const CardDesign& each : designs) {
                plan.cards.emplace_back(each.card, plan.designs.size());
                plan.designs.push_back(each.design);
                plan.overCurrent.push_back(each.overCurrent);
            }
            plan.sections = sections;
            return Outcome();
        },
        slot);
}

Outcome RecordCards::PlanDesigns(const DesignPlanner& planner, std::int32_t slot) const {
    DesignPlan plan;
    FileChange sections;  // only for a plan with sections: another copy of the file is made for them
    return Transact(
        fsPath_,
        [&](const profile::ProfileDocument& doc, CardDeck& deck) -> Outcome {
            plan = DesignPlan();
            if (const Outcome planned = planner(doc, deck, plan); !planned) return planned;
            sections = plan.sections.empty() ? FileChange() : ReplacingSections(plan.sections);
            std::vector<DesignView> views;
            views.reserve(plan.designs.size());
            for (const Design& design : plan.designs) views.push_back(ViewOfDesign(design));
            Outcome outcome;
            for (const auto& [card, index] : plan.cards) {
                if (const std::optional<Outcome> missing = Missing(deck, {card})) return *missing;
                const Design& design = plan.designs[index];
                if (plan.overCurrent[index] ? PutOverCurrent(doc, deck, card, textKeys_, slot, design, plan.leaveOut)
                                            : PutCardDesign(doc, deck, card, textKeys_, slot, design, views[index]))
                    ++outcome.changed;
            }
            return outcome;
        },
        sections);
}

Outcome RecordCards::AppendPeople(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                                  NewCardDesigns* designs) const {
    return Transact(fsPath_, [&](const profile::ProfileDocument& doc, CardDeck& deck) {
        if (!AnyText(doc, deck, textKeys_)) deck.Cards().clear();
        return AddCards(doc, deck, deck.Count(), items_, rows, design, designs);
    });
}

bool InheritsDesign(const SettingsProfile& settings) { return settings.ReadInt("Option", "InheritDesign", 1) != 0; }

std::optional<Design> InheritedDesign(const SettingsProfile& settings, const RecordCards& cards, std::int32_t before) {
    if (!InheritsDesign(settings)) return std::nullopt;
    const std::int32_t count = cards.Count();
    if (count == 0) return std::nullopt;
    const std::int32_t from = std::clamp(before - 1, 0, count - 1);
    return cards.DesignOf(from, kAllSlots);
}

CardPosition NextCardInheriting(const SettingsProfile& settings, const RecordProfile& record,
                                const std::vector<std::string>& items, NewCardDesigns* designs) {
    if (!record.Path().empty()) {
        const RecordCards list(ProfileFile::AtStoredPath(record.Path()).FsPath(), items);
        const std::int32_t count = list.Count();
        if (record.ReadInt("#Setting#", "CurID", 0) + 1 == count) {
            const std::optional<Design> design = InheritedDesign(settings, list, count);
            if (design && !design->empty()) list.Append({CardTexts()}, design, designs);
        }
    }
    return NextCard(record);
}

}  // namespace cards
