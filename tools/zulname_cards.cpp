// zulname-cards: the card operations of a record file from the shell, for people who script
// their events: list, add, delete, move, sort and apply a design.

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "designs/record_designs.h"
#include "export/record_location.h"
#include "help/command_help.h"
#include "store/file_size_limit.h"
#include "store/items.h"
#include "store/locations.h"
#include "store/profile_service.h"
#include "tools/cards_command.h"
#include "tools/cards_subcommands.h"
#include "tools/write_failure.h"

namespace {

// One synopsis line per subcommand, from the same table the usage message is made of.
std::string Synopsis() {
    std::string synopsis;
    for (const cards_tool::Subcommand& subcommand : cards_tool::Subcommands())
        synopsis += "zulname-cards [--record FILE] " + std::string(subcommand.usage) + "\n";
    return synopsis + "zulname-cards --help | --version";
}

constexpr const char* kDescription =
    "Works on the cards of a record file as a list. Texts are UTF-8; every change is one atomic\n"
    "rewrite of the file, with the cards renumbered without gaps and the print order remapped.\n"
    "\n"
    "  list          a header line, then each card's number and item texts, tab-separated\n"
    "  add           a card after card N (default: at the end), texts in item-list order\n"
    "  delete        the cards and ranges of cards given\n"
    "  move          card N to place M\n"
    "  sort          the cards by the text of ITEM, in Japanese collation\n"
    "  apply-design  the design of card N to all cards or a range, for one slot or all\n"
    "  import        a card for each row of a participant list (CSV, TSV, xlsx, ods); a record\n"
    "                file named by --record that does not exist is made, in the default design\n"
    "  export        the cards as a list: csv, tsv or xlsx\n"
    "  romaji        the names in Latin letters from their readings\n"
    "  check         characters that may print wrong: card, item, character, code point, kinds\n"
    "                (no-face: no installed face draws it; beyond-jis-x-0208; beyond-cp932:\n"
    "                kept beside 〓) and the usual substitutes; exit 1 when a face is missing\n"
    "  list options  --sheet NAME, --encoding auto|utf-8|utf-16|cp932, --map COLUMN=ITEM,\n"
    "                --no-header, --kana keep|hiragana|katakana, --unencodable keep|substitute|refuse|skip|replace\n"
    "  --record FILE the record file (default: the current one of the settings file)\n"
    "\n"
    "Exit status: 0 on success, 1 when the file cannot be read or written or a text cannot be\n"
    "stored, 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    profile::ProfileService::Instance().KeepNoUndo();
    using namespace cards_tool;
    static const std::string synopsis = Synopsis();
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, {"zulname-cards", synopsis, kDescription}, std::cout))
        return *status;
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
    const SettingsProfile settings;
    // An import may start a record file: in the default design, so its cards show at once.
    if (subcommand->name == "import" && !recordArgument.empty() && !std::filesystem::exists(recordArgument) &&
        !designs::StartRecordFile(settings, recordArgument, designs::DesignLibrary::Installed())) {
        std::cerr << "zulname-cards: cannot make " << recordArgument << ": " << ini_tool::FileWriteReason(recordArgument)
                  << "\n";
        return kFailure;
    }
    if (!export_tool::FindRecordFile(recordArgument, location, problem)) {
        std::cerr << "zulname-cards: " << problem << "\n";
        return kFailure;
    }
    locations::StoredPathToFs(location.storedPath, fsPath);
    UserItemList userItems;
    userItems.ReloadUserItems(settings);
    cards::RecordCards cards(fsPath, ItemList(userItems.UserItems()));
    Context context{cards, settings, std::cout, std::cerr, UsageText()};
    // Only a file that claims more cards than any record file holds has none to work on.
    if (cards.Count() == 0) return ReportFailure(context, {cards::Failure::TooManyCards});
    return subcommand->run(context, std::vector<std::string_view>(args.begin() + 1, args.end()));
}
