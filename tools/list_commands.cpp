#include "tools/list_commands.h"

#include <algorithm>
#include <cerrno>
#include <ostream>

#include "designs/category_rules.h"
#include "lists/card_import.h"
#include "lists/list_writer.h"
#include "store/file_size_limit.h"
#include "tools/card_arguments.h"
#include "tools/list_options.h"

namespace cards_tool {
namespace {

struct ImportArguments {
    std::string list;
    list_tool::ListOptions listOptions;
    DesignSource design = DesignSource::Card;
    std::optional<std::int32_t> designCard;  // none: the current card
    bool replace = false;
};

bool ParseImport(const std::vector<std::string_view>& args, ImportArguments& parsed, std::string& problem) {
    for (std::size_t index = 0; index < args.size() && problem.empty();) {
        if (list_tool::TakeListOption(args, index, parsed.listOptions, problem)) continue;
        const std::string_view arg = args[index];
        if (arg == "--replace") {
            parsed.replace = true;
            ++index;
        } else if (arg == "--design-from") {
            if (index + 1 >= args.size()) {
                problem = "--design-from needs N, defaults or none";
                break;
            }
            const std::string_view value = args[index + 1];
            index += 2;
            if (value == "defaults") {
                parsed.design = DesignSource::Defaults;
            } else if (value == "none") {
                parsed.design = DesignSource::None;
            } else if ((parsed.designCard = ParseCardNumber(value))) {
                parsed.design = DesignSource::Card;
            } else {
                problem = "--design-from takes a card number, defaults or none";
            }
        } else if (arg.substr(0, 2) == "--" || !parsed.list.empty()) {
            problem = "unknown argument " + std::string(arg);
        } else {
            parsed.list = arg;
            ++index;
        }
    }
    if (problem.empty() && parsed.list.empty()) problem = "import needs a list file";
    return problem.empty();
}

}  // namespace

int ImportList(Context& context, const std::vector<std::string_view>& args) {
    ImportArguments parsed;
    std::string problem;
    if (!ParseImport(args, parsed, problem)) return context.UsageError(problem);

    const std::int32_t count = context.cards.Count();
    const std::int32_t current = std::clamp(
        ProfileFile(context.cards.FsPath()).ReadInt("#Setting#", "CurID", 0), 0, std::max(count - 1, 0));
    const std::int32_t designCard = parsed.designCard.value_or(current);
    if (parsed.design == DesignSource::Card)
        if (const std::string range = RangeProblem({designCard, designCard}, count); !range.empty())
            return context.Fail(kUsageError, range);

    ListFile list;
    ImportPlan plan;
    if (!list_tool::PlanList(parsed.list, parsed.listOptions, ItemListUtf8(context.settings), list, plan, problem))
        return context.Fail(kFailure, problem);
    for (const ImportNote& note : plan.unencodable) context.err << parsed.list << ": " << DescribeNote(note) << "\n";
    if (plan.refused)
        return context.Fail(kFailure, parsed.list + ": text that code page 932 cannot hold in " +
                                          std::to_string(plan.unencodable.size()) +
                                          " cells; nothing imported (--unencodable keep, skip or replace)");

    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(context.settings, library);
    const ImportResult result =
        ImportIntoRecord(context.settings, context.cards.FsPath(), plan, parsed.replace ? ImportMode::Replace : ImportMode::Append,
                         ChooseDesign(context.settings, context.cards, parsed.design, designCard), &ruled);
    if (!result.written) return context.Fail(kFailure, result.error);
    for (const ImportNote& note : plan.skipped) context.err << parsed.list << ": " << DescribeNote(note) << "\n";
    for (const ImportNote& note : plan.notes) context.err << parsed.list << ": " << DescribeNote(note) << "\n";
    for (const std::string& item : result.newItems) context.err << "zulname-cards: new item " << item << "\n";
    context.out << (parsed.replace ? "replaced the cards with " : "imported ") << result.cardsMade
                << (result.cardsMade == 1 ? " card" : " cards") << " from " << parsed.list << " ("
                << list_tool::DescribeList(list) << "; " << plan.rowsRead << " rows, " << plan.skipped.size()
                << " skipped)\n";
    if (ruled.Ruled() > 0)
        context.out << "gave " << ruled.Ruled() << (ruled.Ruled() == 1 ? " card" : " cards")
                    << " the design of its category\n";
    return 0;
}

int ExportList(Context& context, const std::vector<std::string_view>& args) {
    std::optional<ListOutputFormat> format;
    ListOutputEncoding encoding = ListOutputEncoding::Utf8Bom;
    std::string output;
    for (std::size_t index = 0; index < args.size(); index += 2) {
        if (index + 1 >= args.size()) return context.Fail(kUsageError, std::string(args[index]) + " needs a value");
        const std::string_view option = args[index], value = args[index + 1];
        if (option == "--format") {
            if (value == "csv") format = ListOutputFormat::Csv;
            else if (value == "tsv") format = ListOutputFormat::Tsv;
            else if (value == "xlsx") format = ListOutputFormat::Xlsx;
            else return context.Fail(kUsageError, "--format takes csv, tsv or xlsx");
        } else if (option == "--encoding") {
            if (value == "utf-8") encoding = ListOutputEncoding::Utf8Bom;
            else if (value == "cp932") encoding = ListOutputEncoding::Cp932;
            else return context.Fail(kUsageError, "--encoding takes utf-8 or cp932");
        } else if (option == "-o") {
            output = value;
        } else {
            return context.UsageError("unknown option " + std::string(option));
        }
    }
    if (!format || output.empty()) return context.UsageError("export needs --format and -o");
    const ListRows rows = CardsAsList(context.cards);
    std::string error;
    if (!WriteList(output, rows, *format, encoding, error)) {
        const std::string limit = FileSizeLimitReason(errno);
        return context.Fail(kFailure, limit.empty() ? error : "cannot write " + output + ": " + limit);
    }
    context.out << "exported " << rows.rows.size() << (rows.rows.size() == 1 ? " card" : " cards") << " to " << output
                << "\n";
    return 0;
}

}  // namespace cards_tool
