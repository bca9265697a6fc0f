#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "store/profile_document.h"
#include "store/profiles.h"

// The three label slots: their sizes (shared by all record files, in the settings file) and the
// slot each record file uses.

struct LabelExtent {
    std::int32_t width = 0;   // hundredths of an inch
    std::int32_t height = 0;
};

inline constexpr std::int32_t kLabelSlotCount = 3;

// The longest length a stored label, sheet or position on a tag may give, in hundredths of an
// inch: 10 m, as a label sheet template's. Stored numbers beyond it are read as it, so that the
// sums the drawing forms of a few of them never overflow.
inline constexpr std::int32_t kLongestLength = 393700;
inline std::int32_t BoundedLength(std::int32_t stored) { return std::clamp(stored, -kLongestLength, kLongestLength); }

// Width and height of a slot; missing keys give 358 × 216 (a business card), non-numeric text 0,
// each within kLongestLength.
LabelExtent LabelSize(const SettingsProfile& settings, std::int32_t slot);

// The size of a slot as the texts stored: the label size dialog shows and stores them as typed.
struct LabelSizeTexts {
    std::string width;
    std::string height;
};
// The business card, every slot's size while none is stored.
LabelSizeTexts DefaultLabelSize();
LabelSizeTexts StoredLabelSize(const SettingsProfile& settings, std::int32_t slot);
// Stores both texts; the caller flushes.
bool StoreLabelSize(const SettingsProfile& settings, std::int32_t slot, const LabelSizeTexts& size);

// The record file's slot as stored: 0 while none has been chosen.
std::int32_t StoredSlot(const RecordProfile& record);
// The record file's slot for use: 2 or 3 as stored, anything else is slot 1.
std::int32_t CurrentSlot(const RecordProfile& record);
// The same of a record file read into memory.
std::int32_t CurrentSlot(const profile::ProfileDocument& record);
// Stores the slot as decimal text; the caller flushes.
bool SetCurrentSlot(const RecordProfile& record, std::int32_t slot);
// The digit put in front of every per-slot key: the stored text, "1" when none is stored.
std::string SlotPrefix(const RecordProfile& record);
