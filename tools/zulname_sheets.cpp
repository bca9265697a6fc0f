// zulname-sheets: the catalogue of label sheets from the shell: list and show products, apply one
// to a label slot as the sheet chooser's OK does, and save a slot's settings as a sheet.

#include <cerrno>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/record_location.h"
#include "help/command_help.h"
#include "sheets/catalogue.h"
#include "sheets/saved_sheets.h"
#include "sheets/slot_sheet.h"
#include "store/file_size_limit.h"
#include "store/label_sizes.h"
#include "store/locations.h"
#include "store/profile_service.h"
#include "tools/write_failure.h"

namespace {

constexpr command_help::CommandText kHelp{
    "zulname-sheets",
    "zulname-sheets list [--search TEXT]\n"
    "zulname-sheets show MAKER PART\n"
    "zulname-sheets apply MAKER PART [--slot 1|2|3] [--record FILE]\n"
    "zulname-sheets save NAME [--slot 1|2|3] [--record FILE]\n"
    "zulname-sheets --help | --version",
    "Lists the label sheets the program knows and puts one into a label slot.\n"
    "\n"
    "  list      one line per product: maker, part, label size, columns x rows, source\n"
    "  show      everything known of one product, and how it fits a slot\n"
    "  apply     stores the product's label size and print options in the slot\n"
    "  save      keeps the slot's settings as a sheet of your own, named NAME\n"
    "  --slot N  the label slot (default: the record file's)\n"
    "  --record FILE  the record file (default: the current one of the settings file)\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure, 2 for a usage error.\n"};

constexpr int kUsageError = 2;
constexpr int kFailure = 1;
constexpr const char* kUsage =
    "usage: zulname-sheets list [--search TEXT] | show MAKER PART"
    " | apply MAKER PART [--slot 1|2|3] [--record FILE] | save NAME [--slot 1|2|3] [--record FILE]";

int Fail(int status, const std::string& message) {
    std::cerr << "zulname-sheets: " << message << "\n";
    return status;
}

int Usage(const std::string& problem) { return Fail(kUsageError, problem + "; " + kUsage); }

// The words of the command line: the positional ones and the values of the options.
struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> search, slot, record;
};

bool Parse(const std::vector<std::string_view>& args, Arguments& parsed, std::string& problem) {
    const auto valueOf = [&parsed](std::string_view name) -> std::optional<std::string>* {
        return name == "--search"   ? &parsed.search
               : name == "--slot"   ? &parsed.slot
               : name == "--record" ? &parsed.record
                                    : nullptr;
    };
    return command_help::SplitArguments(args, valueOf, parsed.positional, problem);
}

sheets::SheetCatalogue LoadCatalogue() {
    sheets::SheetCatalogue catalogue;
    catalogue.Load(sheets::DefaultSources());
    for (const std::string& warning : catalogue.Warnings()) std::cerr << "zulname-sheets: skipped " << warning << "\n";
    return catalogue;
}

std::string Grid(const sheets::SheetProduct& product) {
    return std::to_string(product.columns) + "\u00d7" + std::to_string(product.rows);
}

int List(const Arguments& args) {
    if (!args.positional.empty()) return Usage("list takes no product");
    const sheets::SheetCatalogue catalogue = LoadCatalogue();
    for (const std::size_t i : catalogue.Search(args.search.value_or(""))) {
        const sheets::SheetProduct& product = catalogue.Products()[i];
        std::cout << product.maker << "\t" << product.part << "\t" << sheets::LabelSizeText(product) << "\t"
                  << Grid(product) << "\t" << sheets::SourceName(product.source);
        if (!product.Usable()) std::cout << "\t使えません: " << product.unusable;
        std::cout << "\n";
    }
    return 0;
}

const sheets::SheetProduct* FindProduct(const sheets::SheetCatalogue& catalogue, const Arguments& args) {
    const sheets::SheetProduct* product = catalogue.Find(args.positional[0], args.positional[1]);
    if (product == nullptr) Fail(kFailure, "no product \"" + args.positional[1] + "\" of \"" + args.positional[0] + "\"");
    return product;
}

