#include "store/print_sides.h"

#include <string>

namespace {

constexpr const char* kSection = "PrintOptions";

// A stored code from 0 to 2; anything else is 0.
std::int32_t Code(const SettingsProfile& settings, const std::string& key) {
    const std::int32_t code = settings.ReadInt(kSection, key, 0);
    return code >= 0 && code <= 2 ? code : 0;
}

}  // namespace

PrintSides ReadPrintSides(const SettingsProfile& settings, std::int32_t slot) {
    const std::string prefix = std::to_string(slot);
    PrintSides sides;
    sides.fold = static_cast<Fold>(Code(settings, prefix + "Fold"));
    sides.foldLine = settings.ReadInt(kSection, prefix + "FoldLine", 1) != 0;
    sides.duplex = static_cast<Duplex>(Code(settings, prefix + "Duplex"));
    return sides;
}

void WritePrintSides(const SettingsProfile& settings, std::int32_t slot, const PrintSides& sides) {
    const std::string prefix = std::to_string(slot);
    settings.WriteInt(kSection, prefix + "Fold", static_cast<std::int32_t>(sides.fold));
    settings.WriteInt(kSection, prefix + "FoldLine", sides.foldLine ? 1 : 0);
    settings.WriteInt(kSection, prefix + "Duplex", static_cast<std::int32_t>(sides.duplex));
}
