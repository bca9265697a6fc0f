#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/card_operations.h"
#include "store/profile_service.h"
#include "store/profiles.h"

// The roster "名簿": the cards of the current record file as a table, one row per card, with the
// card number and a column per item (the eight fixed items, then the user's). It reads through
// the profile service's cached document, so a table of thousands of cards opens without reading
// the file again, and writes each change at once. Texts are stored text (code page 932) except
// where UTF-8 is named: the search text and the clipboard's tab-separated rows.
class RosterModel {
public:
    RosterModel(const SettingsProfile& settings, const RecordProfile& record, std::vector<std::string> userItems);

    // Column 0 is the card number; column c > 0 is item c − 1.
    std::int32_t ColumnCount() const { return static_cast<std::int32_t>(items_.size()) + 1; }
    const std::vector<std::string>& Items() const { return items_; }
    void SetUserItems(const std::vector<std::string>& userItems);
    std::string Header(std::int32_t column) const;
    std::int32_t RowCount() const;
    // Changes whenever the record file (or which file it is) changes.
    std::uint64_t Version() const { return record_.Version(); }
    std::string Cell(std::int32_t row, std::int32_t column) const;
    // The cell as the list shows it: the name with the honorific its tag prints after it.
    std::string ShownCell(std::int32_t row, std::int32_t column) const;
    bool IsEditable(std::int32_t column) const { return column > 0 && column < ColumnCount(); }
    // Stores a cell's text as the input dialog stores "内容": at once, with a flush.
    bool SetCell(std::int32_t row, std::int32_t column, const std::string& text) const;

    // The current card ("#Setting#" "CurID") and choosing another one.
    std::int32_t CurrentCard() const;
    void MakeCurrent(std::int32_t row) const;

    // The buttons. A new card takes the design of the card before it (see InheritedDesign).
    cards::Outcome Add() const;
    cards::Outcome InsertBefore(std::int32_t row) const;
    cards::Outcome Duplicate(const std::vector<std::int32_t>& rows) const;
    cards::Outcome Delete(const std::vector<std::int32_t>& rows) const;
    cards::Outcome MoveUp(std::int32_t row) const;
    cards::Outcome MoveDown(std::int32_t row) const;
    cards::Outcome SortBy(std::int32_t column) const;

    // The current card's design for a slot (1-3) or cards::kAllSlots onto the rows (every card
    // when rows is empty), and how many cards that changes.
    std::int32_t DesignChanges(const std::vector<std::int32_t>& rows, std::int32_t slot) const;
    cards::Outcome ApplyCurrentDesign(const std::vector<std::int32_t>& rows, std::int32_t slot) const;

    // Rows as tab-separated UTF-8 text, one line per row, items only (as spreadsheets take them).
    std::string CopyRows(const std::vector<std::int32_t>& rows) const;

    struct PasteResult {
        cards::Outcome outcome;
        bool headerSkipped = false;
    };
    // Rows copied from a spreadsheet (tab-separated UTF-8), as new cards after `afterRow`
    // (−1: at the top), columns in item order. A first line that names items is skipped. Every
    // character is kept (store/exact_text.h).
    PasteResult Paste(std::int32_t afterRow, const std::string& utf8) const;

    // The rows whose number or any text contains the search text; hiragana, katakana and
    // half-width kana match each other, as do the letter cases.
    std::vector<std::int32_t> Matching(const std::string& utf8) const;

    // Undo and redo of the last step in the record file, and whether there is one.
    profile::UndoResult Undo() const;
    profile::UndoResult Redo() const;
    bool CanUndo() const;
    bool CanRedo() const;

    // Sets the print order to the rows' cards, in row order.
    bool SetPrintOrder(const std::vector<std::int32_t>& rows) const;
    // The record file's cards with the roster's items.
    cards::RecordCards Cards() const;

private:

    const SettingsProfile& settings_;
    const RecordProfile& record_;
    std::vector<std::string> items_;
    // The card count, kept while the record file is unchanged: the table asks for it often.
    mutable std::uint64_t countedVersion_ = 0;
    mutable std::int32_t count_ = 0;
    // Each row's texts in the search's form, kept while the record file is unchanged, so that
    // typing into the search field does not convert every text again.
    mutable std::uint64_t searchedVersion_ = 0;
    mutable std::vector<std::string> searchRows_;
};
