#pragma once

#include <string_view>
#include <vector>

#include "tools/card_command_types.h"

// The list subcommands of zulname-cards:
//   import LIST [list options] [--design-from N|defaults|none] [--replace]
//   export --format csv|tsv|xlsx [--encoding utf-8|cp932] -o OUT
namespace cards_tool {

int ImportList(Context& context, const std::vector<std::string_view>& args);
int ExportList(Context& context, const std::vector<std::string_view>& args);

}  // namespace cards_tool
