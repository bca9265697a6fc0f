#pragma once

#include <string_view>
#include <vector>

#include "store/card_operations.h"
#include "tools/card_command_types.h"

// The card subcommands of zulname-cards: list, add, delete, move, sort, apply-design and romaji
// (their usage is in the table of cards_subcommands.cpp).
namespace cards_tool {

int List(Context& context, const std::vector<std::string_view>& args);
int Add(Context& context, const std::vector<std::string_view>& args);
int Delete(Context& context, const std::vector<std::string_view>& args);
int Move(Context& context, const std::vector<std::string_view>& args);
int Sort(Context& context, const std::vector<std::string_view>& args);
int ApplyDesign(Context& context, const std::vector<std::string_view>& args);
int Romaji(Context& context, const std::vector<std::string_view>& args);
int Check(Context& context, const std::vector<std::string_view>& args);

// The message and exit status for an operation that did not go through.
int ReportFailure(const Context& context, const cards::Outcome& outcome);

}  // namespace cards_tool
