#include "tools/export_options.h"

#include <optional>

#include "export/export_output.h"

namespace export_tool {
namespace {

constexpr std::int32_t kScreenDpi = 96;
constexpr std::int32_t kMinDpi = 10;
// An A4 page at 1200 dpi is a 560 MB image already.
constexpr std::int32_t kMaxDpi = 1200;

// Decimal digits only, no sign, at most 9 of them.
std::optional<std::int32_t> PositiveNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value == 0) return std::nullopt;
    return value;
}

std::optional<Format> FormatNamed(std::string_view name) {
    if (name == "pdf") return Format::Pdf;
    if (name == "png") return Format::Png;
    if (name == "trace") return Format::Trace;
    return std::nullopt;
}

// "--sheet MAKER PART" names a label sheet; "--sheet NAME" a workbook's sheet (a list option).
// The command takes no operands, so two values follow only the label sheet's.
bool NamesLabelSheet(const std::vector<std::string_view>& args, std::size_t i) {
    const auto value = [&](std::size_t at) { return at < args.size() && !args[at].empty() && args[at][0] != '-'; };
    return args[i] == "--sheet" && value(i + 1) && value(i + 2);
}

bool Problem(std::string& problem, std::string text) {
    problem = std::move(text);
    return false;
}

std::optional<Duplex> DuplexNamed(std::string_view name) {
    if (name == "long") return Duplex::LongEdge;
    if (name == "short") return Duplex::ShortEdge;
    if (name == "none") return Duplex::None;
    return std::nullopt;
}

}  // namespace

std::int32_t Options::Dpi() const {
    if (format == Format::Trace) return kTraceDpi;
    if (dpi != 0) return dpi;
    if (cardMode) return kScreenDpi;
    return format == Format::Pdf ? kPdfDpi : kPngDpi;
}

bool ParseOptions(const std::vector<std::string_view>& args, Options& options, std::string& problem) {
    bool formatGiven = false;
    bool listOptionGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--card-mode" || arg == "--test-page" || arg == "--proof") {
            (arg == "--card-mode" ? options.cardMode : arg == "--test-page" ? options.testPage : options.proof) = true;
            continue;
        }
        if (arg == "--print-order") {
            options.proofOfPrintOrder = true;
            continue;
        }
        if (NamesLabelSheet(args, i)) {
            options.sheetMaker = args[i + 1];
            options.sheetPart = args[i + 2];
            i += 2;
            continue;
        }
        std::size_t next = i;
        if (list_tool::TakeListOption(args, next, options.listOptions, problem)) {
            if (!problem.empty()) return false;
            listOptionGiven = true;
            i = next - 1;
            continue;
        }
        if (arg == "--list" || arg == "--design" || arg == "--design-card") {
            if (i + 1 == args.size() || args[i + 1].empty()) return Problem(problem, std::string(arg) + " needs a value");
            const std::string_view value = args[++i];
            if (arg != "--design-card") {
                (arg == "--list" ? options.list : options.design) = value;
                listOptionGiven |= arg == "--design";
                continue;
            }
            const bool digits = value.size() < 8 && value.find_first_not_of("0123456789") == std::string_view::npos;
            if (!digits) return Problem(problem, "--design-card needs a card number, not \"" + std::string(value) + "\"");
            options.designCard = std::stoi(std::string(value));
            listOptionGiven = true;
            continue;
        }
        if (arg != "--record" && arg != "--page" && arg != "--format" && arg != "-o" && arg != "--dpi" &&
            arg != "--calibrate" && arg != "--duplex")
            return Problem(problem, "unknown argument \"" + std::string(arg) + "\"");
        if (i + 1 == args.size() || args[i + 1].empty()) return Problem(problem, std::string(arg) + " needs a value");
        const std::string_view value = args[++i];
        if (arg == "--record") {
            options.record = value;
        } else if (arg == "--calibrate") {
            options.calibrate = value;
        } else if (arg == "-o") {
            options.output = value;
        } else if (arg == "--duplex") {
            options.duplex = DuplexNamed(value);
            if (!options.duplex) return Problem(problem, "--duplex needs long, short or none, not \"" + std::string(value) + "\"");
        } else if (arg == "--format") {
            const std::optional<Format> format = FormatNamed(value);
            if (!format) return Problem(problem, "unknown format \"" + std::string(value) + "\"");
            options.format = *format;
            formatGiven = true;
        } else {
            const std::optional<std::int32_t> number = PositiveNumber(value);
            if (!number) return Problem(problem, std::string(arg) + " needs a positive number, not \"" + std::string(value) + "\"");
            (arg == "--page" ? options.page : options.dpi) = *number;
        }
    }
    if (!formatGiven) return Problem(problem, "--format is missing");
    if (listOptionGiven && options.list.empty())
        return Problem(problem, "--design, --design-card and the list options need --list");
    if (!options.design.empty() && options.designCard >= 0) return Problem(problem, "--design and --design-card exclude each other");
    if (!options.sheetMaker.empty() && options.design.empty())
        return Problem(problem, "--sheet MAKER PART needs --design, which is fitted to the sheet's labels");
    if (!options.list.empty() && options.cardMode) return Problem(problem, "--list and --card-mode exclude each other");
    if (options.cardMode && options.page != 0) return Problem(problem, "--page and --card-mode exclude each other");
    if (options.testPage && (options.cardMode || options.page != 0 || !options.record.empty() || !options.list.empty()))
        return Problem(problem, "--test-page draws no record file: it excludes --record, --list, --page and --card-mode");
    if (options.proof && (options.cardMode || options.testPage || options.page != 0 || !options.list.empty() ||
                          !options.calibrate.empty()))
        return Problem(problem, "--proof lists the record file's cards: it excludes --list, --page, --card-mode, --test-page and --calibrate");
    if (options.proofOfPrintOrder && !options.proof) return Problem(problem, "--print-order needs --proof");
    if (options.duplex && (options.cardMode || options.proof))
        return Problem(problem, "--duplex needs sheet or test pages: it excludes --card-mode and --proof");
    if (options.cardMode && !options.calibrate.empty()) return Problem(problem, "the card view is not printed: --calibrate needs sheet pages");
    if (options.format == Format::Trace && options.dpi != 0) return Problem(problem, "a trace is always drawn at 100 dpi");
    if (options.dpi != 0 && (options.dpi < kMinDpi || options.dpi > kMaxDpi))
        return Problem(problem, "--dpi must lie between " + std::to_string(kMinDpi) + " and " + std::to_string(kMaxDpi));
    if (options.format != Format::Trace && options.output.empty()) return Problem(problem, "pdf and png need -o OUT");
    return true;
}

}  // namespace export_tool
