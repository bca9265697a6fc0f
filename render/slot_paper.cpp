#include "render/slot_paper.h"

#include <charconv>
#include <cmath>

std::int32_t Hundredths(double millimetres) {
    return static_cast<std::int32_t>(std::lround(millimetres / kMillimetresPerHundredth));
}

std::optional<PaperMillimetres> ParsePaper(std::string_view text) {
    const std::size_t x = text.find('x');
    double width = 0, height = 0;
    if (x == std::string::npos) return std::nullopt;
    const auto [widthEnd, widthError] = std::from_chars(text.data(), text.data() + x, width);
    const auto [heightEnd, heightError] = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
    if (widthError != std::errc() || heightError != std::errc() || widthEnd != text.data() + x ||
        heightEnd != text.data() + text.size() || !(width > 0) || !(height > 0) || width > 10000 || height > 10000)
        return std::nullopt;
    return PaperMillimetres{width, height};
}

std::optional<PaperMillimetres> StoredSlotPaper(const SettingsProfile& settings, const std::string& slotPrefix) {
    return ParsePaper(settings.ReadString("PrintOptions", slotPrefix + "Paper", ""));
}

PaperMillimetres SlotPaper(const SettingsProfile& settings, const std::string& slotPrefix) {
    return StoredSlotPaper(settings, slotPrefix).value_or(PaperMillimetres{});
}
