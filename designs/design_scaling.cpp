#include "designs/design_scaling.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <set>

#include "store/profile_value.h"

namespace designs {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "Line" + one digit + what: the keys of a decorative line.
bool IsLineKey(std::string_view key, std::string_view what) {
    return key.size() == 5 + what.size() && key.substr(0, 4) == "Line" && IsDigit(key[4]) && key.substr(5) == what;
}

// "Frame" + the kind + what.
bool IsFrameKindKey(std::string_view key, std::string_view what) {
    if (key.size() <= 5 + what.size() || key.substr(0, 5) != "Frame" || !EndsWith(key, what)) return false;
    const std::string_view kind = key.substr(5, key.size() - 5 - what.size());
    for (const char c : kind)
        if (!IsDigit(c)) return false;
    return true;
}

std::int32_t Scaled(std::int32_t value, double ratio) {
    const long scaled = std::lround(value * ratio);
    // A size that was there stays there: a font or line never shrinks to nothing.
    if (value != 0 && scaled == 0) return value < 0 ? -1 : 1;
    return static_cast<std::int32_t>(scaled);
}

std::string ScaledNumber(std::string_view value, double ratio) {
    return std::to_string(Scaled(profile::ParseLeadingInt(value), ratio));
}

// A font record with its height and width (the first two numbers) scaled; the rest as stored.
std::string ScaledFont(std::string_view value, double ratio) {
    std::string out;
    std::size_t pos = 0;
    for (int field = 0; field < 2; ++field) {
        const std::size_t start = value.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(value.find(' ', start), value.size());
        out += value.substr(pos, start - pos);
        out += ScaledNumber(value.substr(start, end - start), ratio);
        pos = end;
    }
    out += value.substr(pos);
    return out;
}

}  // namespace

Ratios RatiosBetween(LabelExtent from, LabelExtent to) {
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return {};
    return {static_cast<double>(to.width) / from.width, static_cast<double>(to.height) / from.height};
}

std::string ScaleCardValue(std::string_view key, std::string_view value, const Ratios& ratios, bool vertical) {
    if (EndsWith(key, "FitWidth")) return ScaledNumber(value, vertical ? ratios.y : ratios.x);
    if (EndsWith(key, "Xpos") || IsLineKey(key, "sx") || IsLineKey(key, "ex") || key == "BMPx")
        return ScaledNumber(value, ratios.x);
    if (EndsWith(key, "Ypos") || IsLineKey(key, "sy") || IsLineKey(key, "ey") || key == "BMPy")
        return ScaledNumber(value, ratios.y);
    if (EndsWith(key, "QRSize") || IsLineKey(key, "Width") || key == "BMPZoom")
        return ScaledNumber(value, ratios.Smaller());
    if (EndsWith(key, "Font")) return ScaledFont(value, ratios.Smaller());
    return std::string(value);
}

cards::Design ScaleCardKeys(const cards::Design& card, const std::string& prefix, const Ratios& ratios) {
    constexpr std::string_view kVertical = "Vertical", kFit = "FitWidth";
    std::set<std::string_view> vertical;  // the items' names
    for (const cards::DesignKey& key : card)
        if (EndsWith(key.name, kVertical) && profile::ParseLeadingInt(key.value) != 0)
            vertical.insert(std::string_view(key.name).substr(0, key.name.size() - kVertical.size()));
    cards::Design out;
    out.reserve(card.size());
    for (const cards::DesignKey& key : card) {
        const bool down = EndsWith(key.name, kFit) &&
                          vertical.count(std::string_view(key.name).substr(0, key.name.size() - kFit.size())) != 0;
        out.push_back({prefix + key.name, ScaleCardValue(key.name, key.value, ratios, down)});
    }
    return out;
}

std::string ScaleFrameValue(std::string_view key, std::string_view value, const Ratios& ratios) {
    if (IsFrameKindKey(key, "GapL") || IsFrameKindKey(key, "GapR")) return ScaledNumber(value, ratios.x);
    if (IsFrameKindKey(key, "GapT") || IsFrameKindKey(key, "GapB")) return ScaledNumber(value, ratios.y);
    if (IsFrameKindKey(key, "Gap") || IsFrameKindKey(key, "BorderWidth1") || IsFrameKindKey(key, "BorderWidth2") ||
        key == "Frame2r")
        return ScaledNumber(value, ratios.Smaller());
    return std::string(value);
}

}  // namespace designs
