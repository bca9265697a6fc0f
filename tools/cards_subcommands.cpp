#include "tools/cards_subcommands.h"

#include "tools/cards_command.h"
#include "tools/list_commands.h"

namespace cards_tool {

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> subcommands = {
        {"list", "list", List},
        {"add", "add [--after N] [TEXT...]", Add},
        {"delete", "delete N[-M]...", Delete},
        {"move", "move N --to M", Move},
        {"sort", "sort ITEM", Sort},
        {"apply-design", "apply-design --from N [--to all|N-M] [--slot 1|2|3|all]", ApplyDesign},
        {"import", "import LIST [--design-from N|defaults|none] [--replace] [list options]", ImportList},
        {"export", "export --format csv|tsv|xlsx [--encoding utf-8|cp932] -o OUT", ExportList},
        {"romaji", "romaji --from ITEM --to ITEM [--order given-family|family-given]", Romaji},
        {"check", "check", Check},
    };
    return subcommands;
}

std::string UsageText() {
    std::string usage = "usage: zulname-cards [--record FILE]";
    const char* separator = " ";
    for (const Subcommand& subcommand : Subcommands()) {
        usage += separator;
        usage += subcommand.usage;
        separator = " | ";
    }
    return usage;
}

}  // namespace cards_tool
