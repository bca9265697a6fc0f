#pragma once

#include <cstdint>

#include "store/profiles.h"

class QPrinter;

// The printer made ready for the tags of a label slot: the slot's paper (settings "PrintOptions"
// L+"Paper") when one is stored, and for a two-sided slot the edge the printer turns the paper
// on, so that each back page lands behind its front page; a one-sided slot prints one side.
void SetUpPrinterForSlot(QPrinter& printer, const SettingsProfile& settings, std::int32_t slot);
