#include "tools/cards_command.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "designs/category_rules.h"
#include "lists/character_check.h"
#include "lists/romaji.h"
#include "store/card_deck.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/storage_layout.h"
#include "tools/card_arguments.h"
#include "tools/write_failure.h"

namespace cards_tool {
namespace {

std::string Utf8(std::string_view stored) {
    std::string text;
    return codec::Cp932ToUtf8(stored, text) ? text : std::string("?");
}

std::string CardWord(std::int32_t count) { return std::to_string(count) + (count == 1 ? " card" : " cards"); }

// The stored name of an item given in UTF-8, if it is one of the record's items.
bool FindItem(const Context& context, std::string_view argument, std::string& item) {
    return codec::Utf8ToCp932(argument, item) &&
           std::find(context.cards.Items().begin(), context.cards.Items().end(), item) != context.cards.Items().end();
}

// A cell for a tab-separated line: tabs and line breaks would start another cell or row.
std::string Cell(std::string_view stored) {
    std::string cell = exact_text::ToUtf8(stored);
    for (char& c : cell)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return cell;
}

}  // namespace

int List(Context& context, const std::vector<std::string_view>& args) {
    if (!args.empty()) return context.UsageError("list takes no arguments");
    context.out << "番号";
    for (const std::string& item : context.cards.Items()) context.out << '\t' << Cell(item);
    context.out << '\n';
    const std::int32_t count = context.cards.Count();
    for (std::int32_t card = 0; card < count; ++card) {
        context.out << CardSectionName(card);
        for (const std::string& text : context.cards.Texts(card)) context.out << '\t' << Cell(text);
        context.out << '\n';
    }
    return 0;
}

int Add(Context& context, const std::vector<std::string_view>& args) {
    std::size_t first = 0;
    std::optional<std::int32_t> before;  // none: after the last card as the file is when written
    if (!args.empty() && args[0] == "--after") {
        if (args.size() < 2) return context.Fail(kUsageError, "--after needs a card number");
        const std::optional<std::int32_t> after = ParseCardNumber(args[1]);
        if (!after) return context.Fail(kUsageError, "\"" + std::string(args[1]) + "\" is not a card number");
        if (const std::string problem = RangeProblem({*after, *after}, context.cards.Count()); !problem.empty())
            return context.Fail(kUsageError, problem);
        before = *after + 1;
        first = 2;
    }
    if (args.size() - first > context.cards.Items().size())
        return context.Fail(kUsageError, "more texts than items (" + std::to_string(context.cards.Items().size()) + ")");
    cards::CardTexts texts;
    bool refused = false;
    for (std::size_t index = first; index < args.size(); ++index) {
        std::string stored;
        if (!exact_text::FromUtf8(args[index], stored)) {
            context.err << "zulname-cards: " << Utf8(context.cards.Items()[index - first])
                        << ": the text is not UTF-8; left empty\n";
            stored.clear();
            refused = true;
        }
        texts.push_back(std::move(stored));
    }
    const std::optional<cards::Design> design =
        cards::InheritedDesign(context.settings, context.cards, before.value_or(context.cards.Count()));
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    designs::RuledNewCards ruled(context.settings, library);
    const cards::Outcome outcome = before ? context.cards.Insert(*before, {texts}, design, &ruled)
                                          : context.cards.Append({texts}, design, &ruled);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "added card " << CardSectionName(before.value_or(outcome.count - 1)) << " (" << CardWord(outcome.count)
                << ")\n";
    return refused ? kFailure : 0;
}

int Delete(Context& context, const std::vector<std::string_view>& args) {
    if (args.empty()) return context.Fail(kUsageError, "delete needs card numbers or ranges N-M");
    const std::int32_t count = context.cards.Count();
    std::vector<std::int32_t> doomed;
    for (const std::string_view arg : args) {
        CardRange range;
        std::string problem;
        if (!ParseCardRange(arg, range, problem)) return context.Fail(kUsageError, problem);
        if (problem = RangeProblem(range, count); !problem.empty()) return context.Fail(kUsageError, problem);
        for (std::int32_t card = range.first; card <= range.last; ++card) doomed.push_back(card);
    }
    const cards::Outcome outcome = context.cards.Delete(doomed);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "deleted " << CardWord(outcome.changed) << " (" << CardWord(outcome.count) << " left)\n";
    return 0;
}

int Move(Context& context, const std::vector<std::string_view>& args) {
    if (args.size() != 3 || args[1] != "--to") return context.Fail(kUsageError, "usage: move N --to M");
    const std::optional<std::int32_t> from = ParseCardNumber(args[0]);
    const std::optional<std::int32_t> to = ParseCardNumber(args[2]);
    if (!from || !to) return context.Fail(kUsageError, "move takes two card numbers");
    const std::int32_t count = context.cards.Count();
    for (const std::int32_t card : {*from, *to})
        if (const std::string problem = RangeProblem({card, card}, count); !problem.empty())
            return context.Fail(kUsageError, problem);
    const cards::Outcome outcome = context.cards.Move(*from, *to);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "moved card " << CardSectionName(*from) << " to " << CardSectionName(*to) << "\n";
    return 0;
}

int Sort(Context& context, const std::vector<std::string_view>& args) {
    if (args.size() != 1) return context.Fail(kUsageError, "sort takes one item name");
    std::string item;
    if (!FindItem(context, args[0], item)) return context.Fail(kUsageError, "no item \"" + std::string(args[0]) + "\"");
    const cards::Outcome outcome = context.cards.Sort(item);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "sorted " << CardWord(outcome.count) << " by " << args[0] << " (" << outcome.changed << " moved)\n";
    return 0;
}

int ApplyDesign(Context& context, const std::vector<std::string_view>& args) {
    std::optional<std::int32_t> from;
    std::string to = "all", slotText = "all";
    for (std::size_t index = 0; index < args.size(); index += 2) {
        if (index + 1 >= args.size()) return context.Fail(kUsageError, std::string(args[index]) + " needs a value");
        const std::string_view option = args[index], value = args[index + 1];
        if (option == "--from") {
            from = ParseCardNumber(value);
            if (!from) return context.Fail(kUsageError, "\"" + std::string(value) + "\" is not a card number");
        } else if (option == "--to") {
            to = value;
        } else if (option == "--slot") {
            slotText = value;
        } else {
            return context.UsageError("unknown option " + std::string(option));
        }
    }
    if (!from) return context.Fail(kUsageError, "apply-design needs --from N");
    std::int32_t slot = cards::kAllSlots;
    if (slotText == "1" || slotText == "2" || slotText == "3")
        slot = slotText[0] - '0';
    else if (slotText != "all")
        return context.Fail(kUsageError, "--slot takes 1, 2, 3 or all");
    const std::int32_t count = context.cards.Count();
    if (const std::string problem = RangeProblem({*from, *from}, count); !problem.empty())
        return context.Fail(kUsageError, problem);
    CardRange range{0, count - 1};
    if (to != "all") {
        std::string problem;
        if (!ParseCardRange(to, range, problem)) return context.Fail(kUsageError, problem);
        if (problem = RangeProblem(range, count); !problem.empty()) return context.Fail(kUsageError, problem);
    }
    std::vector<std::int32_t> targets;
    for (std::int32_t card = range.first; card <= range.last; ++card) targets.push_back(card);
    const cards::Outcome outcome = context.cards.ApplyDesign(*from, targets, slot);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "applied the design of card " << CardSectionName(*from) << " to " << CardWord(outcome.changed)
                << (slot == cards::kAllSlots ? ", all slots" : ", slot " + slotText) << "\n";
    return 0;
}

int Romaji(Context& context, const std::vector<std::string_view>& args) {
    std::string from, to;
    NameOrder order = NameOrder::GivenFirst;
    for (std::size_t index = 0; index < args.size(); index += 2) {
        if (index + 1 >= args.size()) return context.Fail(kUsageError, std::string(args[index]) + " needs a value");
        const std::string_view option = args[index], value = args[index + 1];
        if (option == "--from" || option == "--to") {
            std::string& item = option == "--from" ? from : to;
            if (!FindItem(context, value, item)) return context.Fail(kUsageError, "no item \"" + std::string(value) + "\"");
        } else if (option == "--order") {
            if (value != "given-family" && value != "family-given")
                return context.Fail(kUsageError, "--order takes given-family or family-given");
            order = value == "given-family" ? NameOrder::GivenFirst : NameOrder::FamilyFirst;
        } else {
            return context.UsageError("unknown option " + std::string(option));
        }
    }
    if (from.empty() || to.empty()) return context.Fail(kUsageError, "romaji needs --from ITEM and --to ITEM");
    const cards::Outcome outcome = FillRomanisedNames(context.cards, from, to, order);
    if (!outcome) return ReportFailure(context, outcome);
    context.out << "wrote the names of " << CardWord(outcome.changed) << " in Latin letters\n";
    return 0;
}

int Check(Context& context, const std::vector<std::string_view>& args) {
    if (!args.empty()) return context.UsageError("check takes no arguments");
    using namespace character_check;
    const std::vector<Finding> findings = character_check::Check(context.cards, AnyFaceDraws, UnihanVariants::Installed());
    bool missing = false;
    for (const Finding& finding : findings) {
        std::string kinds, substitutes;
        for (const auto& [kind, word] : {std::pair{kNoFace, "no-face"}, std::pair{kBeyondJis0208, "beyond-jis-x-0208"},
                                         std::pair{kExactOnly, "beyond-cp932"}})
            if (finding.kinds & kind) kinds += (kinds.empty() ? "" : ",") + std::string(word);
        for (const std::string& substitute : finding.substitutes) substitutes += (substitutes.empty() ? "" : " ") + substitute;
        context.out << CardSectionName(finding.card) << '\t' << Utf8(finding.item) << '\t' << finding.character << '\t'
                    << CodePoint(finding.code) << '\t' << kinds << '\t' << substitutes << '\n';
        missing = missing || (finding.kinds & kNoFace) != 0;
    }
    return missing ? kFailure : 0;
}

int ReportFailure(const Context& context, const cards::Outcome& outcome) {
    const std::string& file = context.cards.FsPath();
    switch (outcome.failure) {
    case cards::Failure::NoSuchCard:
        return context.Fail(kUsageError, "no card " + CardSectionName(outcome.missing) + " in " + file + ": it has " +
                                             CardWord(outcome.count) + " now");
    case cards::Failure::UnknownItem: return context.Fail(kUsageError, "no such item");
    case cards::Failure::TooManyCards:
        return context.Fail(kFailure, file + " claims more cards than a record file can hold (check \"Max\" and the card sections)");
    case cards::Failure::CardLimit:
        return context.Fail(kFailure, "cannot write " + file + ": a record file holds at most " +
                                          std::to_string(cards::CardDeck::kMostCards) + " cards");
    case cards::Failure::NotWritten:
    case cards::Failure::None: break;
    }
    return context.Fail(kFailure, "cannot write " + file + ": " + ini_tool::FileWriteReason(file));
}

}  // namespace cards_tool
