#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "designs/design.h"
#include "designs/design_library.h"
#include "store/card_operations.h"
#include "store/profiles.h"

// Designs and record files: a design put on the cards of a record file, a card's design kept as
// a design, and the design a new record file starts with.
namespace designs {

// The default design's name when the settings file names none ("Option" "DefaultDesign").
inline constexpr std::string_view kDefaultDesignName = "シンプル";  // UTF-8

// design put on the target cards of record (none: every card) for one label slot (1…3) or
// all (cards::kAllSlots), scaled to each slot's label size, texts untouched. The slot's frame,
// which all cards of the slot share, becomes the design's (none when it has no frame). One
// write of the record file, so one step of its undo.
cards::Outcome ApplyToRecord(const SettingsProfile& settings, const cards::RecordCards& record, const Design& design,
                             const std::vector<std::int32_t>& targets, std::int32_t slot);

// The record file's label slot (1…3), as the program uses it.
std::int32_t RecordSlot(const std::string& recordFsPath);

// The design of a card (in range) for the record file's slot, with the slot's frame, made for
// the slot's label size.
Design DesignOfCard(const SettingsProfile& settings, const cards::RecordCards& record, std::int32_t card);

// The design the settings file names as default, else the built-in シンプル; nothing when
// neither is in the library.
std::optional<Design> DefaultDesign(const SettingsProfile& settings, const DesignLibrary& library);

// A record file the program is about to use: while it has no cards and no frame (it does not
// exist yet, or holds only its settings), card 0000 is given the default design for every label
// slot and the slots' frames, so that cards added or imported inherit a visible design. A file
// with cards is left as it is. False when the file could not be written.
bool StartRecordFile(const SettingsProfile& settings, const std::string& recordFsPath, const DesignLibrary& library);
// The same for the current record file (nothing while none is chosen), with the installed designs.
bool StartCurrentRecordFile(const SettingsProfile& settings, const RecordProfile& record);

}  // namespace designs
