#include "sheets/length.h"

#include <charconv>
#include <cmath>

namespace sheets {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMmPerPoint = kMmPerInch / 72;

struct Unit {
    std::string_view name;
    double millimetres;
};
constexpr Unit kUnits[] = {{"", kMmPerPoint}, {"pt", kMmPerPoint}, {"mm", 1.0}, {"cm", 10.0},
                           {"in", kMmPerInch}, {"pc", 12 * kMmPerPoint}};

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

bool ParseLength(std::string_view text, double& millimetres) {
    text = Trimmed(text);
    // from_chars takes no leading "+"; the files never write one, but a hand-made file might.
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || !std::isfinite(number)) return false;
    const std::string_view unit = Trimmed(text.substr(static_cast<std::size_t>(end - text.data())));
    for (const Unit& known : kUnits) {
        if (known.name == unit) {
            millimetres = number * known.millimetres;
            return true;
        }
    }
    return false;
}

}  // namespace sheets
