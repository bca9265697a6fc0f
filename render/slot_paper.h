#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/profiles.h"

// The paper of a slot's print options ("PrintOptions" slot + "Paper", e.g. "210x297"): width and
// height in millimetres; A4 while none is stored or the stored text is not a size.
inline constexpr double kMillimetresPerHundredth = 0.254;

// A length in millimetres to the nearest hundredth of an inch.
std::int32_t Hundredths(double millimetres);

struct PaperMillimetres {
    double width = 210, height = 297;
};
// "210x297" as a paper size; nothing for any other text.
std::optional<PaperMillimetres> ParsePaper(std::string_view text);
PaperMillimetres SlotPaper(const SettingsProfile& settings, const std::string& slotPrefix);
// The same, when the slot names a valid paper (a sheet was chosen for it).
std::optional<PaperMillimetres> StoredSlotPaper(const SettingsProfile& settings, const std::string& slotPrefix);
