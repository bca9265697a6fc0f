// zulname-designs: the gallery of tag designs from the shell: list and show them, put one on the
// cards of a record file, keep a card's design under a name, and share designs as files.

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designs/back_design.h"
#include "designs/category_rules.h"
#include "designs/design_library.h"
#include "designs/record_designs.h"
#include "export/record_location.h"
#include "help/command_help.h"
#include "store/codec.h"
#include "store/file_size_limit.h"
#include "store/items.h"
#include "store/locations.h"
#include "store/profile_service.h"
#include "store/storage_layout.h"
#include "tools/card_arguments.h"
#include "tools/write_failure.h"

namespace {

constexpr command_help::CommandText kHelp{
    "zulname-designs",
    "zulname-designs list\n"
    "zulname-designs show NAME\n"
    "zulname-designs apply NAME [--record FILE] [--to all|N-M] [--slot 1|2|3|all]\n"
    "zulname-designs apply --by-rules [--record FILE]\n"
    "zulname-designs rule ITEM VALUE DESIGN [--honorific TEXT] [--record FILE]\n"
    "zulname-designs rules [--record FILE]\n"
    "zulname-designs save NAME [--from N] [--description TEXT] [--record FILE]\n"
    "zulname-designs rename NAME NEW-NAME\n"
    "zulname-designs delete NAME\n"
    "zulname-designs export NAME -o FILE\n"
    "zulname-designs import FILE\n"
    "zulname-designs back NAME|--none|--from-card N [--slot 1|2|3] [--record FILE]\n"
    "zulname-designs --help | --version",
    "Ready-made and saved designs of a tag. Names and texts are UTF-8.\n"
    "\n"
    "  list      one line per design: name, where it comes from (内蔵: built in, ユーザー: yours),\n"
    "            description, tab-separated\n"
    "  show      the design's file: its name, description, tag size and keys\n"
    "  apply     the design on every card or the cards N-M, for one label slot or all (default),\n"
    "            scaled to each slot's label size; texts stay\n"
    "  apply --by-rules  each card the design and honorific of its category, by the record\n"
    "            file's rules; cards no rule matches keep their design, without a rule's\n"
    "            honorific and frame\n"
    "  rule      cards whose ITEM is VALUE take DESIGN (\"-\": keep their own) and the honorific\n"
    "            TEXT after the name (様, さん, 殿 …; none when not given); kept in the record file,\n"
    "            replacing the rule for the same ITEM and VALUE, and put on the cards at once;\n"
    "            VALUE is not blank, and a record file keeps at most 200 rules\n"
    "  rules     the record file's rules: item, value, design, honorific, tab-separated\n"
    "  save      the design of card N (default: the current card) for the record file's slot,\n"
    "            kept as a design of your own\n"
    "  rename, delete  a design of your own\n"
    "  export    the design as a file, to share\n"
    "  import    a design file, kept as a design of your own\n"
    "  back      the design of the back of every tag of a label slot (default: the record file's):\n"
    "            a design of the gallery, none (--none), or the design of card N (the record\n"
    "            file's slot); texts of the back stay\n"
    "  --record FILE  the record file (default: the current one of the settings file)\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure, 2 for a usage error.\n"};

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

int Fail(int status, const std::string& message) {
    std::cerr << "zulname-designs: " << message << "\n";
    return status;
}

int Usage(const std::string& problem) {
    std::cerr << "zulname-designs: " << problem << "\n";
    command_help::PrintUsage(kHelp, std::cerr);
    return kUsageError;
}

std::string Utf8(std::string_view stored) {
    std::string text;
    return codec::Cp932ToUtf8(stored, text) ? text : std::string("?");
}

struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> record, to, slot, from, description, output, honorific, fromCard;
    bool byRules = false;
    bool none = false;  // back --none
};

