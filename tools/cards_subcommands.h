#pragma once

#include <string>
#include <vector>

#include "tools/card_command_types.h"

// The table of zulname-cards' subcommands, the card and the list ones.
namespace cards_tool {

const std::vector<Subcommand>& Subcommands();

// The usage line of the whole command.
std::string UsageText();

}  // namespace cards_tool
