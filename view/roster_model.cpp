#include "view/roster_model.h"

#include <algorithm>

#include "designs/category_rules.h"
#include "lists/column_mapping.h"
#include "lists/delimited_text.h"
#include "lists/kana.h"
#include "lists/list_writer.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/items.h"
#include "store/storage_layout.h"

namespace {

constexpr const char* kSettingSection = "#Setting#";

// The form in which the search compares texts: katakana for every kana form, lower-case letters.
std::string SearchForm(std::string_view utf8) {
    std::string folded = ConvertKana(utf8, ReadingKana::Katakana);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

}  // namespace

RosterModel::RosterModel(const SettingsProfile& settings, const RecordProfile& record, std::vector<std::string> userItems)
    : settings_(settings), record_(record), items_(ItemList(userItems)) {}

cards::RecordCards RosterModel::Cards() const {
    return cards::RecordCards(ProfileFile::AtStoredPath(record_.Path()).FsPath(), items_);
}

std::string RosterModel::Header(std::int32_t column) const {
    return column == 0 ? codec::Sjis("番号") : items_.at(static_cast<std::size_t>(column - 1));
}

void RosterModel::SetUserItems(const std::vector<std::string>& userItems) { items_ = ItemList(userItems); }

std::int32_t RosterModel::RowCount() const {
    if (record_.Path().empty()) return 0;
    const std::uint64_t version = record_.Version();
    if (version != countedVersion_) {
        count_ = Cards().Count();
        countedVersion_ = version;
    }
    return count_;
}

std::string RosterModel::Cell(std::int32_t row, std::int32_t column) const {
    if (column == 0) return CardSectionName(row);
    return exact_text::Read(record_, CardSectionName(row), items_.at(static_cast<std::size_t>(column - 1)));
}

std::string RosterModel::ShownCell(std::int32_t row, std::int32_t column) const {
    std::string text = Cell(row, column);
    if (column < 1 || items_.at(static_cast<std::size_t>(column - 1)) != FixedItems().front()) return text;
    const std::string slot = record_.ReadString(kSettingSection, "Label", "1");
    const std::string honorific = record_.ReadString(CardSectionName(row), ItemKey(slot, FixedItems().front(), "Honorific"), "");
    if (!text.empty() && !honorific.empty()) text += codec::Sjis("　") + honorific;
    return text;
}

bool RosterModel::SetCell(std::int32_t row, std::int32_t column, const std::string& text) const {
    if (!IsEditable(column) || row < 0 || row >= RowCount()) return false;
    const std::string& item = items_[static_cast<std::size_t>(column - 1)];
    const bool changed = Cell(row, column) != text;
    if (!exact_text::Write(record_, CardSectionName(row), item, text) || !record_.Flush()) return false;
    return !changed || designs::FollowCategoryChange(settings_, record_, row, item).outcome;
}

std::int32_t RosterModel::CurrentCard() const { return record_.ReadInt(kSettingSection, "CurID", 0); }

void RosterModel::MakeCurrent(std::int32_t row) const {
    if (row < 0 || row >= RowCount() || row == CurrentCard()) return;
    record_.WriteInt(kSettingSection, "CurID", row);
    record_.Flush();
}

cards::Outcome RosterModel::Add() const { return InsertBefore(RowCount()); }

cards::Outcome RosterModel::InsertBefore(std::int32_t row) const {
    const cards::RecordCards list = Cards();
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(settings_, library);
    return list.Insert(row, {cards::CardTexts()}, cards::InheritedDesign(settings_, list, row), &ruled);
}

cards::Outcome RosterModel::Duplicate(const std::vector<std::int32_t>& rows) const { return Cards().Duplicate(rows); }

cards::Outcome RosterModel::Delete(const std::vector<std::int32_t>& rows) const { return Cards().Delete(rows); }

cards::Outcome RosterModel::MoveUp(std::int32_t row) const { return Cards().Move(row, row - 1); }

cards::Outcome RosterModel::MoveDown(std::int32_t row) const { return Cards().Move(row, row + 1); }

cards::Outcome RosterModel::SortBy(std::int32_t column) const {
    if (!IsEditable(column)) return {cards::Failure::UnknownItem};
    return Cards().Sort(items_[static_cast<std::size_t>(column - 1)]);
}

namespace {

std::vector<std::int32_t> RowsOrAll(const std::vector<std::int32_t>& rows, std::int32_t count) {
    if (!rows.empty()) return rows;
    std::vector<std::int32_t> all(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t row = 0; row < count; ++row) all[static_cast<std::size_t>(row)] = row;
    return all;
}

}  // namespace

std::int32_t RosterModel::DesignChanges(const std::vector<std::int32_t>& rows, std::int32_t slot) const {
    const cards::RecordCards list = Cards();
    return list.DesignChanges(CurrentCard(), RowsOrAll(rows, list.Count()), slot);
}

cards::Outcome RosterModel::ApplyCurrentDesign(const std::vector<std::int32_t>& rows, std::int32_t slot) const {
    const cards::RecordCards list = Cards();
    return list.ApplyDesign(CurrentCard(), RowsOrAll(rows, list.Count()), slot);
}

std::string RosterModel::CopyRows(const std::vector<std::int32_t>& rows) const {
    if (rows.empty()) return {};
    std::vector<std::vector<std::string>> table;
    for (const std::int32_t row : rows) {
        std::vector<std::string> cells;
        for (std::int32_t column = 1; column < ColumnCount(); ++column) cells.push_back(exact_text::ToUtf8(Cell(row, column)));
        // Trailing empty cells carry nothing a spreadsheet needs.
        while (!cells.empty() && cells.back().empty()) cells.pop_back();
        table.push_back(std::move(cells));
    }
    ListRows list{table.front(), std::vector<std::vector<std::string>>(table.begin() + 1, table.end())};
    return DelimitedText(list, '\t');
}

RosterModel::PasteResult RosterModel::Paste(std::int32_t afterRow, const std::string& utf8) const {
    PasteResult result;
    ListTable table;
    ListError error;
    if (!ParseDelimited(utf8, '\t', table, error) || table.rows.empty()) return result;
    std::vector<std::string> itemNames;
    for (const std::string& item : items_) itemNames.push_back(codec::Utf8(item));
    std::size_t first = 0;
    if (GuessMapping(table.rows.front().cells, table.Width(), itemNames).hasHeader) {
        result.headerSkipped = true;
        first = 1;
    }
    std::vector<cards::CardTexts> texts;
    for (std::size_t index = first; index < table.rows.size(); ++index) {
        const std::vector<std::string>& cells = table.rows[index].cells;
        cards::CardTexts row;
        for (std::size_t column = 0; column < cells.size() && column < items_.size(); ++column) {
            std::string stored;
            exact_text::FromUtf8(cells[column], stored);
            row.push_back(std::move(stored));
        }
        texts.push_back(std::move(row));
    }
    if (texts.empty()) return result;
    const cards::RecordCards list = Cards();
    const std::int32_t before = std::clamp(afterRow + 1, 0, list.Count());
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(settings_, library);
    result.outcome = list.Insert(before, texts, cards::InheritedDesign(settings_, list, before), &ruled);
    return result;
}

std::vector<std::int32_t> RosterModel::Matching(const std::string& utf8) const {
    const std::int32_t count = RowCount();
    if (searchedVersion_ != Version() || searchRows_.size() != static_cast<std::size_t>(count)) {
        searchRows_.assign(static_cast<std::size_t>(count), std::string());
        const profile::ProfileSnapshot snapshot;  // one look at the file for all the reads
        for (std::int32_t row = 0; row < count; ++row) {
            // One conversion per row: its texts joined by line breaks, which no query holds.
            std::string texts;
            for (std::int32_t column = 0; column < ColumnCount(); ++column) texts += exact_text::ToUtf8(Cell(row, column)) + "\n";
            searchRows_[static_cast<std::size_t>(row)] = SearchForm(texts);
        }
        searchedVersion_ = Version();
    }
    const std::string query = SearchForm(utf8);
    std::vector<std::int32_t> rows;
    for (std::int32_t row = 0; row < count; ++row)
        if (searchRows_[static_cast<std::size_t>(row)].find(query) != std::string::npos) rows.push_back(row);
    return rows;
}

profile::UndoResult RosterModel::Undo() const { return profile::ProfileService::Instance().Undo(Cards().FsPath()); }

profile::UndoResult RosterModel::Redo() const { return profile::ProfileService::Instance().Redo(Cards().FsPath()); }

bool RosterModel::CanUndo() const { return profile::ProfileService::Instance().CanUndo(Cards().FsPath()); }

bool RosterModel::CanRedo() const { return profile::ProfileService::Instance().CanRedo(Cards().FsPath()); }

bool RosterModel::SetPrintOrder(const std::vector<std::int32_t>& rows) const {
    std::vector<std::string> sections;
    for (const std::int32_t row : rows) sections.push_back(CardSectionName(row));
    return record_.WriteString("Current", "PrintOrder", JoinBarList(sections)) && record_.Flush();
}
