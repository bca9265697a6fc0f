#pragma once

#include <string>
#include <string_view>

#include "store/card_operations.h"

// Names in Latin letters from their readings, for guests from abroad: the Hepburn
// romanisation of ICU's transliterators, written as on Japanese passports (long vowels not
// doubled: "ou", "oo" and "uu" become one vowel; "n" before b, m and p becomes "m"; no
// apostrophes or marks). A reading is family name first, then the given name, separated by a
// space (ASCII or full-width) or "・"; the family name is written in capitals.
enum class NameOrder { GivenFirst, FamilyFirst };  // "Taro YAMADA" or "YAMADA Taro"

// UTF-8 in and out. Latin letters are kept as they are; empty for a reading with no letters or
// with characters that do not become Latin letters (kanji: such a text is not a reading).
std::string RomanisedName(std::string_view readingUtf8, NameOrder order);

// Fills item `to` of every card with the romanised name of its item `from` (stored names and
// texts, code page 932); cards without a reading, or whose reading holds kanji, keep their text.
cards::Outcome FillRomanisedNames(const cards::RecordCards& cards, std::string_view from, std::string_view to,
                                  NameOrder order);