bool Parse(const std::vector<std::string_view>& args, Arguments& parsed, std::string& problem) {
    const auto valueOf = [&parsed](std::string_view name) -> std::optional<std::string>* {
        return name == "--record"        ? &parsed.record
               : name == "--to"          ? &parsed.to
               : name == "--slot"        ? &parsed.slot
               : name == "--from"        ? &parsed.from
               : name == "--description" ? &parsed.description
               : name == "-o"            ? &parsed.output
               : name == "--honorific"   ? &parsed.honorific
               : name == "--from-card"   ? &parsed.fromCard
                                         : nullptr;
    };
    std::vector<std::string_view> words;
    for (const std::string_view word : args)
        if (word == "--none")
            parsed.none = true;
        else if (word == "--by-rules")
            parsed.byRules = true;
        else
            words.push_back(word);
    return command_help::SplitArguments(words, valueOf, parsed.positional, problem);
}

// A name or text given in UTF-8 as stored text.
bool Stored(const std::string& utf8, std::string& stored) {
    if (codec::Utf8ToCp932(utf8, stored)) return true;
    Fail(kUsageError, "\"" + codec::FirstUnstorableCharacter(utf8) + "\" cannot be stored in code page 932");
    return false;
}

std::string Explain(const designs::LibraryResult& result, const std::string& name) {
    switch (result.failure) {
    case designs::LibraryFailure::NotFound: return "no design \"" + name + "\" (zulname-designs list shows them)";
    case designs::LibraryFailure::BuiltIn: return "\"" + name + "\" is built in and cannot be changed";
    case designs::LibraryFailure::NameTaken: return "there is already a design \"" + name + "\"";
    case designs::LibraryFailure::BadName: return "a design's name is one line of at most 100 bytes";
    case designs::LibraryFailure::Unreadable:
    case designs::LibraryFailure::NotWritten: return result.detail;
    case designs::LibraryFailure::None: break;
    }
    return {};
}

int Report(const designs::LibraryResult& result, const std::string& name) {
    const int status = result.failure == designs::LibraryFailure::BadName ? kUsageError : kFailure;
    return Fail(status, Explain(result, name));
}

designs::DesignLibrary Library() { return designs::DesignLibrary::Installed(); }

int List(const Arguments& args) {
    if (!args.positional.empty()) return Usage("list takes no arguments");
    std::vector<designs::Unreadable> problems;
    for (const designs::Entry& entry : Library().List(&problems))
        std::cout << Utf8(entry.design.name) << "\t" << (entry.origin == designs::Origin::BuiltIn ? "内蔵" : "ユーザー")
                  << "\t" << Utf8(entry.design.description) << "\n";
    for (const designs::Unreadable& problem : problems)
        std::cerr << "zulname-designs: skipped " << problem.fsPath << ": " << problem.reason << "\n";
    return 0;
}

// The design of a name given in UTF-8, or the exit status of why not.
std::optional<designs::Entry> FindNamed(const std::string& utf8Name, int& status) {
    std::string name;
    status = kUsageError;
    if (!Stored(utf8Name, name)) return std::nullopt;
    std::optional<designs::Entry> entry = Library().Find(name);
    status = kFailure;
    if (!entry) Report({designs::LibraryFailure::NotFound}, utf8Name);
    return entry;
}

int Show(const Arguments& args) {
    if (args.positional.size() != 1) return Usage("show needs a NAME");
    int status = 0;
    const std::optional<designs::Entry> entry = FindNamed(args.positional[0], status);
    if (!entry) return status;
    std::string text = Utf8(designs::SerializeDesign(entry->design));
    for (std::size_t at; (at = text.find('\r')) != std::string::npos;) text.erase(at, 1);
    std::cout << "; " << entry->fsPath << "\n" << text;
    return 0;
}

// The record file to work on and its cards, or the exit status of why not.
std::optional<cards::RecordCards> OpenRecord(const Arguments& args, int& status) {
    export_tool::RecordLocation location;
    std::string problem, fsPath;
    status = kFailure;
    if (!export_tool::FindRecordFile(args.record.value_or(""), location, problem)) {
        Fail(kFailure, problem);
        return std::nullopt;
    }
    locations::StoredPathToFs(location.storedPath, fsPath);
    UserItemList userItems;
    userItems.ReloadUserItems(SettingsProfile());
    cards::RecordCards record(fsPath, ItemList(userItems.UserItems()));
    if (record.Count() == 0) {
        Fail(kFailure, fsPath + " claims more cards than a record file can hold (check \"Max\" and the card sections)");
        return std::nullopt;
    }
    return record;
}

