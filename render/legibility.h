#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/card_value.h"
#include "render/item_boxes.h"

// What the person checking the tags should hear of how a card's texts come out: a character the
// item's own face has no glyph for, which another face then draws, and a text condensed below
// half its width or set smaller than 6 pt, which few read at arm's length.

inline constexpr std::int32_t kReadableScale = 50;       // percent
inline constexpr std::int32_t kReadableHeight = 833;     // hundredths of a logical unit: 6 pt
// Whether the face named by a stored face name has a glyph for the character itself.
using FaceGlyphs = std::function<bool(const std::string& storedFace, char32_t code)>;

// Notes in the program's words (UTF-8), item by item, from the card and where its items are drawn.
std::vector<std::string> LegibilityNotes(const CardValue& card, const std::vector<ItemBox>& boxes,
                                         const FaceGlyphs& faceHas);
// The characters of a text (UTF-8) its face lacks, each once, in order.
std::vector<char32_t> CharactersFaceLacks(const std::string& utf8, const std::string& storedFace,
                                          const FaceGlyphs& faceHas);
