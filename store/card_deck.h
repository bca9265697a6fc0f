#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/profile_document.h"

// The cards of a record file rearranged in memory, and the file rewritten from them in one
// piece: card sections renumbered "0000", "0001", … without gaps, "#Setting#" "Max" and "CurID"
// following, and the print order remapped to the same people.
namespace cards {

constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

struct Card {
    std::int32_t origin = -1;         // its number before the operation; -1 for a new card
    std::size_t section = kNoSection;  // its section in the document, if it has one
    std::optional<std::string> body;   // new lines of the section, replacing the stored ones
};

class CardDeck {
public:
    // No record file holds more cards than this; a file that claims more (a "Max" or a section
    // number written by hand) is refused rather than walked.
    static constexpr std::int32_t kMostCards = 1000000;

    // The cards of doc: every number up to the highest card section or "Max", whichever is
    // larger (a number without a section is an empty card). False when there would be more
    // than kMostCards.
    bool Load(const profile::ProfileDocument& doc);

    std::vector<Card>& Cards() { return cards_; }
    const std::vector<Card>& Cards() const { return cards_; }
    std::int32_t Count() const { return static_cast<std::int32_t>(cards_.size()); }

    // doc rewritten with the cards as they are now; doc must be the one loaded.
    profile::ProfileDocument Rewrite(const profile::ProfileDocument& doc) const;

private:
    std::vector<Card> cards_;
    std::vector<bool> isCardSection_;  // by section index
    std::size_t firstCardSection_ = kNoSection;
    std::int32_t loadedCount_ = 0;
};

// The card number a section name stands for ("0000" … "9999", "10000" …), or nothing.
std::optional<std::int32_t> CardNumberOf(std::string_view sectionName);

// The card numbers a print order names, mapped to their new numbers: entries of cards that are
// gone are dropped; entries that name no card are kept as they are.
std::string RemapPrintOrder(std::string_view stored, std::int32_t loadedCount, const std::vector<std::int32_t>& newNumber);

}  // namespace cards