int CardFailure(const cards::RecordCards& record, const cards::Outcome& outcome) {
    if (outcome.failure == cards::Failure::NoSuchCard)
        return Fail(kFailure, "no card " + CardSectionName(outcome.missing) + " in " + record.FsPath());
    return Fail(kFailure, "cannot write " + record.FsPath() + ": " + ini_tool::FileWriteReason(record.FsPath()));
}

int Apply(const Arguments& args) {
    if (args.positional.size() != 1) return Usage("apply needs a NAME");
    std::int32_t slot = cards::kAllSlots;
    const std::string slotText = args.slot.value_or("all");
    if (slotText == "1" || slotText == "2" || slotText == "3")
        slot = slotText[0] - '0';
    else if (slotText != "all")
        return Usage("--slot takes 1, 2, 3 or all");
    int status = 0;
    const std::optional<designs::Entry> entry = FindNamed(args.positional[0], status);
    if (!entry) return status;
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    const std::int32_t count = record->Count();
    cards_tool::CardRange range{0, count - 1};
    if (args.to && *args.to != "all") {
        std::string problem;
        if (!cards_tool::ParseCardRange(*args.to, range, problem)) return Usage(problem);
        if (problem = cards_tool::RangeProblem(range, count); !problem.empty()) return Fail(kUsageError, problem);
    }
    std::vector<std::int32_t> targets;
    for (std::int32_t card = range.first; card <= range.last; ++card) targets.push_back(card);
    const SettingsProfile settings;
    const cards::Outcome outcome = designs::ApplyToRecord(settings, *record, entry->design, targets, slot);
    if (!outcome) return CardFailure(*record, outcome);
    std::cout << "applied " << args.positional[0] << " to " << outcome.changed << (outcome.changed == 1 ? " card" : " cards")
              << (slot == cards::kAllSlots ? ", all slots" : ", slot " + slotText) << "\n";
    return 0;
}

// What putting the rules on the cards did.
int ReportRules(const cards::RecordCards& record, const designs::RulesOutcome& applied) {
    if (applied.refused == designs::RulesRefusal::EmptyValue) return Fail(kUsageError, "a rule needs a VALUE that is not blank");
    if (applied.refused == designs::RulesRefusal::TooMany)
        return Fail(kFailure, record.FsPath() + " keeps at most " + std::to_string(designs::kMostRules) +
                                  " rules; nothing changed (replace a rule of the same ITEM and VALUE instead)");
    for (const std::string& missing : applied.missingDesigns)
        std::cerr << "zulname-designs: no design \"" << Utf8(missing) << "\": its cards keep theirs\n";
    if (!applied.outcome) return CardFailure(record, applied.outcome);
    if (applied.rules == 0) return Fail(kFailure, record.FsPath() + " has no rules (zulname-designs rule adds one)");
    std::cout << "applied " << applied.rules << (applied.rules == 1 ? " rule" : " rules") << " to "
              << applied.outcome.changed << (applied.outcome.changed == 1 ? " card" : " cards") << "\n";
    return 0;
}

int ApplyByRules(const Arguments& args) {
    if (!args.positional.empty()) return Usage("apply --by-rules takes no NAME");
    int status = 0;
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    return ReportRules(*record, designs::ApplyStoredRules(SettingsProfile(), *record, Library(), {}));
}

int Rule(const Arguments& args) {
    if (args.positional.size() != 3) return Usage("rule needs ITEM, VALUE and DESIGN");
    designs::CategoryRule rule;
    if (!Stored(args.positional[0], rule.item) || !Stored(args.positional[1], rule.value) ||
        !Stored(args.honorific.value_or(""), rule.honorific))
        return kUsageError;
    int status = 0;
    if (args.positional[2] != "-") {
        const std::optional<designs::Entry> entry = FindNamed(args.positional[2], status);
        if (!entry) return status;
        rule.design = entry->design.name;
    }
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    if (std::find(record->Items().begin(), record->Items().end(), rule.item) == record->Items().end())
        return Fail(kUsageError, "no item \"" + args.positional[0] + "\"");
    return ReportRules(*record, designs::PutRuleAndApply(SettingsProfile(), *record, Library(), rule));
}

