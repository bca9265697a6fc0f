#include "tools/card_arguments.h"

namespace cards_tool {

std::optional<std::int32_t> ParseCardNumber(std::string_view text) {
    // Seven digits reach past the most cards a record file can hold, and stay within 32 bits.
    if (text.empty() || text.size() > 7) return std::nullopt;
    std::int32_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool ParseCardRange(std::string_view text, CardRange& range, std::string& problem) {
    const std::size_t dash = text.find('-');
    const std::optional<std::int32_t> first = ParseCardNumber(text.substr(0, dash));
    const std::optional<std::int32_t> last = dash == std::string_view::npos ? first : ParseCardNumber(text.substr(dash + 1));
    if (!first || !last) {
        problem = "\"" + std::string(text) + "\" is not a card number or a range N-M";
        return false;
    }
    if (*last < *first) {
        problem = "the range " + std::string(text) + " runs backwards";
        return false;
    }
    range = {*first, *last};
    return true;
}

std::string RangeProblem(const CardRange& range, std::int32_t count) {
    if (range.last < count) return {};
    const std::string which = range.first == range.last ? "card " + std::to_string(range.first)
                                                        : "the range " + std::to_string(range.first) + "-" + std::to_string(range.last);
    return which + " is out of range: the cards are 0-" + std::to_string(count - 1);
}

}  // namespace cards_tool
