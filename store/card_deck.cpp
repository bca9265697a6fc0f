#include "store/card_deck.h"

#include <algorithm>

#include "store/items.h"
#include "store/profile_value.h"
#include "store/storage_layout.h"

namespace cards {
namespace {

constexpr const char* kSettingSection = "#Setting#";
constexpr std::size_t kMostDigits = 7;

}  // namespace

std::optional<std::int32_t> CardNumberOf(std::string_view name) {
    if (name.size() < 4 || name.size() > kMostDigits) return std::nullopt;
    std::int32_t number = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    // Only the name the program writes for that number is read as the card.
    if (CardSectionName(number) != name) return std::nullopt;
    return number;
}

bool CardDeck::Load(const profile::ProfileDocument& doc) {
    std::vector<std::size_t> sectionOf;
    isCardSection_.assign(doc.SectionCount(), false);
    firstCardSection_ = kNoSection;
    for (std::size_t index = 1; index < doc.SectionCount(); ++index) {
        if (!doc.IsFirstOfName(index)) continue;
        const std::optional<std::int32_t> number = CardNumberOf(doc.SectionName(index));
        if (!number) continue;
        if (*number >= kMostCards) return false;
        const std::size_t at = static_cast<std::size_t>(*number);
        if (sectionOf.size() <= at) sectionOf.resize(at + 1, kNoSection);
        sectionOf[at] = index;
        isCardSection_[index] = true;
        if (firstCardSection_ == kNoSection) firstCardSection_ = index;
    }
    const std::int32_t max = profile::IntResult(doc.Find(kSettingSection, "Max"), 0);
    if (max >= kMostCards) return false;
    const std::size_t count = std::max(sectionOf.size(), static_cast<std::size_t>(std::max(max, 0)) + 1);
    cards_.assign(count, Card{});
    for (std::size_t number = 0; number < count; ++number) {
        cards_[number].origin = static_cast<std::int32_t>(number);
        if (number < sectionOf.size()) cards_[number].section = sectionOf[number];
    }
    loadedCount_ = static_cast<std::int32_t>(count);
    return true;
}

std::string RemapPrintOrder(std::string_view stored, std::int32_t loadedCount, const std::vector<std::int32_t>& newNumber) {
    std::vector<std::string> pieces;
    for (std::string& piece : SplitBarList(stored)) {
        const std::optional<std::int32_t> number = CardNumberOf(piece);
        if (!number || *number >= loadedCount) {
            pieces.push_back(std::move(piece));
        } else if (newNumber[static_cast<std::size_t>(*number)] >= 0) {
            pieces.push_back(CardSectionName(newNumber[static_cast<std::size_t>(*number)]));
        }
    }
    return JoinBarList(pieces);
}

profile::ProfileDocument CardDeck::Rewrite(const profile::ProfileDocument& doc) const {
    // Reserved whole: a file that grows by many new card bodies must not double its buffer.
    std::size_t bodies = 0;
    for (const Card& card : cards_)
        if (card.body) bodies += card.body->size();
    std::string text;
    text.reserve(doc.SerializedSize() + bodies + 64 * cards_.size());
    const auto appendCards = [&] {
        for (std::size_t number = 0; number < cards_.size(); ++number) {
            const Card& card = cards_[number];
            text += '[';
            text += CardSectionName(static_cast<std::int32_t>(number));
            text += ']';
            const std::string_view lineEnd =
                card.section == kNoSection ? std::string_view() : doc.HeaderLineEnd(card.section);
            text.append(lineEnd.empty() ? std::string_view("\r\n") : lineEnd);
            if (card.body)
                text += *card.body;
            else if (card.section != kNoSection)
                doc.AppendBody(card.section, text);
        }
    };
    doc.AppendBody(0, text);
    for (std::size_t index = 1; index < doc.SectionCount(); ++index) {
        if (index == firstCardSection_) appendCards();
        if (isCardSection_[index]) continue;
        text += doc.HeaderContent(index);
        const std::string_view lineEnd = doc.HeaderLineEnd(index);
        text.append(lineEnd.empty() ? std::string_view("\r\n") : lineEnd);
        doc.AppendBody(index, text);
    }
    if (firstCardSection_ == kNoSection) appendCards();

    profile::ProfileDocument rewritten = profile::ProfileDocument::Parse(std::move(text));
    std::vector<std::int32_t> newNumber(static_cast<std::size_t>(loadedCount_), -1);
    for (std::size_t number = 0; number < cards_.size(); ++number)
        if (cards_[number].origin >= 0) newNumber[static_cast<std::size_t>(cards_[number].origin)] = static_cast<std::int32_t>(number);

    const std::int32_t last = std::max(Count() - 1, 0);
    const std::int32_t current = profile::IntResult(doc.Find(kSettingSection, "CurID"), 0);
    std::int32_t newCurrent = std::clamp(current, 0, last);
    if (current >= 0 && current < loadedCount_ && newNumber[static_cast<std::size_t>(current)] >= 0)
        newCurrent = newNumber[static_cast<std::size_t>(current)];
    rewritten.Set(kSettingSection, "Max", std::to_string(last));
    rewritten.Set(kSettingSection, "CurID", std::to_string(newCurrent));

    const profile::Lookup order = doc.Find("Current", "PrintOrder");
    if (order.kind == profile::Lookup::Kind::Value)
        rewritten.Set("Current", "PrintOrder",
                      RemapPrintOrder(profile::StringResult(order, "", static_cast<std::size_t>(-1)), loadedCount_, newNumber));
    return rewritten;
}

}  // namespace cards
