#pragma once

#include <cstdint>
#include <string>

#include "render/card_value.h"
#include "render/item_keys.h"
#include "render/view_state.h"
#include "store/profile_document.h"
#include "store/section_reader.h"

// Reading a card section into its CardValue: each key once, by a name hashed once per slot and
// item, and nothing of a layer past what shows it draws nothing.

// The keys of decorative line N ("1" … "3") in slot S: S + "Line" + N + "sx", "sy", "ex", "ey",
// "Col", "Width".
struct LineKeys {
    LineKeys(const std::string& slotPrefix, const std::string& line);
    profile::KeyName sx, sy, ex, ey, color, width;
};
LineValue ReadLine(const SectionReader& card, const LineKeys& keys);

// The keys of the image in slot number N: N + "BMP", and that + "x", "y", "Zoom".
struct ImageKeys {
    explicit ImageKeys(std::int32_t slot);
    profile::KeyName path, dx, dy, zoom;
};
ImageValue ReadImage(const SectionReader& card, const ImageKeys& keys);

// The frame of the slot, from the record file's section slot + "Frame".
FrameValue ReadFrame(const RecordProfile& record, const std::string& slotPrefix);
// The frame keys of a section under a prefix: a slot's frame section without one, a card's own
// frame (its category's) with the slot digit, "1Frame", "1Frame1Inside" ….
FrameValue ReadFrameKeys(const RecordProfile& record, const std::string& section, std::string_view prefix);

// Whether the view edits a card of a record file that hides frames and images while editing
// ("Option" "NoBMPEdit"): given that setting, or read from the view's record file.
bool DecorationHidden(const ViewState& view, bool noDecorationWhileEditing);
bool DecorationHidden(const ViewState& view);

ItemValue ReadItem(const SectionReader& card, const ItemKeys& keys);
// The same with the text taken from `texts` where it has one (none: the card's own).
ItemValue ReadItem(const SectionReader& card, const SectionReader* texts, const ItemKeys& keys);

// The card section of the view's record file, in the view's slot, with the view's user items.
// What every card shares (the keys, the frame, the label size and the drawing options) is read
// again only when the slot, the items or the record or settings file change.
CardValue ReadCard(const ViewState& view, const std::string& section);

// Whether the slot has a back: a back section with at least one value.
bool HasBack(const RecordProfile& record, const std::string& slotPrefix);
// The back of a card: the back section's design, each item with the card's own text, or the
// back section's where the card has none.
CardValue ReadCardBack(const ViewState& view, const std::string& section);
