#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/card_design.h"
#include "store/card_operations.h"
#include "store/label_sizes.h"

// A design: the look of one tag, kept as a file of its own so that it can be chosen from a
// gallery, applied to any record file and any label size, and shared. The file is a profile
// file (code page 932):
//
//   [Design]
//   Name=シンプル                       the name shown and looked up
//   Description=…                       one line
//   Width=358                           the tag size it was made for, hundredths of an inch
//   Height=216
//   [Card]
//   氏名Xpos=0                          the design keys of a card for one label slot, without
//   IsPrint氏名=1                       the slot digit (see cards::Design)
//   …
//   [Frame]
//   Frame=1                             the keys of the slot's frame section; none: no frame
//   …
namespace designs {

struct Design {
    std::string name;         // code page 932
    std::string description;  // code page 932
    LabelExtent size;         // the tag it was made for
    cards::Design card;       // keys without the slot digit
    cards::Design frame;      // keys of the frame section
};

// The most keys a design holds, its card's and its frame's together: a card of many items in
// every style holds a few hundred; more would only slow every card it is put on.
inline constexpr std::size_t kMostDesignKeys = 4000;

// A design from the bytes of its file; nothing, with the reason (English), when the file has
// no name, no usable tag size or more than kMostDesignKeys keys.
std::optional<Design> ParseDesign(std::string bytes, std::string& problem);
std::string SerializeDesign(const Design& design);

// The design of a card for slot (1…3) as a Design made for size: the slot's keys of card
// without their digit.
Design DesignFromCard(const cards::Design& card, std::int32_t slot, const cards::Design& frame, LabelExtent size);

// The keys to store in a card for slot (1…3) on a tag of size target, scaled from the size the
// design was made for.
cards::Design CardKeysFor(const Design& design, std::int32_t slot, LabelExtent target);
// The keys of the slot's frame section for a tag of size target.
cards::Design FrameKeysFor(const Design& design, LabelExtent target);

// The frame as a card of slot (1…3) keeps one of its own, for a tag of size target: the frame
// keys with the slot digit ("1Frame", "1Frame1Inside" …); "1Frame=0" for a design without one.
cards::Design OwnFrameKeysFor(const Design& design, std::int32_t slot, LabelExtent target);

// The section of the record file holding slot's frame: "1Frame", "2Frame", "3Frame".
std::string FrameSectionName(std::int32_t slot);
// That section with the design's frame keys for a tag of size target, as a record file takes it.
cards::SectionKeys FrameSectionFor(const Design& design, std::int32_t slot, LabelExtent target);

}  // namespace designs
