#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/unihan_variants.h"
#include "store/card_operations.h"

// Characters in the cards' texts that may print wrong or not at all: no installed face draws
// them, print shops and other programs may not show them (outside JIS X 0208: 旧字・外字 such as
// 髙, 﨑, 𠮷), or a program that knows only code page 932 shows 〓 for them.
namespace character_check {

enum Kind : unsigned {
    kNoFace = 1,         // no installed face draws it
    kBeyondJis0208 = 2,  // outside JIS X 0208 (NEC and IBM extensions, user-defined, beyond code page 932)
    kExactOnly = 4,      // kept only in the exact-text key
    kVariantExact = 8,   // the character is code page 932, its variation selector only in the exact-text key
    kFallbackFace = 16,  // the face the item is set in lacks it: another face draws it
};

struct Finding {
    std::int32_t card = 0;
    std::string item;       // stored item name
    std::string character;  // UTF-8: the character with any variation selector after it
    char32_t code = 0;      // the character's code point (the base of a variant)
    unsigned kinds = 0;
    std::vector<std::string> substitutes;  // UTF-8, each within JIS X 0208
};

// "U+20BB7".
std::string CodePoint(char32_t code);
// What kinds say, in the program's words, joined by "・".
std::string KindWords(unsigned kinds);

// Whether some installed face has a glyph for the character (fontconfig).
bool AnyFaceDraws(char32_t code);

// The usual substitutes of a character within JIS X 0208 (𠮷 → 吉), UTF-8.
std::vector<std::string> Substitutes(char32_t code, const UnihanVariants& variants);

using GlyphCheck = std::function<bool(char32_t)>;
// Whether the face an item of a card is set in has the character itself.
using OwnFaceCheck = std::function<bool(std::int32_t card, const std::string& item, char32_t code)>;
// Every card's findings in card order, then item order; a character is named once per text.
// Without ownFace the items' own faces are not asked.
std::vector<Finding> Check(const cards::RecordCards& cards, const GlyphCheck& drawable, const UnihanVariants& variants,
                           const OwnFaceCheck& ownFace = {});

// The character replaced by `by` (UTF-8) in the item's text of one card, or of every card when
// none is given, in one write; changed counts the cards.
cards::Outcome Replace(const cards::RecordCards& cards, const std::string& item, const std::string& character,
                       const std::string& by, std::optional<std::int32_t> card);

}  // namespace character_check
