#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which item each column of a list fills. Item names are UTF-8 here.

enum class TargetKind {
    None,           // the column is not imported
    Item,           // the column fills an item (a fixed one, a user-defined one, or a new one)
    FamilyName,     // 姓 and 名 are joined into 氏名 with a full-width space
    GivenName,
    FamilyReading,  // and their readings into 読み
    GivenReading,
};

struct ColumnTarget {
    TargetKind kind = TargetKind::None;
    std::string item;  // for TargetKind::Item

    bool operator==(const ColumnTarget& other) const { return kind == other.kind && item == other.item; }
};

using ColumnMapping = std::vector<ColumnTarget>;

// The target a header names: an item of the list by its name, a common synonym of a fixed item
// (名前 and Name are 氏名, フリガナ is 読み, 役職 is 肩書き, 会社名 is 所属 …) or a family or given
// name and its reading. Letter case, width, spaces and brackets do not matter. None otherwise.
ColumnTarget MatchHeader(std::string_view header, const std::vector<std::string>& items);

struct HeaderGuess {
    bool hasHeader = false;  // some cell of the first row named a target
    ColumnMapping mapping;   // one target per column (all None without a header)
};

// The mapping suggested by the first row of a list with width columns. A target already taken
// by an earlier column is not given twice.
HeaderGuess GuessMapping(const std::vector<std::string>& firstRow, std::size_t width,
                         const std::vector<std::string>& items);

// How a target is named in the import's choices and on the command line: the item name, "姓",
// "名", "姓の読み", "名の読み", or "" for none.
std::string TargetLabel(const ColumnTarget& target);
// The reverse; any other non-empty name is an item (perhaps a new one).
ColumnTarget TargetFromLabel(std::string_view label);

// The 0-based column a --map COLUMN names: a header text, a 1-based number or a letter name
// ("A", "AB"). Nothing when it names none.
std::optional<std::size_t> FindColumn(std::string_view column, const std::vector<std::string>& header,
                                      bool hasHeader, std::size_t width);
