#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/card_deck.h"
#include "store/card_design.h"
#include "store/profiles.h"
#include "store/storage_layout.h"

// The cards of a record file as a list: reading their texts and designs, and the operations
// that add, insert, duplicate, delete, move, sort them and copy a design between them. Each
// operation is one transaction: while it holds the file's lock it reads the file as it is then,
// rewrites it in memory and replaces it with one atomic write, or changes nothing. So another
// program's write made meanwhile is kept, and fails the operation only when the cards it names
// are gone (NoSuchCard). Card sections stay numbered from "0000" without
// gaps, "#Setting#" "Max" and "CurID" follow (the current card stays the same person), and the
// stored print order is remapped to the same people, dropping the cards that are gone.
namespace cards {

enum class Failure {
    None,
    NoSuchCard,    // a card number out of range
    UnknownItem,   // a sort by an item that is not in the item list
    TooManyCards,  // the file claims more cards than any record file holds
    CardLimit,     // the operation would leave more cards than a record file holds (kMostCards)
    NotWritten,    // the file could not be replaced (the profile service's WriteError tells why)
};

struct Outcome {
    Failure failure = Failure::None;
    std::int32_t changed = 0;  // cards added, removed, given a new place or a new design
    std::int32_t count = 0;    // cards in the file afterwards (NoSuchCard: in the file as it is)
    std::int32_t missing = 0;  // NoSuchCard: the card number that is not in the file
    explicit operator bool() const { return failure == Failure::None; }
};

// The texts of a new card in item-list order (code page 932); missing ones are empty.
using CardTexts = std::vector<std::string>;

// The text lines of a card: "ITEM=TEXT" for each item (code page 932) with a text, which is
// cleaned as a stored value is.
void AppendTextLines(const std::vector<std::string>& items, const CardTexts& texts, std::string& out);

// The design of card number card (in range) of the deck read from doc; none for a card without a section.
Design DesignOfCard(const profile::ProfileDocument& doc, const CardDeck& deck, std::int32_t card, const TextKeys& texts,
                    std::int32_t slot);

// The text of an item of card number card (in range) of the deck read from doc, in exact form.
std::string TextOfCard(const profile::ProfileDocument& doc, const CardDeck& deck, std::int32_t card, std::string_view item);

// The designs new cards take, worked out while the write that makes them holds the file's lock,
// from the file as it is then (the category rules it keeps): Prepare once per write, then Of for
// each new card with its texts (in item-list order) and the design it would take otherwise.
class NewCardDesigns {
public:
    virtual ~NewCardDesigns() = default;
    virtual void Prepare(const profile::ProfileDocument& doc, const std::vector<std::string>& items) = 0;
    virtual std::optional<Design> Of(const CardTexts& texts, const std::optional<Design>& design) = 0;
};

// Keys that replace all keys of a section of the record file (a frame, which the cards of a
// label slot share).
struct SectionKeys {
    std::string section;
    Design keys;
};

// The section's keys that replaced names (all when none is given) replaced by keys, other
// keys kept; whether that changed the file.
bool ReplaceSectionKeys(profile::ProfileDocument& doc, const SectionKeys& replacement,
                        const std::function<bool(std::string_view)>& replaced = {});

class RecordCards {
public:
    // The record file at fsPath (a file-system path); items is the item list, the fixed items
    // followed by the user's (ItemList).
    RecordCards(std::string fsPath, std::vector<std::string> items);

    const std::string& FsPath() const { return fsPath_; }
    const std::vector<std::string>& Items() const { return items_; }

    // Reading, from the file as it is now. Count is 0 for a file that claims too many cards.
    std::int32_t Count() const;
    std::string Text(std::int32_t card, std::string_view item) const;
    CardTexts Texts(std::int32_t card) const;
    Design DesignOf(std::int32_t card, std::int32_t slot) const;
    // How many of the target cards ApplyDesign would change.
    std::int32_t DesignChanges(std::int32_t from, const std::vector<std::int32_t>& targets, std::int32_t slot) const;
    // The cards whose design for the slot reads the same as the card's own, the card included.
    std::vector<std::int32_t> SharingDesign(std::int32_t card, std::int32_t slot) const;