int Rules(const Arguments& args) {
    if (!args.positional.empty()) return Usage("rules takes no arguments");
    int status = 0;
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    for (const designs::CategoryRule& rule : designs::ReadRules(record->FsPath()))
        std::cout << Utf8(rule.item) << "\t" << Utf8(rule.value) << "\t" << (rule.design.empty() ? "-" : Utf8(rule.design))
                  << "\t" << Utf8(rule.honorific) << "\n";
    return 0;
}

int Save(const Arguments& args) {
    if (args.positional.size() != 1) return Usage("save needs a NAME");
    std::string name, description;
    if (!Stored(args.positional[0], name) || !Stored(args.description.value_or(""), description)) return kUsageError;
    int status = 0;
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    const std::int32_t count = record->Count();
    std::int32_t card = ProfileFile(record->FsPath()).ReadInt("#Setting#", "CurID", 0);
    if (args.from) {
        const std::optional<std::int32_t> from = cards_tool::ParseCardNumber(*args.from);
        if (!from) return Usage("\"" + *args.from + "\" is not a card number");
        card = *from;
    }
    if (const std::string problem = cards_tool::RangeProblem({card, card}, count); !problem.empty())
        return Fail(kUsageError, problem);
    designs::Design design = designs::DesignOfCard(SettingsProfile(), *record, card);
    design.name = name;
    design.description = description;
    if (!locations::EnsureFolders()) return Fail(kFailure, "cannot make " + locations::DataFolder());
    if (const designs::LibraryResult saved = Library().Save(design); !saved) return Report(saved, args.positional[0]);
    std::cout << "saved the design of card " << CardSectionName(card) << " as " << args.positional[0] << "\n";
    return 0;
}

int Rename(const Arguments& args) {
    if (args.positional.size() != 2) return Usage("rename needs NAME and NEW-NAME");
    std::string name, newName;
    if (!Stored(args.positional[0], name) || !Stored(args.positional[1], newName)) return kUsageError;
    const designs::LibraryResult renamed = Library().Rename(name, newName);
    if (!renamed)
        return Report(renamed, renamed.failure == designs::LibraryFailure::NameTaken ? args.positional[1] : args.positional[0]);
    std::cout << "renamed " << args.positional[0] << " to " << args.positional[1] << "\n";
    return 0;
}

int Delete(const Arguments& args) {
    if (args.positional.size() != 1) return Usage("delete needs a NAME");
    std::string name;
    if (!Stored(args.positional[0], name)) return kUsageError;
    if (const designs::LibraryResult deleted = Library().Delete(name); !deleted) return Report(deleted, args.positional[0]);
    std::cout << "deleted " << args.positional[0] << "\n";
    return 0;
}

int Export(const Arguments& args) {
    if (args.positional.size() != 1 || !args.output) return Usage("export needs a NAME and -o FILE");
    std::string name;
    if (!Stored(args.positional[0], name)) return kUsageError;
    if (const designs::LibraryResult exported = Library().Export(name, *args.output); !exported) {
        const std::string limit = FileSizeLimitReason(errno);
        return limit.empty() ? Report(exported, args.positional[0]) : Fail(kFailure, "cannot write " + *args.output + ": " + limit);
    }
    std::cout << "exported " << args.positional[0] << " to " << *args.output << "\n";
    return 0;
}

int Import(const Arguments& args) {
    if (args.positional.size() != 1) return Usage("import needs a FILE");
    if (!locations::EnsureFolders()) return Fail(kFailure, "cannot make " + locations::DataFolder());
    const designs::LibraryResult imported = Library().Import(args.positional[0]);
    if (!imported) return Fail(kFailure, args.positional[0] + ": " + Explain(imported, Utf8(imported.name)));
    std::cout << "imported " << Utf8(imported.name) << "\n";
    return 0;
}

