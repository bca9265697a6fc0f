// zulname-cards: the card operations of a record file from the shell, for people who script
// their events: list, add, delete, move, sort and apply a design.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "store/items.h"
#include "store/locations.h"
#include "tools/cards_command.h"
#include "tools/record_location.h"

int main(int argc, char** argv) {
    using namespace cards_tool;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string recordArgument;
    if (!args.empty() && args[0] == "--record") {
        if (args.size() < 2) {
            std::cerr << "zulname-cards: --record needs a file; " << UsageText() << "\n";
            return kUsageError;
        }
        recordArgument = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const Subcommand* subcommand = nullptr;
    for (const Subcommand& known : Subcommands())
        if (!args.empty() && known.name == args[0]) subcommand = &known;
    if (subcommand == nullptr) {
        std::cerr << "zulname-cards: " << (args.empty() ? "no command given" : "unknown command \"" + std::string(args[0]) + "\"")
                  << "; " << UsageText() << "\n";
        return kUsageError;
    }

    export_tool::RecordLocation location;
    std::string problem, fsPath;
    if (!export_tool::FindRecordFile(recordArgument, location, problem)) {
        std::cerr << "zulname-cards: " << problem << "\n";
        return kFailure;
    }
    locations::StoredPathToFs(location.storedPath, fsPath);
    const SettingsProfile settings;
    UserItemList userItems;
    userItems.ReloadUserItems(settings);
    cards::RecordCards cards(fsPath, ItemList(userItems.UserItems()));
    Context context{cards, settings, std::cout, std::cerr};
    // Only a file that claims more cards than any record file holds has none to work on.
    if (cards.Count() == 0) return ReportFailure(context, {cards::Failure::TooManyCards});
    return subcommand->run(context, std::vector<std::string_view>(args.begin() + 1, args.end()));
}
