#pragma once

#include <cstdint>

#include "store/profiles.h"

// How the tags of a label slot are printed beyond their layout: folded place cards and printing
// on both sides. Settings file, section "PrintOptions", for slot L: L+"Fold" ("0" flat, "1" folded
// top/bottom, "2" folded left/right), L+"FoldLine" ("0" no dotted line along the fold, else one)
// and L+"Duplex" ("0" one side, "1" both sides bound on the long edge, "2" on the short edge).
enum class Fold : std::int32_t { None = 0, TopBottom = 1, LeftRight = 2 };
enum class Duplex : std::int32_t { None = 0, LongEdge = 1, ShortEdge = 2 };

struct PrintSides {
    Fold fold = Fold::None;
    bool foldLine = true;
    Duplex duplex = Duplex::None;
};

// A value that is none of the codes reads as the default.
PrintSides ReadPrintSides(const SettingsProfile& settings, std::int32_t slot);
void WritePrintSides(const SettingsProfile& settings, std::int32_t slot, const PrintSides& sides);