// The slot of the back: --slot, else the record file's.
std::optional<std::int32_t> BackSlot(const Arguments& args, const cards::RecordCards& record) {
    if (!args.slot) return designs::RecordSlot(record.FsPath());
    if (*args.slot == "1" || *args.slot == "2" || *args.slot == "3") return (*args.slot)[0] - '0';
    return std::nullopt;
}

int Back(const Arguments& args) {
    const int choices = static_cast<int>(args.positional.size()) + (args.none ? 1 : 0) + (args.fromCard ? 1 : 0);
    if (choices != 1) return Usage("back needs one of NAME, --none and --from-card N");
    if (args.slot && args.fromCard) return Usage("--from-card makes the back of the record file's slot; leave out --slot");
    int status = 0;
    std::optional<designs::Design> design;
    if (!args.positional.empty()) {
        std::optional<designs::Entry> entry = FindNamed(args.positional[0], status);
        if (!entry) return status;
        design = std::move(entry->design);
    }
    const std::optional<cards::RecordCards> record = OpenRecord(args, status);
    if (!record) return status;
    const std::optional<std::int32_t> slot = BackSlot(args, *record);
    if (!slot) return Usage("--slot takes 1, 2 or 3");
    const SettingsProfile settings;
    std::string done;
    if (args.fromCard) {
        const std::optional<std::int32_t> card = cards_tool::ParseCardNumber(*args.fromCard);
        if (!card) return Usage("\"" + *args.fromCard + "\" is not a card number");
        if (const std::string problem = cards_tool::RangeProblem({*card, *card}, record->Count()); !problem.empty())
            return Fail(kUsageError, problem);
        design = designs::DesignOfCard(settings, *record, *card);
        done = "the design of card " + CardSectionName(*card);
    }
    const bool written = design ? designs::SetBack(settings, *record, *design, *slot) : designs::RemoveBack(*record, *slot);
    if (!written) return CardFailure(*record, {cards::Failure::NotWritten});
    const std::string slotText = "slot " + std::to_string(*slot);
    if (!design)
        std::cout << "removed the back of " << slotText << "\n";
    else
        std::cout << "the back of " << slotText << " is " << (done.empty() ? args.positional[0] : done) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    profile::ProfileService::Instance().KeepNoUndo();
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, kHelp, std::cout)) return *status;
    const std::vector<std::string_view> all(argv + 1, argv + argc);
    if (all.empty()) return Usage("no command given");
    Arguments args;
    std::string problem;
    if (!Parse({all.begin() + 1, all.end()}, args, problem)) return Usage(problem);
    const std::string_view command = all[0];
    const bool takesRecord =
        command == "apply" || command == "save" || command == "rule" || command == "rules" || command == "back";
    if (!takesRecord && args.record) return Usage("--record belongs to apply, save, rule, rules and back");
    if (command != "apply" && args.byRules) return Usage("--by-rules belongs to apply");
    if (command != "rule" && args.honorific) return Usage("--honorific belongs to rule");
    if (args.byRules && (args.to || args.slot)) return Usage("apply --by-rules takes neither --to nor --slot");
    if (args.byRules) return ApplyByRules(args);
    if (command != "apply" && args.to) return Usage("--to belongs to apply");
    if (command != "apply" && command != "back" && args.slot) return Usage("--slot belongs to apply and back");
    if (command != "back" && (args.none || args.fromCard)) return Usage("--none and --from-card belong to back");
    if (command != "save" && (args.from || args.description)) return Usage("--from and --description belong to save");
    if (command != "export" && args.output) return Usage("-o belongs to export");
    if (command == "list") return List(args);
    if (command == "show") return Show(args);
    if (command == "apply") return Apply(args);
    if (command == "save") return Save(args);
    if (command == "rule") return Rule(args);
    if (command == "rules") return Rules(args);
    if (command == "rename") return Rename(args);
    if (command == "delete") return Delete(args);
    if (command == "export") return Export(args);
    if (command == "import") return Import(args);
    if (command == "back") return Back(args);
    return Usage("unknown command \"" + std::string(command) + "\"");
}