    // New cards with the texts of rows, inserted before card `before`, each
    // with the keys of design when one is given, or of the design `designs` gives it.
    Outcome Insert(std::int32_t before, const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                   NewCardDesigns* designs = nullptr) const;
    // As Insert, after the last card of the file as it is when written.
    Outcome Append(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                   NewCardDesigns* designs = nullptr) const;
    // As Append; but in a file whose cards hold no text at all (a new record file's empty first
    // card), the new cards take their place, so that the first person is card 0000.
    Outcome AppendPeople(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                         NewCardDesigns* designs = nullptr) const;
    // The cards replaced by new ones with the texts of rows, in one write (a list imported in
    // place of the cards); the print order loses the cards that are gone.
    Outcome Replace(const std::vector<CardTexts>& rows, const std::optional<Design>& design,
                    NewCardDesigns* designs = nullptr) const;
    // A copy of each card right after it.
    Outcome Duplicate(std::vector<std::int32_t> cards) const;
    Outcome Delete(std::vector<std::int32_t> cards) const;
    // Card `from` moves so that it becomes card `to`.
    Outcome Move(std::int32_t from, std::int32_t to) const;
    // Stable sort by the text of an item in Japanese collation; cards without that text last.
    Outcome Sort(std::string_view item) const;
    // The design of card `from` for a slot (or kAllSlots) copied onto the targets, texts untouched.
    Outcome ApplyDesign(std::int32_t from, std::vector<std::int32_t> targets, std::int32_t slot) const;
    // design (keys of the slot, or of every slot for kAllSlots) put on the targets (none: every
    // card of the file as it is when written), texts untouched, and each of sections given its keys, in the same write. changed counts the cards.
    Outcome SetDesign(std::vector<std::int32_t> targets, std::int32_t slot, const Design& design,
                      const std::vector<SectionKeys>& sections) const;
    // Each card given a design of its own (keys of the slot, or of every slot for kAllSlots),
    // texts untouched, and each of sections given its keys, all in one write.
    struct CardDesign {
        std::int32_t card = 0;
        Design design;
        // Put over the card's own design instead: its keys of the same names replaced, those
        // given an empty value removed, the rest kept.
        bool overCurrent = false;
    };
    Outcome SetDesigns(const std::vector<CardDesign>& designs, std::int32_t slot,
                       const std::vector<SectionKeys>& sections) const;
    // Designs for cards worked out from the file as it is under its lock, put on in one write.
    // Each design is shared by the cards that take it; a design over the current one also
    // removes the card's keys that leaveOut names.
    struct DesignPlan {
        std::vector<Design> designs;
        std::vector<bool> overCurrent;  // by design
        std::vector<std::pair<std::int32_t, std::size_t>> cards;  // card, design
        std::function<bool(std::string_view)> leaveOut;
        std::vector<SectionKeys> sections;
    };
    // plan fills the plan from the file (a failure leaves it unwritten); the slot is as for SetDesigns.
    using DesignPlanner = std::function<Outcome(const profile::ProfileDocument&, const CardDeck&, DesignPlan&)>;
    Outcome PlanDesigns(const DesignPlanner& plan, std::int32_t slot) const;
    // Each card's text of item `to` made from its text of item `from` (stored texts); a card for
    // which `make` gives nothing keeps its text. Written at once; changed counts the cards
    // whose text changed.
    Outcome DeriveItem(std::string_view from, std::string_view to,
                       const std::function<std::optional<std::string>(const std::string&)>& make) const;

private:
    // The design of every card of the deck for the slot, views into doc.
    std::vector<DesignView> DesignViews(const profile::ProfileDocument& doc, const CardDeck& deck, std::int32_t slot) const;

    std::string fsPath_;
    std::vector<std::string> items_;
    TextKeys textKeys_;
};

// Whether new cards take the design of the card before them: settings "Option" "InheritDesign",
// on unless it is 0.
bool InheritsDesign(const SettingsProfile& settings);

// The design a card inserted before `before` takes: that of the card before it (of the first
// card when it goes to the top), every slot; nothing when inheriting is off.
std::optional<Design> InheritedDesign(const SettingsProfile& settings, const RecordCards& cards, std::int32_t before);

// "次" of the input dialog and the view: the next card. Past the last card a new one is made,
// with the design of the previous last card and empty texts while inheriting is on; with
// inheriting off, or nothing to inherit, the new card is left unwritten as before.
CardPosition NextCardInheriting(const SettingsProfile& settings, const RecordProfile& record,
                                const std::vector<std::string>& items, NewCardDesigns* designs = nullptr);

}  // namespace cards
