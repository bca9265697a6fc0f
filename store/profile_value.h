#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/profile_document.h"

// How a stored value or a caller's default becomes the result of a read.
namespace profile {

// A read returns at most this many bytes (the 260-byte buffers of the callers, less the terminator).
constexpr std::size_t kMaxReadBytes = 259;

// Removes one pair of matching quotes (" or ') around a text of at least two characters.
std::string_view Unquote(std::string_view text);

// value as written so that a read gives it back: in quotes when a read would take a pair off it.
std::string Quoted(std::string_view value);

// maxBytes limits the result: kMaxReadBytes for ordinary reads, none for values that hold a
// whole list (the print order).
std::string StringResult(const Lookup& found, std::string_view defaultValue, std::size_t maxBytes = kMaxReadBytes);
std::int32_t IntResult(const Lookup& found, std::int32_t defaultValue);

// A value as it is written: never a line break (a typed value must not create keys or sections),
// and no leading blanks.
std::string CleanValue(std::string_view value);

// The leading-number rule: blanks, an optional sign, decimal digits up to the first other
// character, accumulated in 32 bits with wrap-around. No digits give 0.
std::int32_t ParseLeadingInt(std::string_view text);

}  // namespace profile