int Show(const Arguments& args) {
    if (args.positional.size() != 2) return Usage("show needs MAKER and PART");
    const sheets::SheetCatalogue catalogue = LoadCatalogue();
    const sheets::SheetProduct* product = FindProduct(catalogue, args);
    if (product == nullptr) return kFailure;
    using sheets::MillimetreText;
    std::cout << "maker: " << product->maker << "\npart: " << product->part << "\ndescription: " << product->description
              << "\nsource: " << sheets::SourceName(product->source) << " (" << product->file << ")"
              << "\npaper: " << product->paperId << " " << MillimetreText(product->paperWidth) << "\u00d7"
              << MillimetreText(product->paperHeight) << "mm"
              << "\nlabel: " << sheets::LabelSizeText(*product) << ", corner radius " << MillimetreText(product->round) << "mm"
              << "\nlayout: " << Grid(*product) << " from " << MillimetreText(product->left) << "mm left, "
              << MillimetreText(product->top) << "mm top, step " << MillimetreText(product->pitchX) << "mm across, "
              << MillimetreText(product->pitchY) << "mm down\n";
    if (!product->Usable()) {
        std::cout << "usable: no, " << product->unusable << "\n";
        return 0;
    }
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(*product);
    std::cout << "usable: yes\nin a slot (1/100 inch): size " << sheet.width << "\u00d7" << sheet.height << ", "
              << sheet.columns << " across, " << sheet.rows << " down, gaps " << sheet.gapH << " and " << sheet.gapV
              << ", from the top " << sheet.top << ", from the left " << sheet.left << ", paper " << sheet.paper << "mm\n";
    for (const std::string& adjustment : sheet.adjustments) std::cout << "note: " << adjustment << "\n";
    return 0;
}

bool ParseSlot(const Arguments& args, std::int32_t fallback, std::int32_t& slot) {
    if (!args.slot) {
        slot = fallback;
        return true;
    }
    if (*args.slot != "1" && *args.slot != "2" && *args.slot != "3") return false;
    slot = (*args.slot)[0] - '0';
    return true;
}

int Apply(const Arguments& args) {
    if (args.positional.size() != 2) return Usage("apply needs MAKER and PART");
    export_tool::RecordLocation location;
    std::string problem;
    if (!export_tool::FindRecordFile(args.record.value_or(""), location, problem)) return Fail(kFailure, problem);
    RecordProfile record;
    record.SetPath(location.storedPath);
    std::int32_t slot = 1;
    if (!ParseSlot(args, CurrentSlot(record), slot)) return Usage("--slot takes 1, 2 or 3");

    const sheets::SheetCatalogue catalogue = LoadCatalogue();
    const sheets::SheetProduct* product = FindProduct(catalogue, args);
    if (product == nullptr) return kFailure;
    if (!product->Usable()) return Fail(kFailure, product->maker + " " + product->part + " cannot be applied: " + product->unusable);
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(*product);
    const SettingsProfile settings;
    const std::vector<sheets::SettingChange> changes = sheets::ApplySlotSheet(settings, record, slot, sheet);
    for (const std::string& file : {settings.FsPath(), record.ReadFsPath()})
        if (profile::ProfileService::Instance().WriteError(file) != 0)
            return Fail(kFailure, "cannot write " + file + ": " + ini_tool::FileWriteReason(file));
    std::cout << "slot " << slot << ": " << product->maker << " " << product->part << "\n";
    for (const sheets::SettingChange& change : changes)
        std::cout << change.caption << ": " << change.before << " -> " << change.after << "\n";
    for (const std::string& adjustment : sheet.adjustments) std::cout << "note: " << adjustment << "\n";
    return 0;
}

int Save(const Arguments& args) {
    if (args.positional.size() != 1 || args.positional[0].empty()) return Usage("save needs a NAME");
    RecordProfile record;
    export_tool::RecordLocation location;
    std::string problem;
    // Without a record file the start offsets are read as the view reads them then.
    if (args.record || export_tool::FindRecordFile("", location, problem)) {
        if (args.record && !export_tool::FindRecordFile(*args.record, location, problem)) return Fail(kFailure, problem);
        record.SetPath(location.storedPath);
    }
    std::int32_t slot = 1;
    if (!ParseSlot(args, CurrentSlot(record), slot)) return Usage("--slot takes 1, 2 or 3");
    if (!locations::EnsureFolders()) return Fail(kFailure, "cannot make " + locations::ConfigFolder());
    const SettingsProfile settings;
    const sheets::SheetProduct product = sheets::CurrentSheet(settings, record, slot, args.positional[0]);
    if (!sheets::SaveSheet(sheets::DefaultSources().savedFile, product, problem)) {
        const std::string limit = FileSizeLimitReason(errno);
        return Fail(kFailure, limit.empty() ? problem : problem + ": " + limit);
    }
    std::cout << "saved: " << product.maker << "\t" << product.part << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, kHelp, std::cout)) return *status;
    const std::vector<std::string_view> all(argv + 1, argv + argc);
    if (all.empty()) return Usage("no command given");
    Arguments args;
    std::string problem;
    if (!Parse({all.begin() + 1, all.end()}, args, problem)) return Usage(problem);
    if (all[0] != "list" && args.search) return Usage("--search belongs to list");
    if (all[0] == "list") return List(args);
    if (all[0] == "show") return Show(args);
    if (all[0] == "apply") return Apply(args);
    if (all[0] == "save") return Save(args);
    return Usage("unknown command \"" + std::string(all[0]) + "\"");
}
