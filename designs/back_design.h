#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "designs/design.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// The back of the tags of a label slot: one design for every card, kept in the record file's
// section "<slot>Back" (the slot's card keys, beside texts that print the same on every back)
// with its frame in "<slot>BackFrame". A slot without design keys there has no back.
namespace designs {

// design put on the back of slot (1…3), scaled to the slot's label size; the back's texts stay.
// One write of the record file, so one step of its undo. False when it could not be written.
bool SetBack(const SettingsProfile& settings, const cards::RecordCards& record, const Design& design, std::int32_t slot);
// The slot's back and its texts removed, in one write.
bool RemoveBack(const cards::RecordCards& record, std::int32_t slot);
// The slot's back as a design made for the slot's label size; nothing when the slot has none.
std::optional<Design> BackOf(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t slot);

}  // namespace designs
