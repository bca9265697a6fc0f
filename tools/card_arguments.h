#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Card numbers on the command line of zulname-cards: "12", "0012", ranges "3-7".
namespace cards_tool {

struct CardRange {
    std::int32_t first = 0, last = 0;  // inclusive
};

// A card number: decimal digits only. Nothing when the text is not one.
std::optional<std::int32_t> ParseCardNumber(std::string_view text);

// "N" or "N-M". False, with the problem, for anything else or a range that runs backwards.
bool ParseCardRange(std::string_view text, CardRange& range, std::string& problem);

// The problem with a range that reaches past the last card, or empty when it lies in 0 … count-1.
std::string RangeProblem(const CardRange& range, std::int32_t count);

}  // namespace cards_tool
