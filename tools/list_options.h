#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lists/import_plan.h"
#include "lists/list_file.h"

// The options that say how a participant list is read and mapped, shared by
// `zulname-cards import` and `zulname-export --list`:
//   --sheet NAME  --encoding auto|utf-8|utf-16|cp932  --map COLUMN=ITEM (repeatable; ITEM may be
//   姓, 名, 姓の読み, 名の読み, a new item, or empty for none)  --no-header
//   --kana keep|hiragana|katakana  --unencodable keep|substitute|refuse|skip|replace
namespace list_tool {

inline constexpr const char* kListOptionsUsage =
    "[--sheet NAME] [--encoding auto|utf-8|utf-16|cp932] [--map COLUMN=ITEM ...] [--no-header] "
    "[--kana keep|hiragana|katakana] [--unencodable keep|substitute|refuse|skip|replace]";

struct ListOptions {
    ListReadOptions read;
    std::vector<std::pair<std::string, std::string>> maps;  // COLUMN, ITEM
    bool noHeader = false;
    ReadingKana kana = ReadingKana::Keep;
    UnencodablePolicy unencodable = UnencodablePolicy::Keep;
};

// Takes the list option at args[index] (and its value), moving index past it. False when
// args[index] is not a list option; problem is set when it is one but malformed.
bool TakeListOption(const std::vector<std::string_view>& args, std::size_t& index, ListOptions& options,
                    std::string& problem);

// Reads the list and plans its import for the item list (UTF-8). False, with a one-line
// problem naming the file, when the list cannot be read or a --map names no column.
bool PlanList(const std::string& path, const ListOptions& options, const std::vector<std::string>& items,
              ListFile& list, ImportPlan& plan, std::string& problem);

// What was read: the format, and the encoding or the sheet.
std::string DescribeList(const ListFile& list);

}  // namespace list_tool
